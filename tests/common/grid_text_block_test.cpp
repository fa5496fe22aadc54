#include "common/grid_text_block.h"

#include <gtest/gtest.h>

namespace stelvador {
namespace {

TEST(GridTextBlock, JoinsCellsWithTabAndRowsWithCr) {
    EXPECT_EQ(JoinGridTextBlock({{"a", "b"}, {"", "d"}}), "a\tb\r\td");
    EXPECT_EQ(JoinGridTextBlock({}), "");
}

TEST(GridTextBlock, SplitIsTheInverseOfJoin) {
    const GridTextRows rows = {{"Sämple Ø1", "37.50", ""}, {"", "", ""}, {"x", "", "1"}};
    EXPECT_EQ(SplitGridTextBlock(JoinGridTextBlock(rows)), rows);
}

TEST(GridTextBlock, EmptyTextIsOneEmptyCell) {
    EXPECT_EQ(SplitGridTextBlock(""), (GridTextRows{{""}}));
    EXPECT_EQ(SplitGridTextBlock("\r"), (GridTextRows{{""}, {""}}));
    EXPECT_EQ(SplitGridTextBlock("a\nb"), (GridTextRows{{"a\nb"}}));
}

TEST(GridTextBlock, EmptyBlockSplitsIntoEmptyCellsOfTheRectanglesSize) {
    struct Case {
        int rows;
        int cols;
        std::string block;
    };
    for (const Case& c : {Case{1, 1, ""}, Case{1, 3, "\t\t"}, Case{3, 1, "\r\r"},
                          Case{2, 3, "\t\t\r\t\t"}, Case{0, 3, ""}, Case{2, 0, ""}}) {
        EXPECT_EQ(EmptyGridTextBlock(c.rows, c.cols), c.block) << c.rows << " x " << c.cols;
    }
    const GridTextRows split = SplitGridTextBlock(EmptyGridTextBlock(300, 43));
    ASSERT_EQ(split.size(), 300u);
    for (const auto& row : split) {
        EXPECT_EQ(row, std::vector<std::string>(43));
    }
}

}  // namespace
}  // namespace stelvador
