// The data entry window's menu bar, toolbar and shortcuts.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "calculation_fixture.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "window_state.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// One line per item: the caption, then the shortcut after a bar; "-" a separator; a submenu's
// items indented under it.
void DescribeMenu(const QMenu& menu, const QString& indent, QStringList& lines) {
    for (QAction* item : menu.actions()) {
        if (item->isSeparator()) {
            lines << indent + QStringLiteral("-");
        } else if (item->menu() != nullptr) {
            lines << indent + item->text();
            DescribeMenu(*item->menu(), indent + QStringLiteral("  "), lines);
        } else {
            lines << indent + item->text() + QStringLiteral("|") +
                         item->shortcut().toString(QKeySequence::PortableText);
        }
    }
}

using DataEntryMenus = CalculationFixture;

TEST_F(DataEntryMenus, MenuBarHoldsEveryItemWithItsCaptionAndShortcut) {
    openWindow();
    QStringList lines;
    for (QAction* top : m_window->menuBar()->actions()) {
        if (top->menu() != nullptr) {
            lines << QStringLiteral("[") + top->text() + QStringLiteral("]");
            DescribeMenu(*top->menu(), QStringLiteral("  "), lines);
        } else {
            lines << QStringLiteral("[") + top->text() + QStringLiteral("] command");
        }
    }
    const QStringList expected = {
        "[File]",
        "  New File|Ctrl+N",
        "  Open File|Ctrl+O",
        "  Save As|Ctrl+S",
        "  Close|Ctrl+C",
        "  -",
        "  Open Excel File",
        "    -",
        "    1997 - 2003 Files (.xls)|Ctrl+G",
        "    2007 - Later (.xlsx)|Ctrl+H",
        "    -",
        "  Edit Excel File",
        "    -",
        "    1997 - 2003 Files (.xls)|Ctrl+F1",
        "    2007 - Later (.xlsx)|Ctrl+F2",
        "    -",
        "  -",
        "  Exit|Ctrl+X",
        "[Edit]",
        "  Clear All|Ctrl+A",
        "  Remove Row|Ctrl+D",
        "  Insert Row|Ctrl+I",
        "  -",
        "  Cut|Ctrl+T",
        "  Copy|Ctrl+Y",
        "  Paste|Ctrl+P",
        "  Delete|Ctrl+L",
        "  Select All|Ctrl+E",
        "  -",
        "[Si Normalization]",
        "  -",
        "   Apply Si = 3 Normalization  [i.e. if Si (apfu) content > 3.05]|",
        "  -",
        "[Calculate]",
        "  Open File to Calculate|Ctrl+F",
        "[About] command",
        "[Help" + QString(53, QLatin1Char(' ')) + "]",
        "  Click Here for Help Index           F1|",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(DataEntryMenus, ToolbarHas22PositionsWithTheirToolTips) {
    openWindow();
    const std::vector<std::pair<int, QString>> expected = {
        {1, "New"},
        {2, "Open"},
        {3, "Save"},
        {4, "Close"},
        {5, "Exit"},
        {6, ""},
        {7, "Cut"},
        {8, "Copy"},
        {9, "Paste"},
        {10, "Delete"},
        {11, "Select All"},
        {12, ""},
        {13, "Calculate"},
        {14, ""},
        {15, "Load Excel (.xls)  into Grid"},
        {16, "Load Excel (.xlsx)  into Grid"},
        {17, "Edit Excel (.xls) File"},
        {18, "Edit Excel (.xlsx) File"},
        {19, ""},
        {20, "About"},
        {21, "Help"},
        {22, "Display Next Screen"},
    };
    const QList<QAction*> positions = m_window->Toolbar1().actions();
    ASSERT_EQ(positions.size(), kkj::kToolbarPositions);
    for (const auto& [position, toolTip] : expected) {
        QAction* action = positions[position - 1];
        if (toolTip.isEmpty()) {
            EXPECT_TRUE(action->isSeparator()) << position;
            EXPECT_EQ(m_window->toolbarButton(position), nullptr) << position;
            continue;
        }
        EXPECT_EQ(m_window->toolbarButton(position), action) << position;
        EXPECT_EQ(action->toolTip(), toolTip) << position;
        EXPECT_TRUE(action->text().isEmpty()) << position;
        const QPixmap picture = action->icon().pixmap(16, 16);
        EXPECT_EQ(picture.size(), QSize(16, 16)) << position;
    }
}

TEST_F(DataEntryMenus, HiddenButtonsAndPicturesKeepTheirDesign) {
    openWindow();
    m_window->show();
    EXPECT_TRUE(m_window->Command2().isHidden());
    EXPECT_TRUE(m_window->Command3().isHidden());
    EXPECT_EQ(m_window->Command2().text(), QStringLiteral("Load Excel File into Grid"));
    EXPECT_EQ(m_window->Command2().toolTip(),
              QStringLiteral("Load \"Morvekandal.xls\" File into Grid"));
    EXPECT_EQ(m_window->Command3().text(), QStringLiteral("Open and Edit Excel File"));
    EXPECT_EQ(m_window->Command3().toolTip(), QStringLiteral("Open \"Morvekandal.xls\" File"));
    EXPECT_TRUE(m_window->Image1().isVisible());
    EXPECT_TRUE(m_window->Image2().isVisible());
}

class DataEntryShortcuts : public CalculationFixture {
  protected:
    void showWithGridFocused() {
        openWindow();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_window->mnuNewFile_Click();
        m_window->gridView().setFocus();
        ASSERT_TRUE(m_window->gridView().hasFocus());
    }
    void press(Qt::Key key) { QTest::keyClick(&m_window->gridView(), key, Qt::ControlModifier); }
};

TEST_F(DataEntryShortcuts, FileShortcutsWorkWhileTheGridHasTheFocus) {
    showWithGridFocused();
    // Ctrl+S: Save As.
    m_window->MSFlexGrid1().setTextMatrix(1, 1, "Ep-1");
    m_dialog.queuePath((m_work / "typed.epd").string());
    press(Qt::Key_S);
    ASSERT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_dialog.calls()[0].kind, ScriptedFileDialog::Kind::Save);
    EXPECT_TRUE(fs::exists(m_work / "typed.epd"));

    // Ctrl+C is Close, not the view's copy.
    m_window->gridView().setFocus();
    press(Qt::Key_C);
    EXPECT_EQ(m_window->screenTitle(), "Start-up Screen");
    EXPECT_TRUE(m_window->gridView().isHidden());

    // Ctrl+O: Open File.
    m_dialog.queuePath((m_work / "typed.epd").string());
    press(Qt::Key_O);
    EXPECT_EQ(m_window->screenTitle(), "Data Entry Screen");
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), "Ep-1");

    // Ctrl+N: New File, and Ctrl+A (Clear All) with the grid focused.
    m_window->gridView().setFocus();
    press(Qt::Key_N);
    EXPECT_EQ(m_window->screenTitle(), "New  File");
    m_window->MSFlexGrid1().setTextMatrix(2, 2, "38.5");
    m_window->gridView().setFocus();
    press(Qt::Key_A);
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(2, 2), "");
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(2, 0), "2");
    EXPECT_TRUE(m_messages.texts().empty());
}

}  // namespace
}  // namespace stelvador
