// The data file reader's default field limit, over a field of 64 MB: seconds of work, so it runs
// with the slow tests.
#include <gtest/gtest.h>

#include <string>

#include "common/data_file_format.h"
#include "common/run_time_error.h"

namespace stelvador {
namespace {

TEST(DataFileRead, TheDefaultLimitHoldsMuchMoreThanAFullDataBlock) {
    EXPECT_EQ(kMaxDataFileFieldBytes, 64u << 20);
    // Cells of 1,000 characters, each well within a cell's limit.
    std::string field(kMaxDataFileFieldBytes, '1');
    for (std::size_t i = 1000; i < field.size(); i += 1001) {
        field[i] = '\t';
    }
    EXPECT_EQ(ReadDataFileRecord("\"" + field).size(), field.size());
    EXPECT_THROW(ReadDataFileRecord("\"" + field + "1"), RunTimeError);
}

}  // namespace
}  // namespace stelvador
