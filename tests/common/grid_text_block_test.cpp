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

}  // namespace
}  // namespace stelvador
