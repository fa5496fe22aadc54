// Cut, Copy, Paste, Delete, Select All, Clear All, Insert Row and Remove Row over the analysis
// grid, with the real clipboard.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/error_numbers.h"
#include "grid_editing_fixture.h"
#include "platform/clipboard.h"

namespace stelvador {
namespace {

void ExpectLaidOutEmpty(const FlexGrid& grid) {
    ASSERT_EQ(grid.Rows(), 301);
    ASSERT_EQ(grid.Cols(), 44);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Row No");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Sample No");
    EXPECT_EQ(grid.TextMatrix(0, 2), "SiO2");
    EXPECT_EQ(grid.TextMatrix(0, 43), "H2O");
    for (int r = 1; r <= 300; ++r) {
        ASSERT_EQ(grid.TextMatrix(r, 0), std::to_string(r));
        for (int c = 1; c < 44; ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "") << r << "," << c;
        }
    }
}

// --- Copy, Cut, Delete -----------------------------------------------------------------------

TEST_F(GridEditingTest, CopyOfOneCellPutsItsTextAsOneRow) {
    grid().setTextMatrix(3, 2, "38.650");
    current(3, 2);
    editing().mnuEditCopy_Click();
    EXPECT_EQ(clipboardText(), QStringLiteral("38.650\n"));
}

TEST_F(GridEditingTest, CopyOfABlockPutsTabsBetweenCellsAndEndsEveryRowWithTheDesktopLineEnd) {
    fillDataBlock();
    grid().setTextMatrix(3, 3, "");
    select(2, 2, 3, 4);
    const GridCells before = CellsOf(grid());
    editing().mnuEditCopy_Click();
    EXPECT_EQ(clipboardText(), QStringLiteral("2,2\t2,3\t2,4\n3,2\t\t3,4\n"));
    EXPECT_EQ(CellsOf(grid()), before);
}

struct Corner {
    const char* name;
    int row, col, rowSel, colSel;
};

class GridEditingCutTest : public GridEditingTest, public ::testing::WithParamInterface<Corner> {};

TEST_P(GridEditingCutTest, CutEmptiesTheBlockFromWhicheverCornerAndKeepsItsText) {
    const Corner& c = GetParam();
    fillDataBlock();
    select(c.row, c.col, c.rowSel, c.colSel);
    GridCells want = CellsOf(grid());
    for (int r = 4; r <= 6; ++r) {
        for (int col = 2; col <= 3; ++col) {
            want[r][col] = "";
        }
    }
    editing().mnuEditCut_Click();
    EXPECT_EQ(CellsOf(grid()), want);
    EXPECT_EQ(clipboardText(), QStringLiteral("4,2\t4,3\n5,2\t5,3\n6,2\t6,3\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Corners, GridEditingCutTest,
    ::testing::Values(Corner{"TopLeft", 4, 2, 6, 3}, Corner{"BottomRight", 6, 3, 4, 2},
                      Corner{"TopRight", 4, 3, 6, 2}, Corner{"BottomLeft", 6, 2, 4, 3}),
    [](const ::testing::TestParamInfo<Corner>& info) { return info.param.name; });

TEST_F(GridEditingTest, DeleteEmptiesTheSelectionAndLeavesTheClipboard) {
    fillDataBlock();
    setClipboardText(QStringLiteral("kept"));
    select(10, 5, 8, 1);
    GridCells want = CellsOf(grid());
    for (int r = 8; r <= 10; ++r) {
        for (int c = 1; c <= 5; ++c) {
            want[r][c] = "";
        }
    }
    editing().mnuEditDelete_Click();
    EXPECT_EQ(CellsOf(grid()), want);
    EXPECT_EQ(clipboardText(), QStringLiteral("kept"));
}

// --- Paste -----------------------------------------------------------------------------------

TEST_F(GridEditingTest, PasteWithOneCellSelectedFillsThatCellOnly) {
    fillDataBlock();
    setClipboardText(QStringLiteral("a\tb\tc"));
    current(5, 5);
    GridCells want = CellsOf(grid());
    want[5][5] = "a";
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), want);
}

TEST_F(GridEditingTest, PasteOfAnEmptyClipboardChangesNothing) {
    fillDataBlock();
    select(2, 2, 4, 4);
    const GridCells before = CellsOf(grid());
    setClipboardText(QString());
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), before);
    QGuiApplication::clipboard()->clear();
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), before);
    // A lone line end is text, the block of one empty cell (a copied empty cell): it empties
    // the selection's first cell.
    setClipboardText(QStringLiteral("\r\n"));
    editing().mnuEditPaste_Click();
    GridCells want = before;
    want[2][2] = "";
    EXPECT_EQ(CellsOf(grid()), want);
}

struct SpreadsheetBlock {
    const char* name;
    QString text;
};

class GridEditingSpreadsheetPasteTest : public GridEditingTest,
                                        public ::testing::WithParamInterface<SpreadsheetBlock> {};

TEST_P(GridEditingSpreadsheetPasteTest, AfterSelectAllFillsFromTheSampleColumnAndKeepsRowsBelow) {
    fillDataBlock();
    setClipboardText(GetParam().text);
    editing().mnuEditSelectAll_Click();
    GridCells want = CellsOf(grid());
    want[1][1] = "Ep-1";
    want[1][2] = "38.65";
    want[1][3] = "";
    want[1][4] = "22.1";
    want[2][1] = "Ep-2";
    want[2][2] = "37.9";
    want[2][3] = "0.05";
    want[2][4] = "23";
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), want);
    EXPECT_EQ(grid().TextMatrix(3, 1), "3,1");
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, GridEditingSpreadsheetPasteTest,
    ::testing::Values(
        SpreadsheetBlock{"TabLfTrailingLf", "Ep-1\t38.65\t\t22.1\nEp-2\t37.9\t0.05\t23\n"},
        SpreadsheetBlock{"TabCrLfTrailingCrLf", "Ep-1\t38.65\t\t22.1\r\nEp-2\t37.9\t0.05\t23\r\n"},
        SpreadsheetBlock{"TabCrLfNoTrailing", "Ep-1\t38.65\t\t22.1\r\nEp-2\t37.9\t0.05\t23"},
        SpreadsheetBlock{"TabCr", "Ep-1\t38.65\t\t22.1\rEp-2\t37.9\t0.05\t23\r"}),
    [](const ::testing::TestParamInfo<SpreadsheetBlock>& info) { return info.param.name; });

TEST_F(GridEditingTest, PasteNeverWritesOutsideTheGrid) {
    fillDataBlock();
    std::string big;
    for (int r = 0; r < 400; ++r) {
        big += "x\tx\tx\tx\n";
    }
    setClipboardText(QString::fromStdString(big));
    select(299, 42, 300, 43);
    GridCells want = CellsOf(grid());
    want[299][42] = want[299][43] = want[300][42] = want[300][43] = "x";
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), want);
    current(300, 43);
    editing().mnuEditPaste_Click();
    EXPECT_EQ(grid().Rows(), 301);
    EXPECT_EQ(grid().Cols(), 44);
}

TEST_F(GridEditingTest, CopyThenPasteRoundTripsTheWholeDataBlock) {
    fillDataBlock();
    grid().setTextMatrix(17, 1, "Ep \xC3\xA9 1");
    grid().setTextMatrix(300, 43, "");
    grid().setTextMatrix(150, 20, "");
    const GridCells before = CellsOf(grid());
    editing().mnuEditSelectAll_Click();
    editing().mnuEditCopy_Click();
    editing().mnuClear_Click();
    ExpectLaidOutEmpty(grid());
    editing().mnuEditSelectAll_Click();
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), before);
}

// Blocks copied from rows 10 on and pasted over rows 100 on, every cell of which held "X": the
// pasted cells equal the copied ones, empty last rows and columns included.
TEST_F(GridEditingTest, CopyThenPasteOfAnyBlockGivesTheSameCellsBack) {
    struct Block {
        const char* name;
        int rows;
        int cols;
        std::vector<std::pair<int, int>> emptyCells;  // in the block, from 0
    };
    const std::vector<Block> blocks = {
        {"SingleEmptyCell", 1, 1, {{0, 0}}},
        {"EmptyLastRow", 3, 1, {{2, 0}}},
        {"EmptyLastColumn", 2, 3, {{0, 2}, {1, 2}}},
        {"EmptyLastRowAndColumn", 3, 3, {{2, 0}, {2, 1}, {2, 2}, {0, 2}, {1, 2}}},
        {"AllEmpty", 2, 2, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {"Full", 4, 5, {}},
    };
    for (const Block& block : blocks) {
        SCOPED_TRACE(block.name);
        fillDataBlock();
        for (const auto& [r, c] : block.emptyCells) {
            grid().setTextMatrix(10 + r, 3 + c, "");
        }
        for (int r = 0; r < block.rows; ++r) {
            for (int c = 0; c < block.cols; ++c) {
                grid().setTextMatrix(100 + r, 3 + c, "X");
            }
        }
        select(10, 3, 10 + block.rows - 1, 3 + block.cols - 1);
        editing().mnuEditCopy_Click();
        select(100, 3, 100 + block.rows - 1, 3 + block.cols - 1);
        editing().mnuEditPaste_Click();
        for (int r = 0; r < block.rows; ++r) {
            for (int c = 0; c < block.cols; ++c) {
                EXPECT_EQ(grid().TextMatrix(100 + r, 3 + c), grid().TextMatrix(10 + r, 3 + c))
                    << "cell " << r << ", " << c;
            }
        }
    }
}

// --- Select All ------------------------------------------------------------------------------

TEST_F(GridEditingTest, SelectAllSelectsTheDataBlockFromRowOneShownFromTheTop) {
    view().setFocus();
    view().scrollToBottom();
    current(250, 30);
    editing().mnuEditSelectAll_Click();
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), 1);
    EXPECT_EQ(grid().RowSel(), 300);
    EXPECT_EQ(grid().ColSel(), 43);
    EXPECT_EQ(grid().TopRow(), 1);
    EXPECT_TRUE(grid().Visible());
    EXPECT_TRUE(view().isVisible());
    EXPECT_TRUE(view().hasFocus());
    EXPECT_EQ(view().selectionModel()->selectedIndexes().size(), 300 * 43);
    EXPECT_EQ(view().rowAt(0), 0);
}

// --- Clear All, Insert Row, Remove Row --------------------------------------------------------

TEST_F(GridEditingTest, ClearAllEmptiesTheDataAndLaysTheGridOutAgain) {
    fillDataBlock();
    grid().setTextMatrix(0, 5, "typed into a heading");
    grid().setTextMatrix(9, 0, "99");
    current(5, 1);
    editing().mnuEditInsertRow_Click();
    current(9, 1);
    editing().mnuDelete_Click();
    editing().mnuDelete_Click();
    editing().mnuClear_Click();
    ExpectLaidOutEmpty(grid());
}

TEST_F(GridEditingTest, ClearAllRestoresTheShapeAWorkbookImportLeaves) {
    grid().setCols(43);
    grid().setRows(101);
    grid().setTextMatrix(0, 0, "imported");
    editing().mnuClear_Click();
    ExpectLaidOutEmpty(grid());
}

TEST_F(GridEditingTest, InsertRowAddsAnEmptyUnnumberedRowAndClearAllRenumbers) {
    fillDataBlock();
    current(5, 3);
    editing().mnuEditInsertRow_Click();
    ASSERT_EQ(grid().Rows(), 302);
    for (int c = 0; c < 44; ++c) {
        EXPECT_EQ(grid().TextMatrix(5, c), "");
    }
    EXPECT_EQ(grid().TextMatrix(6, 0), "5");
    EXPECT_EQ(grid().TextMatrix(6, 1), "5,1");
    EXPECT_EQ(grid().TextMatrix(4, 0), "4");
    EXPECT_EQ(grid().TextMatrix(301, 0), "300");
    editing().mnuClear_Click();
    ExpectLaidOutEmpty(grid());
}

TEST_F(GridEditingTest, RemoveRowFiveOf301LeavesAGapInTheRowNumbers) {
    fillDataBlock();
    current(5, 2);
    editing().mnuDelete_Click();
    ASSERT_EQ(grid().Rows(), 300);
    for (int r = 1; r < 300; ++r) {
        const int number = r < 5 ? r : r + 1;
        ASSERT_EQ(grid().TextMatrix(r, 0), std::to_string(number));
        ASSERT_EQ(grid().TextMatrix(r, 1), std::to_string(number) + ",1");
    }
}

TEST_F(GridEditingTest, RemoveRowOnAGridOfTwoRowsOrFewerDoesNothing) {
    grid().setRows(2);
    current(1, 1);
    grid().setText("last analysis");
    editing().mnuDelete_Click();
    EXPECT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().TextMatrix(1, 1), "last analysis");
    grid().setRows(1);
    editing().mnuDelete_Click();
    EXPECT_EQ(grid().Rows(), 1);
}

// --- failures --------------------------------------------------------------------------------

// A clipboard that cannot be opened.
class ClosedClipboard : public Clipboard {
  public:
    void Clear() override { fail(); }
    std::optional<std::string> GetText() override { fail(); }
    void SetText(std::string_view) override { fail(); }

  private:
    [[noreturn]] static void fail() { throw RunTimeError(error::kCantOpenClipboard); }
};

TEST_F(GridEditingTest, ClipboardFailuresReachTheCallerAndChangeNoCell) {
    ClosedClipboard closed;
    GridEditing editing(GridEditingVariant::DataEntry, view(), mirror(), closed,
                        [](const std::function<void()>& work) { work(); });
    fillDataBlock();
    select(2, 2, 3, 3);
    const GridCells before = CellsOf(grid());
    for (const auto& command : {&GridEditing::mnuEditCopy_Click, &GridEditing::mnuEditCut_Click,
                                &GridEditing::mnuEditPaste_Click}) {
        try {
            (editing.*command)();
            ADD_FAILURE() << "no failure";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), error::kCantOpenClipboard);
        }
        EXPECT_EQ(CellsOf(grid()), before);
    }
}

}  // namespace
}  // namespace stelvador
