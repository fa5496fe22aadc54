// Editing the analysis grid through the real data entry window: the Edit shortcuts with the grid
// focused, the toolbar's Edit positions, pastes of blocks copied elsewhere, the pop-up.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "calculation_fixture.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"

namespace stelvador {
namespace {

std::vector<std::string> AllCells(const FlexGrid& grid) {
    std::vector<std::string> cells;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            cells.push_back(grid.TextMatrix(r, c));
        }
    }
    return cells;
}

class DataEntryEditing : public CalculationFixture {
  protected:
    void SetUp() override {
        CalculationFixture::SetUp();
        openWindow();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_window->mnuNewFile_Click();
        QApplication::clipboard()->clear();
    }
    FlexGrid& grid() { return m_window->MSFlexGrid1(); }
    // A shortcut pressed while the grid has the keyboard focus.
    void press(Qt::Key key) {
        m_window->gridView().setFocus();
        ASSERT_TRUE(m_window->gridView().hasFocus());
        QTest::keyClick(&m_window->gridView(), key, Qt::ControlModifier);
    }
    void fillDataBlock() {
        for (int r = 1; r < grid().Rows(); ++r) {
            for (int c = 1; c < grid().Cols(); ++c) {
                grid().setTextMatrix(r, c, std::to_string(r) + "." + std::to_string(c));
            }
        }
    }
};

TEST_F(DataEntryEditing, CtrlEAndCtrlYCopyTheDataBlockAndCtrlCIsClose) {
    fillDataBlock();
    press(Qt::Key_E);  // Select All
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), 1);
    EXPECT_EQ(grid().RowSel(), 300);
    EXPECT_EQ(grid().ColSel(), 43);
    press(Qt::Key_Y);  // Copy
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(QStringLiteral("1.1\t1.2\t")));
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 300);  // every row ends with a line end
    // Ctrl+C closes the data entry screen; the clipboard keeps the copy.
    press(Qt::Key_C);
    EXPECT_EQ(m_window->screenTitle(), "Start-up Screen");
    EXPECT_EQ(QApplication::clipboard()->text(), copied);
    EXPECT_EQ(grid().TextMatrix(1, 1), "1.1");
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(DataEntryEditing, CtrlAClearsAllAndTypesNothing) {
    fillDataBlock();
    grid().setRow(4);
    grid().setCol(3);
    press(Qt::Key_A);
    for (int r = 1; r < grid().Rows(); ++r) {
        EXPECT_EQ(grid().TextMatrix(r, 0), std::to_string(r));
        for (int c = 1; c < grid().Cols(); ++c) {
            ASSERT_EQ(grid().TextMatrix(r, c), "") << r << "," << c;
        }
    }
    EXPECT_EQ(grid().TextMatrix(0, 1), "Sample No");
}

struct SpreadsheetBlock {
    const char* name;
    const char* clipboard;
};

class DataEntrySpreadsheetPaste : public DataEntryEditing,
                                  public ::testing::WithParamInterface<SpreadsheetBlock> {};

// A block copied in a spreadsheet, pasted after Select All, fills the grid from row 1, column 1
// and leaves the cells below it as they were; from the shortcut and from the toolbar alike.
TEST_P(DataEntrySpreadsheetPaste, FillsFromTheSampleColumnAndKeepsTheRowsBelow) {
    for (const bool fromToolbar : {false, true}) {
        SCOPED_TRACE(fromToolbar ? "toolbar" : "shortcuts");
        fillDataBlock();
        std::vector<std::string> expected = AllCells(grid());
        const auto at = [&](int r, int c) -> std::string& {
            return expected[static_cast<std::size_t>(r * grid().Cols() + c)];
        };
        at(1, 1) = "Ep-1";
        at(1, 2) = "37.80";
        at(1, 3) = "";
        at(2, 1) = "Ep-2";
        at(2, 2) = "37.50";
        at(2, 3) = "0.10";
        QApplication::clipboard()->setText(QString::fromUtf8(GetParam().clipboard));
        if (fromToolbar) {
            m_window->toolbarButton(11)->trigger();
            m_window->toolbarButton(9)->trigger();
        } else {
            press(Qt::Key_E);
            press(Qt::Key_P);
        }
        EXPECT_EQ(AllCells(grid()), expected);
        EXPECT_EQ(grid().Rows(), 301);
        EXPECT_EQ(grid().Cols(), 44);
        EXPECT_TRUE(m_messages.texts().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, DataEntrySpreadsheetPaste,
    ::testing::Values(SpreadsheetBlock{"TabLfTrailingLf", "Ep-1\t37.80\t\nEp-2\t37.50\t0.10\n"},
                      SpreadsheetBlock{"TabCrLfTrailingCrLf",
                                       "Ep-1\t37.80\t\r\nEp-2\t37.50\t0.10\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataEntryEditing, PasteNeverWritesOutsideTheGrid) {
    fillDataBlock();
    grid().setRow(300);
    grid().setCol(43);
    std::vector<std::string> expected = AllCells(grid());
    expected.back() = "a";
    QApplication::clipboard()->setText(QStringLiteral("a\tb\tc\nd\te\tf\ng\th\ti"));
    press(Qt::Key_P);
    EXPECT_EQ(AllCells(grid()), expected);
    EXPECT_EQ(grid().Rows(), 301);
    EXPECT_EQ(grid().Cols(), 44);
}

TEST_F(DataEntryEditing, CopyThenPasteRoundTripsTheWholeDataBlock) {
    fillDataBlock();
    const std::vector<std::string> filled = AllCells(grid());
    press(Qt::Key_E);
    press(Qt::Key_Y);
    press(Qt::Key_A);
    ASSERT_EQ(grid().TextMatrix(150, 20), "");
    press(Qt::Key_E);
    press(Qt::Key_P);
    EXPECT_EQ(AllCells(grid()), filled);
}

TEST_F(DataEntryEditing, CutAndDeleteFromTheToolbarEmptyTheSelection) {
    fillDataBlock();
    grid().setRow(2);
    grid().setCol(2);
    grid().setRowSel(3);
    grid().setColSel(4);
    m_window->toolbarButton(7)->trigger();  // Cut
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2.2\t2.3\t2.4\n3.2\t3.3\t3.4\n"));
    EXPECT_EQ(grid().TextMatrix(3, 4), "");
    EXPECT_EQ(grid().TextMatrix(3, 5), "3.5");
    grid().setRow(10);
    grid().setCol(10);
    m_window->toolbarButton(10)->trigger();  // Delete
    EXPECT_EQ(grid().TextMatrix(10, 10), "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2.2\t2.3\t2.4\n3.2\t3.3\t3.4\n"));
    m_window->toolbarButton(8)->trigger();  // Copy of the one emptied cell: one empty row
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("\n"));
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(DataEntryEditing, InsertAndRemoveRowFromTheirShortcuts) {
    grid().setTextMatrix(5, 1, "five");
    grid().setRow(5);
    grid().setCol(1);
    press(Qt::Key_I);
    EXPECT_EQ(grid().Rows(), 302);
    EXPECT_EQ(grid().TextMatrix(5, 0), "");
    EXPECT_EQ(grid().TextMatrix(6, 1), "five");
    grid().setRow(5);
    press(Qt::Key_D);
    EXPECT_EQ(grid().Rows(), 301);
    EXPECT_EQ(grid().TextMatrix(5, 1), "five");
}

TEST_F(DataEntryEditing, CtrlTCutsCtrlLDeletesAndCtrlXExits) {
    grid().setTextMatrix(2, 2, "38.1");
    grid().setTextMatrix(3, 2, "37.2");
    grid().setRow(2);
    grid().setCol(2);
    press(Qt::Key_T);
    EXPECT_EQ(grid().TextMatrix(2, 2), "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("38.1\n"));
    grid().setRow(3);
    grid().setCol(2);
    press(Qt::Key_L);
    EXPECT_EQ(grid().TextMatrix(3, 2), "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("38.1\n"));
    press(Qt::Key_X);
    EXPECT_TRUE(m_window->isHidden());
    EXPECT_TRUE(m_messages.texts().empty());
}

// The right button pops up the window's own Edit menu; the left one shows nothing.
TEST_F(DataEntryEditing, RightButtonPopsUpTheEditMenu) {
    grid().setTextMatrix(3, 2, "38.1");
    QWidget* viewport = m_window->gridView().viewport();
    const QRect cell = m_window->gridView().visualRect(m_window->gridView().model()->index(2, 1));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_FALSE(m_window->mnuEdit().isVisible());
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, cell.center());
    EXPECT_TRUE(m_window->mnuEdit().isVisible());
    EXPECT_TRUE(m_window->mnuEditPaste().isEnabled());
    m_window->mnuEdit().close();
    EXPECT_EQ(grid().TextMatrix(3, 2), "38.1");
    EXPECT_EQ(m_window->Text1().text(), QStringLiteral("38.1"));
}

}  // namespace
}  // namespace stelvador
