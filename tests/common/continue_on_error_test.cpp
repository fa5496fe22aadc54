#include "common/continue_on_error.h"

#include <gtest/gtest.h>

namespace stelvador {
namespace {

TEST(ContinueOnError, AFailingStepIsSkippedAndLeavesItsNumberPending) {
    EnterContinueOnError();
    int target = 1;
    EXPECT_FALSE(ContinueOnError([&] {
        throw RunTimeError(error::kFileNotFound);
        target = 2;
    }));
    EXPECT_EQ(target, 1);
    EXPECT_EQ(PendingError(), 53);
    EXPECT_TRUE(ContinueOnError([&] { target = 3; }));
    EXPECT_EQ(target, 3);
    EXPECT_EQ(PendingError(), 53) << "a step that succeeds leaves the pending number alone";
    ContinueOnError([] { throw RunTimeError(error::kPathNotFound); });
    EXPECT_EQ(PendingError(), 76) << "the most recent failure is pending";
    EnterContinueOnError();
    EXPECT_EQ(PendingError(), 0);
}

TEST(ContinueOnError, OtherExceptionsAreNotSwallowed) {
    EXPECT_THROW(ContinueOnError([] { throw std::logic_error("bug"); }), std::logic_error);
}

}  // namespace
}  // namespace stelvador
