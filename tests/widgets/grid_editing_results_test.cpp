// Grid editing in the results window: the results grid of 135 columns.
#include <gtest/gtest.h>

#include "grid_editing_fixture.h"

namespace stelvador {
namespace {

class ResultsGridEditingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_window = std::make_unique<GridEditingWindow>(GridEditingVariant::Results);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window->m_window.get()));
        for (int i = 1; i <= 3; ++i) {
            std::string row = "Ep-" + std::to_string(i);
            for (int c = 1; c <= 130; ++c) {
                row += "\t" + std::to_string(i) + "." + std::to_string(c);
            }
            grid().AddItem(row);
        }
    }

    FlexGrid& grid() { return m_window->grid(); }
    GridEditing& editing() { return *m_window->m_editing; }

    std::unique_ptr<GridEditingWindow> m_window;
};

TEST_F(ResultsGridEditingTest, SelectAllSelectsEveryCellFromTheCorner) {
    editing().mnuEditSelectAll_Click();
    EXPECT_EQ(grid().Row(), 0);
    EXPECT_EQ(grid().Col(), 0);
    EXPECT_EQ(grid().RowSel(), 4);
    EXPECT_EQ(grid().ColSel(), 134);
    EXPECT_EQ(grid().TopRow(), 1);
    EXPECT_TRUE(m_window->m_view->isVisible());
}

TEST_F(ResultsGridEditingTest, CopyAfterSelectAllTakesNumbersHeadingsAndSampleColumn) {
    editing().mnuEditSelectAll_Click();
    editing().mnuEditCopy_Click();
    QString copied = QGuiApplication::clipboard()->text();
    ASSERT_TRUE(copied.endsWith(QLatin1Char('\n')));
    copied.chop(1);
    const QStringList rows = copied.split(QLatin1Char('\n'));
    ASSERT_EQ(rows.size(), 5);
    const QStringList numbers = rows[0].split(QLatin1Char('\t'));
    ASSERT_EQ(numbers.size(), 135);
    EXPECT_EQ(numbers[0], QStringLiteral("Stelvador"));
    EXPECT_EQ(numbers[134], QStringLiteral("134"));
    EXPECT_EQ(rows[1].split(QLatin1Char('\t'))[0], QStringLiteral("Sample       "));
    EXPECT_EQ(rows[4].split(QLatin1Char('\t'))[130], QStringLiteral("3.130"));
}

TEST_F(ResultsGridEditingTest, PasteAfterSelectAllFillsFromTheCornerAndCutEmptiesEveryCell) {
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\nc\td\n"));
    editing().mnuEditSelectAll_Click();
    GridCells want = CellsOf(grid());
    want[0][0] = "a";
    want[0][1] = "b";
    want[1][0] = "c";
    want[1][1] = "d";
    editing().mnuEditPaste_Click();
    EXPECT_EQ(CellsOf(grid()), want);
    editing().mnuEditCut_Click();
    for (const auto& row : CellsOf(grid())) {
        for (const auto& cell : row) {
            ASSERT_EQ(cell, "");
        }
    }
    EXPECT_EQ(grid().Rows(), 5);
}

TEST_F(ResultsGridEditingTest, TypingAndEnterWorkDownTheColumn) {
    grid().setRow(2);
    grid().setCol(45);
    editing().MSFlexGrid1_KeyPress(8);
    editing().MSFlexGrid1_KeyPress('9');
    editing().MSFlexGrid1_KeyPress(13);
    EXPECT_EQ(grid().TextMatrix(2, 45), "1.49");
    EXPECT_EQ(grid().Row(), 3);
    EXPECT_EQ(grid().Col(), 45);
}

TEST_F(ResultsGridEditingTest, ClearAllInsertRowAndRemoveRowAreNotThere) {
    grid().setRow(2);
    grid().setCol(1);
    const GridCells before = CellsOf(grid());
    editing().mnuClear_Click();
    editing().mnuEditInsertRow_Click();
    editing().mnuDelete_Click();
    EXPECT_EQ(CellsOf(grid()), before);
}

}  // namespace
}  // namespace stelvador
