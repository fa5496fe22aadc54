#include "entry/cap_cell.h"

#include <gtest/gtest.h>

#include <string>

#include "common/oxide_list.h"

namespace stelvador {
namespace {

// The grid control's design values before the first layout.
FlexGrid designGrid() {
    return FlexGrid(1001, 45);
}

void fillDataBlock(FlexGrid& grid) {
    for (int r = 1; r < grid.Rows(); ++r) {
        for (int c = 1; c < grid.Cols(); ++c) {
            grid.setTextMatrix(r, c, "d" + std::to_string(r) + "/" + std::to_string(c));
        }
    }
}

void expectLayout(const FlexGrid& grid) {
    ASSERT_EQ(grid.Rows(), 301);
    ASSERT_EQ(grid.Cols(), 44);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Row No");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Sample No");
    for (int c = 2; c < 44; ++c) {
        EXPECT_EQ(grid.TextMatrix(0, c), kOxideList[static_cast<std::size_t>(c - 2)]);
    }
    EXPECT_EQ(grid.TextMatrix(0, 2), "SiO2");
    EXPECT_EQ(grid.TextMatrix(0, 43), "H2O");
    for (int r = 1; r <= 300; ++r) {
        EXPECT_EQ(grid.TextMatrix(r, 0), std::to_string(r));
    }
    for (int c = 0; c < 44; ++c) {
        EXPECT_EQ(grid.cellAlignmentAt(0, c), FlexGrid::kAlignCenterCenter) << c;
    }
    for (int r = 1; r <= 300; ++r) {
        EXPECT_EQ(grid.cellAlignmentAt(r, 0), FlexGrid::kAlignCenterCenter) << r;
    }
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 43);
    EXPECT_EQ(grid.RowSel(), 0);
    EXPECT_EQ(grid.ColSel(), 43);
}

TEST(CapCell, LaysOutTheDesignGrid) {
    FlexGrid grid = designGrid();
    capCell(grid);
    expectLayout(grid);
    for (int r = 1; r <= 300; ++r) {
        for (int c = 1; c < 44; ++c) {
            EXPECT_EQ(grid.TextMatrix(r, c), "");
            EXPECT_EQ(grid.cellAlignmentAt(r, c), 0);
        }
    }
}

TEST(CapCell, KeepsEveryAnalysisTextAndRewritesOnlyHeadingsAndRowNumbers) {
    FlexGrid grid = designGrid();
    capCell(grid);
    fillDataBlock(grid);
    grid.setTextMatrix(0, 5, "changed");
    grid.setTextMatrix(17, 0, "x");
    capCell(grid);
    expectLayout(grid);
    for (int r = 1; r <= 300; ++r) {
        for (int c = 1; c < 44; ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "d" + std::to_string(r) + "/" + std::to_string(c));
        }
    }
}

TEST(CapCell, RenumbersAfterInsertAndRemoveAndDropsTheRowPushedPast300) {
    FlexGrid grid = designGrid();
    capCell(grid);
    fillDataBlock(grid);
    grid.AddItem("", 5);   // Insert Row on row 5
    grid.RemoveItem(10);   // Remove Row on row 10 (former row 9)
    grid.AddItem("", 20);  // Insert Row on row 20
    ASSERT_EQ(grid.Rows(), 302);
    capCell(grid);
    expectLayout(grid);
    EXPECT_EQ(grid.TextMatrix(5, 1), "");
    EXPECT_EQ(grid.TextMatrix(6, 1), "d5/1");
    EXPECT_EQ(grid.TextMatrix(10, 1), "d10/1");
    EXPECT_EQ(grid.TextMatrix(20, 1), "");
    // Former row 299 is now row 300; former row 300 was pushed out and is gone.
    EXPECT_EQ(grid.TextMatrix(300, 1), "d299/1");
}

TEST(CapCell, GrowsAnImportedShapeBackWithEmptyNewCells) {
    FlexGrid grid(101, 43);
    for (int r = 0; r < 101; ++r) {
        for (int c = 0; c < 43; ++c) {
            grid.setTextMatrix(r, c, "w" + std::to_string(r) + "/" + std::to_string(c));
        }
    }
    capCell(grid);
    expectLayout(grid);
    EXPECT_EQ(grid.TextMatrix(100, 42), "w100/42");
    EXPECT_EQ(grid.TextMatrix(1, 43), "");
    EXPECT_EQ(grid.TextMatrix(101, 1), "");
    EXPECT_EQ(grid.TextMatrix(300, 43), "");
}

TEST(CapCell, AfterClearEveryDataCellIsEmpty) {
    FlexGrid grid = designGrid();
    capCell(grid);
    fillDataBlock(grid);
    grid.Clear();
    capCell(grid);
    expectLayout(grid);
    for (int r = 1; r <= 300; ++r) {
        for (int c = 1; c < 44; ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "");
        }
    }
}

}  // namespace
}  // namespace stelvador
