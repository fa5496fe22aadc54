#include "platform/flex_grid.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {
namespace {

// Every cell's text, row by row, for comparing whole grids.
std::vector<std::vector<std::string>> snapshot(const FlexGrid& grid) {
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(grid.Rows()));
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            cells[static_cast<std::size_t>(r)].push_back(grid.TextMatrix(r, c));
        }
    }
    return cells;
}

// A grid whose every cell names itself: "r,c".
FlexGrid namedGrid(int rows, int cols) {
    FlexGrid grid(rows, cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            grid.setTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
        }
    }
    return grid;
}

void select(FlexGrid& grid, int row, int col, int rowSel, int colSel) {
    grid.setRow(row);
    grid.setCol(col);
    grid.setRowSel(rowSel);
    grid.setColSel(colSel);
}

// Records the listener calls as short texts.
class RecordingListener : public FlexGridListener {
  public:
    void gridAboutToReshape() override { calls.push_back("aboutToReshape"); }
    void gridReshaped() override { calls.push_back("reshaped"); }
    void rowAboutToBeInserted(int row) override { calls.push_back("aboutToInsert " + n(row)); }
    void rowInserted(int row) override { calls.push_back("inserted " + n(row)); }
    void rowAboutToBeRemoved(int row) override { calls.push_back("aboutToRemove " + n(row)); }
    void rowRemoved(int row) override { calls.push_back("removed " + n(row)); }
    void cellsChanged(int top, int left, int bottom, int right) override {
        calls.push_back("cells " + n(top) + " " + n(left) + " " + n(bottom) + " " + n(right));
    }
    void selectionChanged() override { calls.push_back("selection"); }
    void propertiesChanged() override { calls.push_back("properties"); }

    std::vector<std::string> calls;

  private:
    static std::string n(int value) { return std::to_string(value); }
};

TEST(FlexGrid, StartsEmptyWithTheCurrentCellOnTheFirstScrollingCell) {
    const FlexGrid grid(5, 4);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 1);
    EXPECT_EQ(grid.ColSel(), 1);
    EXPECT_EQ(grid.TopRow(), 1);
    EXPECT_TRUE(grid.Visible());
    EXPECT_EQ(grid.Text(), "");
    EXPECT_EQ(grid.CellAlignment(), 0);
}

TEST(FlexGrid, TextWritesTheCurrentCellOnly) {
    FlexGrid grid(4, 4);
    grid.setRow(2);
    grid.setCol(3);
    grid.setText("SiO2 38.1");
    EXPECT_EQ(grid.Text(), "SiO2 38.1");
    EXPECT_EQ(grid.TextMatrix(2, 3), "SiO2 38.1");
    int filled = 0;
    for (const auto& row : snapshot(grid)) {
        for (const auto& text : row) {
            filled += text.empty() ? 0 : 1;
        }
    }
    EXPECT_EQ(filled, 1);
}

TEST(FlexGrid, WritingRowOrColCollapsesTheSelection) {
    FlexGrid grid(6, 6);
    select(grid, 1, 1, 4, 5);
    grid.setRow(3);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 1);
    grid.setColSel(4);
    grid.setRowSel(5);
    grid.setCol(2);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 2);
}

TEST(FlexGrid, ResizingKeepsTextsInsideAndEmptiesNewCells) {
    FlexGrid grid = namedGrid(4, 5);
    select(grid, 3, 4, 3, 4);
    grid.setCols(3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.ColSel(), 2);
    grid.setRows(6);
    grid.setCols(6);
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(grid.Cols(), 6);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 6; ++c) {
            const std::string expected =
                r < 4 && c < 3 ? std::to_string(r) + "," + std::to_string(c) : "";
            EXPECT_EQ(grid.TextMatrix(r, c), expected) << r << "," << c;
        }
    }
    grid.setRows(2);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.TextMatrix(1, 2), "1,2");
}

// Every operation given an index the grid does not have throws its number and changes nothing.
struct InvalidIndexCase {
    const char* name;
    std::function<void(FlexGrid&)> operation;
    int number;
};

class FlexGridInvalidIndex : public ::testing::TestWithParam<InvalidIndexCase> {};

TEST_P(FlexGridInvalidIndex, ThrowsAndChangesNothing) {
    FlexGrid grid = namedGrid(5, 4);
    select(grid, 2, 1, 3, 3);
    const auto before = snapshot(grid);
    try {
        GetParam().operation(grid);
        FAIL() << "no error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), GetParam().number);
    }
    EXPECT_EQ(snapshot(grid), before);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FlexGridInvalidIndex,
    ::testing::Values(
        InvalidIndexCase{"RowNegative", [](FlexGrid& g) { g.setRow(-1); }, error::kInvalidRowValue},
        InvalidIndexCase{"RowPastEnd", [](FlexGrid& g) { g.setRow(5); }, error::kInvalidRowValue},
        InvalidIndexCase{"ColNegative", [](FlexGrid& g) { g.setCol(-1); }, error::kInvalidColValue},
        InvalidIndexCase{"ColPastEnd", [](FlexGrid& g) { g.setCol(4); }, error::kInvalidColValue},
        InvalidIndexCase{"RowSelPastEnd", [](FlexGrid& g) { g.setRowSel(5); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"ColSelPastEnd", [](FlexGrid& g) { g.setColSel(4); },
                         error::kInvalidColValue},
        InvalidIndexCase{"TextMatrixRow", [](FlexGrid& g) { (void)g.TextMatrix(7, 0); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"SetTextMatrixCol", [](FlexGrid& g) { g.setTextMatrix(1, 9, "x"); },
                         error::kInvalidColValue},
        InvalidIndexCase{"AlignmentAtCol", [](FlexGrid& g) { (void)g.cellAlignmentAt(0, -2); },
                         error::kInvalidColValue},
        InvalidIndexCase{"AddItemPastEnd", [](FlexGrid& g) { g.AddItem("a", 6); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"AddItemNegative", [](FlexGrid& g) { g.AddItem("a", -1); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"RemoveItemPastEnd", [](FlexGrid& g) { g.RemoveItem(5); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"RemoveFixedRow", [](FlexGrid& g) { g.RemoveItem(0); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"TopRowPastEnd", [](FlexGrid& g) { g.setTopRow(5); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"RowsBelowFixed", [](FlexGrid& g) { g.setRows(0); },
                         error::kInvalidRowValue},
        InvalidIndexCase{"ColsBelowFixed", [](FlexGrid& g) { g.setCols(0); },
                         error::kInvalidColValue},
        InvalidIndexCase{"AlignmentOutOfRange", [](FlexGrid& g) { g.setCellAlignment(10); }, 380}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClipReadCase {
    const char* name;
    int row, col, rowSel, colSel;
    std::string clip;
};

class FlexGridClipRead : public ::testing::TestWithParam<ClipReadCase> {};

TEST_P(FlexGridClipRead, GivesTheSelectionAsAGridTextBlock) {
    FlexGrid grid = namedGrid(4, 4);
    const auto& c = GetParam();
    select(grid, c.row, c.col, c.rowSel, c.colSel);
    EXPECT_EQ(grid.Clip(), c.clip);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, FlexGridClipRead,
    ::testing::Values(ClipReadCase{"SingleCell", 2, 3, 2, 3, "2,3"},
                      ClipReadCase{"OneRow", 1, 1, 1, 3, "1,1\t1,2\t1,3"},
                      ClipReadCase{"OneColumn", 1, 2, 3, 2, "1,2\r2,2\r3,2"},
                      ClipReadCase{"Block", 1, 1, 2, 2, "1,1\t1,2\r2,1\t2,2"},
                      ClipReadCase{"DrawnFromBottomRight", 2, 2, 1, 1, "1,1\t1,2\r2,1\t2,2"},
                      ClipReadCase{"DrawnFromTopRight", 1, 3, 2, 2, "1,2\t1,3\r2,2\t2,3"},
                      ClipReadCase{"WholeGrid", 0, 0, 3, 3,
                                   "0,0\t0,1\t0,2\t0,3\r1,0\t1,1\t1,2\t1,3\r"
                                   "2,0\t2,1\t2,2\t2,3\r3,0\t3,1\t3,2\t3,3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlexGridClipRead, EmptyCellsKeepTheirSeparators) {
    FlexGrid grid(3, 3);
    select(grid, 1, 0, 2, 2);
    EXPECT_EQ(grid.Clip(), "\t\t\r\t\t");
}

// Clip write on a 5 x 5 grid of named cells; expected rows list only rows 1 to 3, columns 1 to
// 3 (the rest never changes in these cases).
struct ClipWriteCase {
    const char* name;
    int row, col, rowSel, colSel;
    std::string text;
    std::vector<std::vector<std::string>> expected;
};

class FlexGridClipWrite : public ::testing::TestWithParam<ClipWriteCase> {};

TEST_P(FlexGridClipWrite, FillsTheSelectionFromItsTopLeft) {
    FlexGrid grid = namedGrid(5, 5);
    const auto& c = GetParam();
    select(grid, c.row, c.col, c.rowSel, c.colSel);
    grid.setClip(c.text);
    for (int r = 0; r < 5; ++r) {
        for (int col = 0; col < 5; ++col) {
            const bool inside = r >= 1 && r <= 3 && col >= 1 && col <= 3;
            const std::string expected =
                inside
                    ? c.expected[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(col - 1)]
                    : std::to_string(r) + "," + std::to_string(col);
            EXPECT_EQ(grid.TextMatrix(r, col), expected) << r << "," << col;
        }
    }
    EXPECT_EQ(grid.Row(), c.row);
    EXPECT_EQ(grid.RowSel(), c.rowSel);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FlexGridClipWrite,
    ::testing::Values(
        ClipWriteCase{"ExactFit",
                      1,
                      1,
                      3,
                      3,
                      "a\tb\tc\rd\te\tf\rg\th\ti",
                      {{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}}},
        ClipWriteCase{"ShorterTextKeepsCellsNotReached",
                      1,
                      1,
                      3,
                      3,
                      "a\tb\rc",
                      {{"a", "b", "1,3"}, {"c", "2,2", "2,3"}, {"3,1", "3,2", "3,3"}}},
        ClipWriteCase{"LongerTextIsDroppedBeyondTheSelection",
                      1,
                      1,
                      2,
                      2,
                      "a\tb\tX\tY\rc\td\tZ\re\tf",
                      {{"a", "b", "1,3"}, {"c", "d", "2,3"}, {"3,1", "3,2", "3,3"}}},
        ClipWriteCase{"EmptyTextEmptiesTheTopLeftCellOnly",
                      1,
                      1,
                      3,
                      3,
                      "",
                      {{"", "1,2", "1,3"}, {"2,1", "2,2", "2,3"}, {"3,1", "3,2", "3,3"}}},
        ClipWriteCase{"SingleCellTakesOnlyTheFirstPart",
                      2,
                      2,
                      2,
                      2,
                      "a\tb\rc",
                      {{"1,1", "1,2", "1,3"}, {"2,1", "a", "2,3"}, {"3,1", "3,2", "3,3"}}},
        ClipWriteCase{"SelectionDrawnUpwardsFillsFromItsTopLeft",
                      3,
                      3,
                      2,
                      2,
                      "a\tb\rc\td",
                      {{"1,1", "1,2", "1,3"}, {"2,1", "a", "b"}, {"3,1", "c", "d"}}},
        ClipWriteCase{"TrailingCrEmptiesTheNextRowsFirstCell",
                      1,
                      1,
                      3,
                      3,
                      "a\tb\r",
                      {{"a", "b", "1,3"}, {"", "2,2", "2,3"}, {"3,1", "3,2", "3,3"}}},
        ClipWriteCase{"EmptyPartsEmptyTheirCells",
                      1,
                      1,
                      3,
                      3,
                      "\t\t\r\t",
                      {{"", "", ""}, {"", "", "2,3"}, {"3,1", "3,2", "3,3"}}},
        ClipWriteCase{"LineFeedStaysInTheCell",
                      1,
                      1,
                      3,
                      3,
                      "a\nb\tc",
                      {{"a\nb", "c", "1,3"}, {"2,1", "2,2", "2,3"}, {"3,1", "3,2", "3,3"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlexGridClipWrite, ReadBackGivesTheSameBlock) {
    FlexGrid grid(301, 44);
    select(grid, 1, 1, 300, 43);
    std::string block;
    for (int r = 1; r <= 300; ++r) {
        if (r > 1) {
            block += '\r';
        }
        for (int c = 1; c <= 43; ++c) {
            if (c > 1) {
                block += '\t';
            }
            block += std::to_string(r * c);
        }
    }
    grid.setClip(block);
    EXPECT_EQ(grid.Clip(), block);
}

TEST(FlexGridAddItem, AppendsARowWhoseCellsTakeTheTabSeparatedParts) {
    FlexGrid grid = namedGrid(2, 3);
    grid.AddItem("a\tb");
    grid.AddItem("c\td\te\tf");
    grid.AddItem("");
    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(snapshot(grid), (std::vector<std::vector<std::string>>{{"0,0", "0,1", "0,2"},
                                                                     {"1,0", "1,1", "1,2"},
                                                                     {"a", "b", ""},
                                                                     {"c", "d", "e"},
                                                                     {"", "", ""}}));
}

TEST(FlexGridAddItem, WithAnIndexInsertsAndMovesTheRowsBelowDown) {
    FlexGrid grid = namedGrid(4, 2);
    grid.setRow(2);
    grid.setCol(1);
    grid.setCellAlignment(FlexGrid::kAlignRightTop);
    grid.AddItem("new\trow", 2);
    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(snapshot(grid),
              (std::vector<std::vector<std::string>>{
                  {"0,0", "0,1"}, {"1,0", "1,1"}, {"new", "row"}, {"2,0", "2,1"}, {"3,0", "3,1"}}));
    EXPECT_EQ(grid.cellAlignmentAt(2, 1), 0);
    EXPECT_EQ(grid.cellAlignmentAt(3, 1), FlexGrid::kAlignRightTop);
    // The current cell stays at its index, now the inserted row.
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Text(), "row");
}

TEST(FlexGridAddItem, IndexZeroAndIndexRowsAreAccepted) {
    FlexGrid grid = namedGrid(2, 2);
    grid.AddItem("top", 0);
    grid.AddItem("bottom", grid.Rows());
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(0, 0), "top");
    EXPECT_EQ(grid.TextMatrix(1, 0), "0,0");
    EXPECT_EQ(grid.TextMatrix(3, 0), "bottom");
}

TEST(FlexGridAddItem, ManyAppendedRowsKeepTheirTexts) {
    FlexGrid grid(2, 135);
    std::string row;
    for (int c = 0; c < 135; ++c) {
        if (c > 0) {
            row += '\t';
        }
        row += std::to_string(c);
    }
    for (int i = 0; i < 300; ++i) {
        grid.AddItem(row);
    }
    EXPECT_EQ(grid.Rows(), 302);
    EXPECT_EQ(grid.TextMatrix(301, 134), "134");
    EXPECT_EQ(grid.TextMatrix(2, 0), "0");
}

TEST(FlexGridRemoveItem, RemovesTheRowAndMovesTheRowsBelowUp) {
    FlexGrid grid = namedGrid(5, 2);
    grid.RemoveItem(2);
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(snapshot(grid), (std::vector<std::vector<std::string>>{
                                  {"0,0", "0,1"}, {"1,0", "1,1"}, {"3,0", "3,1"}, {"4,0", "4,1"}}));
}

TEST(FlexGridRemoveItem, TheCurrentCellAndSelectionStayInsideTheGrid) {
    FlexGrid grid = namedGrid(4, 3);
    select(grid, 3, 1, 3, 2);
    grid.setTopRow(3);
    grid.RemoveItem(3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.TopRow(), 2);
    EXPECT_EQ(grid.Text(), "2,1");
}

TEST(FlexGridRemoveItem, TheLastScrollingRowCanGoButNotTheFixedRow) {
    FlexGrid grid = namedGrid(2, 2);
    grid.RemoveItem(1);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_THROW(grid.RemoveItem(0), RunTimeError);
    EXPECT_EQ(grid.Rows(), 1);
}

TEST(FlexGridClear, EmptiesEveryCellAndKeepsTheSize) {
    FlexGrid grid = namedGrid(4, 3);
    grid.setRow(0);
    grid.setCol(0);
    grid.setCellAlignment(FlexGrid::kAlignCenterCenter);
    select(grid, 1, 1, 3, 2);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(snapshot(grid), std::vector<std::vector<std::string>>(4, {"", "", ""}));
    EXPECT_EQ(grid.cellAlignmentAt(0, 0), 0);
    EXPECT_EQ(grid.RowSel(), 3);
}

TEST(FlexGridCellAlignment, BelongsToTheCurrentCellOnly) {
    FlexGrid grid(4, 4);
    grid.setRow(0);
    grid.setCol(2);
    grid.setCellAlignment(FlexGrid::kAlignCenterCenter);
    grid.setRow(3);
    grid.setCol(1);
    grid.setCellAlignment(FlexGrid::kAlignRightTop);
    EXPECT_EQ(grid.CellAlignment(), FlexGrid::kAlignRightTop);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int expected = r == 0 && c == 2   ? FlexGrid::kAlignCenterCenter
                                 : r == 3 && c == 1 ? FlexGrid::kAlignRightTop
                                                    : 0;
            EXPECT_EQ(grid.cellAlignmentAt(r, c), expected) << r << "," << c;
        }
    }
}

TEST(FlexGridProperties, TopRowRowHeightMinAndVisible) {
    FlexGrid grid(10, 3);
    grid.setTopRow(6);
    EXPECT_EQ(grid.TopRow(), 6);
    grid.setTopRow(0);  // a fixed row does not scroll
    EXPECT_EQ(grid.TopRow(), 1);
    grid.setRowHeightMin(285);
    EXPECT_EQ(grid.RowHeightMin(), 285);
    grid.setRowHeightMin(-5);
    EXPECT_EQ(grid.RowHeightMin(), 0);
    grid.setVisible(false);
    EXPECT_FALSE(grid.Visible());
    grid.setTopRow(9);
    grid.setRows(4);
    EXPECT_EQ(grid.TopRow(), 3);
}

struct NotifyCase {
    const char* name;
    std::function<void(FlexGrid&)> operation;
    std::vector<std::string> calls;
};

class FlexGridNotifies : public ::testing::TestWithParam<NotifyCase> {};

TEST_P(FlexGridNotifies, TellsTheListenerOfTheChange) {
    FlexGrid grid = namedGrid(5, 4);
    RecordingListener listener;
    grid.setListener(&listener);
    GetParam().operation(grid);
    EXPECT_EQ(listener.calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FlexGridNotifies,
    ::testing::Values(
        NotifyCase{"Rows", [](FlexGrid& g) { g.setRows(7); }, {"aboutToReshape", "reshaped"}},
        NotifyCase{"Cols", [](FlexGrid& g) { g.setCols(2); }, {"aboutToReshape", "reshaped"}},
        NotifyCase{"Row", [](FlexGrid& g) { g.setRow(3); }, {"selection"}},
        NotifyCase{"ColSel", [](FlexGrid& g) { g.setColSel(3); }, {"selection"}},
        NotifyCase{"Text", [](FlexGrid& g) { g.setText("x"); }, {"cells 1 1 1 1"}},
        NotifyCase{
            "TextMatrix", [](FlexGrid& g) { g.setTextMatrix(4, 3, "x"); }, {"cells 4 3 4 3"}},
        NotifyCase{"Clip",
                   [](FlexGrid& g) {
                       g.setRowSel(3);
                       g.setColSel(3);
                       g.setClip("a\tb\rc");
                   },
                   {"selection", "selection", "cells 1 1 2 2"}},
        NotifyCase{
            "AddItem", [](FlexGrid& g) { g.AddItem("x"); }, {"aboutToInsert 5", "inserted 5"}},
        NotifyCase{
            "AddItemAt", [](FlexGrid& g) { g.AddItem("x", 2); }, {"aboutToInsert 2", "inserted 2"}},
        NotifyCase{
            "RemoveItem", [](FlexGrid& g) { g.RemoveItem(4); }, {"aboutToRemove 4", "removed 4"}},
        NotifyCase{"Clear", [](FlexGrid& g) { g.Clear(); }, {"cells 0 0 4 3"}},
        NotifyCase{"CellAlignment", [](FlexGrid& g) { g.setCellAlignment(4); }, {"cells 1 1 1 1"}},
        NotifyCase{"TopRow", [](FlexGrid& g) { g.setTopRow(2); }, {"properties"}},
        NotifyCase{"RowHeightMin", [](FlexGrid& g) { g.setRowHeightMin(300); }, {"properties"}},
        NotifyCase{"Visible", [](FlexGrid& g) { g.setVisible(false); }, {"properties"}},
        NotifyCase{"FailedRowNotifiesNothing",
                   [](FlexGrid& g) { EXPECT_THROW(g.setRow(9), RunTimeError); },
                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace stelvador
