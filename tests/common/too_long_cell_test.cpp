#include "common/too_long_cell.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/cell_text_limit.h"

namespace stelvador {
namespace {

const std::string kLong(kCellTextLimit + 1, 'n');
const std::string kFull(kCellTextLimit, 'n');

struct SearchCase {
    const char* name;
    std::string block;
    int rows;
    int columns;
    std::optional<BlockCell> found;
};

class TooLongCellSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(TooLongCellSearch, FindsTheFirstCellThatLandsInTheSelection) {
    const SearchCase& c = GetParam();
    const auto found = FindTooLongCell(c.block, c.rows, c.columns);
    ASSERT_EQ(found.has_value(), c.found.has_value());
    if (found) {
        EXPECT_EQ(found->row, c.found->row);
        EXPECT_EQ(found->column, c.found->column);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, TooLongCellSearch,
    ::testing::Values(
        SearchCase{"Empty", "", 1, 1, std::nullopt},
        SearchCase{"CellsAtTheLimit", kFull + "\t" + kFull + "\r" + kFull, 2, 2, std::nullopt},
        SearchCase{"OneCell", kLong, 1, 1, BlockCell{1, 1}},
        SearchCase{"AfterATab", "a\t" + kLong, 1, 2, BlockCell{1, 2}},
        SearchCase{"SecondRow", "a\tb\rc\t" + kLong, 2, 2, BlockCell{2, 2}},
        SearchCase{"FirstInReadingOrder", "a\t" + kLong + "\r" + kLong, 2, 2, BlockCell{1, 2}},
        // A paste drops what lies beyond its selection: such a cell refuses nothing.
        SearchCase{"BeyondTheLastColumn", "a\t" + kLong, 1, 1, std::nullopt},
        SearchCase{"BeyondTheLastRow", "a\r" + kLong, 1, 1, std::nullopt},
        // Characters, not bytes: 32,767 two-byte letters are within the limit.
        SearchCase{"Utf8Letters",
                   [] {
                       std::string text;
                       for (std::size_t i = 0; i < kCellTextLimit; ++i) {
                           text += "\xC3\xA9";
                       }
                       return text;
                   }(),
                   1, 1, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stelvador
