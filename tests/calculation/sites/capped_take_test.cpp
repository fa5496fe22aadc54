#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include "calculation/sites/capped_take.h"

namespace stelvador {
namespace {

struct TakeCase {
    double cap;
    double held;
    double amount;
    double taken;  // NaN: no number
};

void PrintTo(const TakeCase& c, std::ostream* os) {
    *os << c.cap << " " << c.held << " " << c.amount << " " << c.taken;
}

class CappedTakeCase : public ::testing::TestWithParam<TakeCase> {};

TEST_P(CappedTakeCase, TakesWhatFits) {
    const TakeCase& c = GetParam();
    const double taken = CappedTake(c.cap, c.held, c.amount);
    if (std::isnan(c.taken)) {
        EXPECT_TRUE(std::isnan(taken));
    } else {
        EXPECT_DOUBLE_EQ(taken, c.taken);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CappedTakeCase,
    ::testing::Values(TakeCase{3.0, 3.0, 0.5, 0.0},    // full: nothing
                      TakeCase{3.0, 3.2, 0.5, 0.0},    // overfull: nothing
                      TakeCase{3.0, 2.5, 0.5, 0.5},    // fits exactly: all of it
                      TakeCase{3.0, 2.7, 0.5, 0.3},    // crosses the cap: the room left
                      TakeCase{1.0, 0.0, 0.0, 0.0},    // nothing offered
                      TakeCase{1.0, 0.4, -0.2, -0.2},  // a negative amount is taken whole
                      TakeCase{1.0, -0.5, 1.2, 1.2},   // a negative held amount leaves room
                      TakeCase{1.0, 1.0, -0.2, 0.0},   // full, even for a negative amount
                      TakeCase{1.0, 0.5, std::nan(""), std::nan("")},
                      TakeCase{1.0, 1.0, std::nan(""), 0.0},
                      TakeCase{1.0, std::nan(""), 0.3, std::nan("")}));

TEST(CappedFill, HeldGrowsByEachTake) {
    CappedFill fill(3.0, 2.6);
    EXPECT_DOUBLE_EQ(fill.take(0.1), 0.1);
    EXPECT_DOUBLE_EQ(fill.held(), 2.7);
    EXPECT_NEAR(fill.take(0.6), 0.3, 1e-15);
    EXPECT_DOUBLE_EQ(fill.held(), 3.0);
    EXPECT_EQ(fill.take(0.2), 0.0);
}

TEST(CappedFill, AnOverflowingHeldAmountIsNoNumber) {
    CappedFill fill(3.0, -1.7e308);
    fill.take(-1.7e308);
    EXPECT_TRUE(std::isnan(fill.held()));
    EXPECT_TRUE(std::isnan(fill.take(0.1)));
}

}  // namespace
}  // namespace stelvador
