// The results window's menus and toolbar run their commands, and the toolbar reports what a
// command left pending.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTest>
#include <QToolBar>
#include <fstream>
#include <utility>
#include <vector>

#include "common/continue_on_error.h"
#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/clipboard.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "results/results_toolbar.h"
#include "results_window_fixture.h"
#include "widgets/dialogs/form8.h"
#include "widgets/toolbar_images.h"

namespace stelvador {
namespace {

using ResultsRoutingTest = ResultsWindowFixture;

// The captions of a menu's entries in order, "-" for a separator, ">" before a submenu's title.
std::vector<QString> Entries(const QMenu& menu) {
    std::vector<QString> entries;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            entries.push_back(QStringLiteral("-"));
        } else if (action->menu() != nullptr) {
            entries.push_back(QStringLiteral(">") + action->text());
        } else {
            entries.push_back(action->text());
        }
    }
    return entries;
}

TEST_F(ResultsRoutingTest, MenuBarHoldsItsMenusAndItemsInOrder) {
    Form10& form = loadWindow();
    const QList<QAction*> top = form.menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0]->text(), "Edit");
    EXPECT_EQ(top[1]->text(), "Excel");
    EXPECT_EQ(top[2]->text(), "Graph");
    EXPECT_EQ(top[3]->text(), "About");
    EXPECT_EQ(top[3]->menu(), nullptr);  // a command on the bar itself
    EXPECT_EQ(top[4]->text(), "Help");

    EXPECT_EQ(Entries(*top[0]->menu()), (std::vector<QString>{"-", "Cut", "Copy", "Paste", "Delete",
                                                              "Select All", "-", "Exit"}));
    EXPECT_EQ(Entries(*top[1]->menu()),
              (std::vector<QString>{"-", "Send Results to Excel (Output.xlsx)",
                                    "Open Excel File (Output.xlsx)", "-",
                                    "Exit Excel File (i.e., Output.xlsx)", "-"}));
    EXPECT_EQ(Entries(*top[2]->menu()),
              (std::vector<QString>{"-", ">Clinozoisite Subgroup Plots", "-",
                                    ">Allanite Subgroup Plots", "-", ">Other Plots", "-"}));
    EXPECT_EQ(Entries(*top[4]->menu()),
              (std::vector<QString>{"Click Here for Help Index           F1"}));

    struct Shortcut {
        const char* control;
        const char* keys;
    };
    // Ctrl+C is Cut and Ctrl+Y Copy in this window; the Help item's "F1" is only its caption.
    const Shortcut shortcuts[] = {
        {"mnuEditCut", "Ctrl+C"},
        {"mnuEditCopy", "Ctrl+Y"},
        {"mnuEditPaste", "Ctrl+P"},
        {"mnuEditDelete", "Ctrl+D"},
        {"mnuEditSelectAll", "Ctrl+S"},
        {"mnuExit", "Ctrl+E"},
        {"mnuSEF", "Ctrl+G"},
        {"mnuOEF", "Ctrl+H"},
        {"mnuEOX", ""},
        {"mnuHelpContents", ""},
        {"mnuAbaout", ""},
    };
    for (const Shortcut& s : shortcuts) {
        QAction* item = form.menuItem(QString::fromLatin1(s.control));
        ASSERT_NE(item, nullptr) << s.control;
        EXPECT_EQ(item->shortcut().toString(), QString::fromLatin1(s.keys)) << s.control;
        EXPECT_TRUE(item->isEnabled()) << s.control;
        EXPECT_FALSE(item->isCheckable()) << s.control;
    }
}

TEST_F(ResultsRoutingTest, ToolbarHasSixteenPositionsWithTheirTooltips) {
    Form10& form = loadWindow();
    EXPECT_EQ(form.Toolbar1().actions().size(), Form10::kToolbarPositions);
    const char* tooltips[Form10::kToolbarPositions + 1] = {
        nullptr,
        "Cut",
        "Copy",
        "Paste",
        "Delete",
        "Select All",
        nullptr,
        "Exit program",
        nullptr,
        "Send results to Excel File (Output.xlsx)",
        "Open and Edit Excel file (Output.xlsx)",
        nullptr,
        "About",
        "Plot graph by using Grapher",
        "Help",
        nullptr,
        "Display Previous Screen",
    };
    for (int position = 1; position <= Form10::kToolbarPositions; ++position) {
        QAction* slot = form.Toolbar1().actions()[position - 1];
        if (tooltips[position] == nullptr) {
            EXPECT_TRUE(slot->isSeparator()) << position;
            EXPECT_EQ(form.toolbarButton(position), nullptr) << position;
            continue;
        }
        ASSERT_EQ(form.toolbarButton(position), slot) << position;
        EXPECT_EQ(slot->toolTip(), QString::fromLatin1(tooltips[position])) << position;
        EXPECT_TRUE(slot->text().isEmpty()) << position;
        const QPixmap image = slot->icon().pixmap(16, 16);
        EXPECT_FALSE(image.isNull()) << position;
        EXPECT_TRUE(slot->isEnabled()) << position;
    }
}

TEST_F(ResultsRoutingTest, ToolbarButtonsShowThePicturesOfTheirCommands) {
    Form10& form = loadWindow();
    // The commands the data entry window has too look as they do there.
    const std::pair<int, ToolbarPicture> pictures[] = {
        {results_toolbar::kCut, ToolbarPicture::Cut},
        {results_toolbar::kCopy, ToolbarPicture::Copy},
        {results_toolbar::kPaste, ToolbarPicture::Paste},
        {results_toolbar::kDelete, ToolbarPicture::Delete},
        {results_toolbar::kSelectAll, ToolbarPicture::SelectAll},
        {results_toolbar::kExit, ToolbarPicture::Exit},
        {results_toolbar::kSendResults, ToolbarPicture::SendResults},
        {results_toolbar::kOpenOutputWorkbook, ToolbarPicture::EditXlsx},
        {results_toolbar::kAbout, ToolbarPicture::About},
        {results_toolbar::kPlotGraph, ToolbarPicture::PlotGraph},
        {results_toolbar::kHelp, ToolbarPicture::Help},
        {results_toolbar::kPreviousScreen, ToolbarPicture::PreviousScreen},
    };
    for (const auto& [position, picture] : pictures) {
        ASSERT_NE(form.toolbarButton(position), nullptr) << position;
        EXPECT_EQ(form.toolbarButton(position)->icon().pixmap(16, 16).toImage(),
                  ToolbarImage(picture).pixmap(16, 16).toImage())
            << position;
    }
}

// Each toolbar button, clicked, runs its command: what each leaves behind.
TEST_F(ResultsRoutingTest, EveryToolbarButtonRunsItsCommand) {
    Form10& form = loadWindow();
    FlexGrid& grid = form.MSFlexGrid1();
    grid.AddItem("EP-1\t38.650\t0.100");
    QClipboard& clipboard = *QApplication::clipboard();

    // 5 Select All: every cell, from row 0 and column 0.
    form.toolbarButton(5)->trigger();
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.RowSel(), 2);
    EXPECT_EQ(grid.ColSel(), 134);

    // 2 Copy of one cell, 3 Paste into another, 4 Delete, 1 Cut.
    grid.setRow(2);
    grid.setCol(1);
    form.toolbarButton(2)->trigger();
    EXPECT_EQ(clipboard.text(), "38.650\n");
    grid.setCol(3);
    form.toolbarButton(3)->trigger();
    EXPECT_EQ(grid.TextMatrix(2, 3), "38.650");
    form.toolbarButton(4)->trigger();
    EXPECT_EQ(grid.TextMatrix(2, 3), "");
    grid.setCol(2);
    form.toolbarButton(1)->trigger();
    EXPECT_EQ(clipboard.text(), "0.100\n");
    EXPECT_EQ(grid.TextMatrix(2, 2), "");

    // 9 send, 10 show.
    form.toolbarButton(9)->trigger();
    EXPECT_EQ(form.OutputSheet().Cells(3, 2).Value(), "38.650");
    form.toolbarButton(10)->trigger();
    EXPECT_TRUE(form.ExcelApp().Visible());

    // 12 About, 16 Display Previous Screen.
    form.toolbarButton(12)->trigger();
    EXPECT_NE(m_about.aboutWindow(), nullptr);
    form.toolbarButton(16)->trigger();
    EXPECT_EQ(m_dataEntryShown, 1);

    // 13 the plot document dialog, 14 Help: both hand an existing file to the shell.
    std::ofstream(workFolder() / "Mine.grf") << "plot";
    m_dialog.queuePath((workFolder() / "Mine.grf").string());
    form.toolbarButton(13)->trigger();
    std::ofstream(programFolder() / "Stelvador.chm") << "help";
    form.toolbarButton(14)->trigger();
    ASSERT_EQ(m_shell.documents().size(), 2u);
    EXPECT_EQ(m_shell.documents()[0], (workFolder() / "Mine.grf").string());
    EXPECT_EQ(m_shell.documents()[1], (programFolder() / "Stelvador.chm").string());

    EXPECT_TRUE(m_messages.texts().empty());

    // 7 Exit program: the spreadsheet applications are asked to quit, the program ends.
    form.toolbarButton(7)->trigger();
    EXPECT_EQ(m_programEnded, 1);
    EXPECT_EQ(m_spreadsheets.RunningCount(), 0);
}

TEST_F(ResultsRoutingTest, EveryMenuItemRunsItsCommand) {
    Form10& form = loadWindow();
    FlexGrid& grid = form.MSFlexGrid1();
    grid.AddItem("EP-1\t38.650");

    form.menuItem("mnuEditSelectAll")->trigger();
    EXPECT_EQ(grid.RowSel(), 2);
    grid.setRow(2);
    grid.setCol(1);
    form.menuItem("mnuEditCopy")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "38.650\n");
    grid.setCol(5);
    form.menuItem("mnuEditPaste")->trigger();
    EXPECT_EQ(grid.TextMatrix(2, 5), "38.650");
    form.menuItem("mnuEditDelete")->trigger();
    EXPECT_EQ(grid.TextMatrix(2, 5), "");
    grid.setCol(1);
    form.menuItem("mnuEditCut")->trigger();
    EXPECT_EQ(grid.TextMatrix(2, 1), "");

    grid.setTextMatrix(2, 1, "1.000");
    form.menuItem("mnuSEF")->trigger();
    EXPECT_EQ(form.OutputSheet().Cells(3, 2).Value(), "1.000");
    form.menuItem("mnuOEF")->trigger();
    EXPECT_TRUE(form.ExcelApp().Visible());
    form.menuItem("mnuAbaout")->trigger();
    EXPECT_NE(m_about.aboutWindow(), nullptr);
    EXPECT_TRUE(m_messages.texts().empty());

    form.menuItem("mnuExit")->trigger();
    EXPECT_EQ(m_programEnded, 1);
}

TEST_F(ResultsRoutingTest, CtrlCInTheGridRunsCut) {
    Form10& form = loadWindow();
    form.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    FlexGrid& grid = form.MSFlexGrid1();
    grid.AddItem("EP-1\t38.650\t0.100");
    grid.setRow(2);
    grid.setCol(1);
    grid.setColSel(2);
    form.gridView().setFocus();
    QTest::keyClick(&form.gridView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "38.650\t0.100\n");
    EXPECT_EQ(grid.TextMatrix(2, 1), "");
    EXPECT_EQ(grid.TextMatrix(2, 2), "");
}

TEST_F(ResultsRoutingTest, AFailureLeftByTheMenuSendIsNotReportedByTheNextToolbarClick) {
    // Without "Output.xlsx" every write of the send fails.
    std::filesystem::remove(programFolder() / "Output.xlsx");
    Form10& form = loadWindow();
    ASSERT_TRUE(form.OutputSheet().isNothing());
    form.menuItem("mnuSEF")->trigger();
    // The menu send reports its failure itself, once.
    ASSERT_EQ(m_messages.texts().size(), 1u);
    EXPECT_EQ(m_messages.lastText(), "Object required. Possibly [Output.Xlsx]");
    m_messages.clear();

    form.toolbarButton(5)->trigger();  // Select All succeeds
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_EQ(PendingError(), 0);
}

TEST_F(ResultsRoutingTest, ToolbarSendWithoutWorksheetReportsObjectRequired) {
    std::filesystem::remove(programFolder() / "Output.xlsx");
    Form10& form = loadWindow();
    form.toolbarButton(9)->trigger();
    EXPECT_EQ(m_messages.texts(),
              std::vector<std::string>{"Object required. Possibly [Output.Xlsx]"});
}

TEST_F(ResultsRoutingTest, ShowWithoutSpreadsheetApplicationReportsItsTableMessage) {
    Form10& form = loadWindow();
    // The application goes away behind the window's back: its reference is empty now.
    m_spreadsheets.Application().Quit();
    ASSERT_TRUE(form.ExcelApp().isNothing());
    form.MSFlexGrid1().AddItem("EP-1");

    form.toolbarButton(10)->trigger();
    EXPECT_EQ(m_messages.texts(),
              std::vector<std::string>{"Object required. Possibly [Output.Xlsx]"});
    EXPECT_EQ(form.MSFlexGrid1().Rows(), 3);

    // From the menu too.
    m_messages.clear();
    form.menuItem("mnuOEF")->trigger();
    EXPECT_EQ(m_messages.texts(),
              std::vector<std::string>{"Object required. Possibly [Output.Xlsx]"});
}

TEST_F(ResultsRoutingTest, DisplayPreviousScreenKeepsTheWindowLoadedWithItsRows) {
    Form10& form = loadWindow();
    form.MSFlexGrid1().AddItem("EP-1\t38.650");
    form.showWindow();
    form.toolbarButton(16)->trigger();
    EXPECT_EQ(m_dataEntryShown, 1);
    ASSERT_TRUE(m_link->isLoaded());
    EXPECT_EQ(&m_link->loadedForm(), &form);
    EXPECT_EQ(form.MSFlexGrid1().TextMatrix(2, 1), "38.650");
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(ResultsRoutingTest, AboutTwiceGivesOneAboutWindow) {
    Form10& form = loadWindow();
    form.menuItem("mnuAbaout")->trigger();
    Form8* first = m_about.aboutWindow();
    ASSERT_NE(first, nullptr);
    form.toolbarButton(12)->trigger();
    EXPECT_EQ(m_about.aboutWindow(), first);
    EXPECT_TRUE(first->isVisible());
}

TEST_F(ResultsRoutingTest, RightPressInTheGridPopsUpTheEditMenu) {
    Form10& form = loadWindow();
    form.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    FlexGridView& view = form.gridView();
    const QPoint cell(view.columnViewportPosition(1) + 5, view.rowViewportPosition(0) + 5);
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier, cell);
    auto* popUp = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popUp, nullptr);
    EXPECT_EQ(popUp->objectName(), "mnuEdit");
    popUp->close();
    QTest::mouseRelease(view.viewport(), Qt::RightButton, Qt::NoModifier, cell);
}

// A clipboard that another program holds.
class BusyClipboard : public Clipboard {
  public:
    void Clear() override { fail(); }
    std::optional<std::string> GetText() override { fail(); }
    void SetText(std::string_view) override { fail(); }

  private:
    [[noreturn]] static void fail() {
        throw RunTimeError(error::kCantOpenClipboard, "Can't open clipboard");
    }
};

TEST_F(ResultsRoutingTest, ClipboardFailureEndsTheEditCommandAndIsReported) {
    BusyClipboard busy;
    Form10 form(servicesWith(busy), QString::fromStdString(programFolder().string()), routes());
    FlexGrid& grid = form.MSFlexGrid1();
    grid.AddItem("EP-1\t38.650");
    grid.setRow(2);
    grid.setCol(1);

    // Cut stops at the copy: the cell keeps its text.
    form.toolbarButton(1)->trigger();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"Can't open clipboard"});
    EXPECT_EQ(grid.TextMatrix(2, 1), "38.650");

    m_messages.clear();
    form.menuItem("mnuEditPaste")->trigger();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"Can't open clipboard"});
    EXPECT_EQ(grid.TextMatrix(2, 1), "38.650");
}

}  // namespace
}  // namespace stelvador
