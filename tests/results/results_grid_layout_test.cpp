#include <gtest/gtest.h>

#include <string>

#include "platform/flex_grid.h"
#include "results/results_grid_layout.h"

namespace stelvador {
namespace {

class ResultsGridLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override { LayOutResultsGrid(m_grid, 255); }
    FlexGrid m_grid{kResultsGridLayoutRows, kResultsGridColumns};
};

TEST_F(ResultsGridLayoutTest, HasTwoRowsOf135ColumnsAndCellZeroCurrent) {
    EXPECT_EQ(m_grid.Rows(), 2);
    EXPECT_EQ(m_grid.Cols(), 135);
    EXPECT_EQ(m_grid.Row(), 0);
    EXPECT_EQ(m_grid.Col(), 0);
    EXPECT_EQ(m_grid.RowHeightMin(), 255);
}

TEST_F(ResultsGridLayoutTest, ColumnNumberRowIsCentredThroughout) {
    EXPECT_EQ(m_grid.TextMatrix(0, 0), "Stelvador");
    for (int col = 1; col < 135; ++col) {
        EXPECT_EQ(m_grid.TextMatrix(0, col), std::to_string(col));
    }
    for (int col = 0; col < 135; ++col) {
        EXPECT_EQ(m_grid.cellAlignmentAt(0, col), FlexGrid::kAlignCenterCenter) << col;
    }
}

struct HeadingCase {
    int col;
    const char* text;
    int alignment;
};

class ResultsHeadingTest : public ResultsGridLayoutTest,
                           public ::testing::WithParamInterface<HeadingCase> {};

TEST_P(ResultsHeadingTest, HeadingCellHoldsItsTextAndAlignment) {
    const HeadingCase& c = GetParam();
    EXPECT_EQ(m_grid.TextMatrix(1, c.col), c.text);
    EXPECT_EQ(m_grid.cellAlignmentAt(1, c.col), c.alignment);
}

INSTANTIATE_TEST_SUITE_P(
    Headings, ResultsHeadingTest,
    ::testing::Values(
        HeadingCase{0, "Sample       ", 4}, HeadingCase{1, "[SiO2", 4}, HeadingCase{6, "Fe2O3", 4},
        HeadingCase{7, "Mn2O3", 6}, HeadingCase{8, "FeO", 4}, HeadingCase{42, "O=F", 4},
        HeadingCase{43, "O=Cl", 4}, HeadingCase{44, "H2O", 4}, HeadingCase{45, "Total]wt%", 4},
        HeadingCase{46, "", 0}, HeadingCase{47, "[Si", 4}, HeadingCase{88, "OH", 4},
        HeadingCase{89, "Total]apfu", 4}, HeadingCase{90, "", 0}, HeadingCase{91, "[Si", 4},
        HeadingCase{93, "Total]T-site", 4}, HeadingCase{94, "[Ti", 4},
        HeadingCase{108, "Total]M-site", 4}, HeadingCase{109, "[Mn2+", 4},
        HeadingCase{121, "Total]A-site", 4}, HeadingCase{122, "", 0},
        HeadingCase{123, "[A1]Dominant cation", 4}, HeadingCase{128, "[O4]Dominant anion", 4},
        HeadingCase{129, "[Epidote subgroup]", 4}, HeadingCase{130, "[Epidote name]", 4},
        HeadingCase{131, "", 0}, HeadingCase{134, "", 0}));

TEST(ResultsGridLayout, AppendedRowsLandBelowTheHeadingRow) {
    FlexGrid grid(kResultsGridLayoutRows, kResultsGridColumns);
    LayOutResultsGrid(grid, 255);
    grid.AddItem("first\t1.000");
    grid.AddItem("second\t2.000");
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(1, 0), "Sample       ");
    EXPECT_EQ(grid.TextMatrix(2, 0), "first");
    EXPECT_EQ(grid.TextMatrix(3, 1), "2.000");
}

}  // namespace
}  // namespace stelvador
