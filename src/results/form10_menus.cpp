// The results window's menus and toolbar, and the handlers they run.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "results/form10.h"
#include "results/results_toolbar.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/dialogs/help_file.h"
#include "widgets/error_reporter.h"
#include "widgets/grid_editing.h"
#include "widgets/toolbar_builder.h"

namespace stelvador {

namespace {

constexpr ToolbarButtonDesign kToolbarButtons[] = {
    {results_toolbar::kCut, "Cut", ToolbarPicture::Cut},
    {results_toolbar::kCopy, "Copy", ToolbarPicture::Copy},
    {results_toolbar::kPaste, "Paste", ToolbarPicture::Paste},
    {results_toolbar::kDelete, "Delete", ToolbarPicture::Delete},
    {results_toolbar::kSelectAll, "Select All", ToolbarPicture::SelectAll},
    {results_toolbar::kExit, "Exit program", ToolbarPicture::Exit},
    {results_toolbar::kSendResults, "Send results to Excel File (Output.xlsx)",
     ToolbarPicture::SendResults},
    // The output workbook is opened for editing, as the data entry window's Edit Excel (.xlsx).
    {results_toolbar::kOpenOutputWorkbook, "Open and Edit Excel file (Output.xlsx)",
     ToolbarPicture::EditXlsx},
    {results_toolbar::kAbout, "About", ToolbarPicture::About},
    {results_toolbar::kPlotGraph, "Plot graph by using Grapher", ToolbarPicture::PlotGraph},
    {results_toolbar::kHelp, "Help", ToolbarPicture::Help},
    {results_toolbar::kPreviousScreen, "Display Previous Screen", ToolbarPicture::PreviousScreen},
};

void AddSeparatorNamed(QMenu& menu, const char* control) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(control));
}

}  // namespace

QAction* Form10::addMenuItem(QMenu& menu, const QString& control, const QString& caption,
                             void (Form10::*handler)()) {
    QAction* item = menu.addAction(caption);
    item->setObjectName(control);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

void Form10::buildMenus() {
    auto shortcut = [](QAction* item, QKeyCombination keys) {
        item->setShortcut(QKeySequence(keys));
        item->setShortcutContext(Qt::WindowShortcut);
    };

    // Edit, also the grid's pop-up. Ctrl+C is Cut and Ctrl+Y Copy in this window.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    AddSeparatorNamed(*edit, "mnusep23");
    shortcut(addMenuItem(*edit, QStringLiteral("mnuEditCut"), QStringLiteral("Cut"),
                         &Form10::mnuEditCut_Click),
             Qt::CTRL | Qt::Key_C);
    shortcut(addMenuItem(*edit, QStringLiteral("mnuEditCopy"), QStringLiteral("Copy"),
                         &Form10::mnuEditCopy_Click),
             Qt::CTRL | Qt::Key_Y);
    shortcut(addMenuItem(*edit, QStringLiteral("mnuEditPaste"), QStringLiteral("Paste"),
                         &Form10::mnuEditPaste_Click),
             Qt::CTRL | Qt::Key_P);
    shortcut(addMenuItem(*edit, QStringLiteral("mnuEditDelete"), QStringLiteral("Delete"),
                         &Form10::mnuEditDelete_Click),
             Qt::CTRL | Qt::Key_D);
    shortcut(addMenuItem(*edit, QStringLiteral("mnuEditSelectAll"), QStringLiteral("Select All"),
                         &Form10::mnuEditSelectAll_Click),
             Qt::CTRL | Qt::Key_S);
    AddSeparatorNamed(*edit, "mnusep");
    shortcut(addMenuItem(*edit, QStringLiteral("mnuExit"), QStringLiteral("Exit"),
                         &Form10::mnuExit_Click),
             Qt::CTRL | Qt::Key_E);
    m_gridEditing->setPopUpMenu(edit);

    QMenu* excel = menuBar()->addMenu(QStringLiteral("Excel"));
    excel->setObjectName(QStringLiteral("mnuOEF1"));
    AddSeparatorNamed(*excel, "mnusep3");
    shortcut(
        addMenuItem(*excel, QStringLiteral("mnuSEF"),
                    QStringLiteral("Send Results to Excel (Output.xlsx)"), &Form10::mnuSEF_Click),
        Qt::CTRL | Qt::Key_G);
    shortcut(addMenuItem(*excel, QStringLiteral("mnuOEF"),
                         QStringLiteral("Open Excel File (Output.xlsx)"), &Form10::mnuOEF_Click),
             Qt::CTRL | Qt::Key_H);
    AddSeparatorNamed(*excel, "mnusep20");
    addMenuItem(*excel, QStringLiteral("mnuEOX"),
                QStringLiteral("Exit Excel File (i.e., Output.xlsx)"), &Form10::mnuEOX_Click);
    AddSeparatorNamed(*excel, "mnusep15");

    QMenu* graph = menuBar()->addMenu(QStringLiteral("Graph"));
    graph->setObjectName(QStringLiteral("mnuGraph"));
    buildGraphMenu(*graph);

    // About is a command on the menu bar itself, without a drop-down.
    QAction* about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("mnuAbaout"));
    connect(about, &QAction::triggered, this, &Form10::mnuAbaout_Click);

    // Opening the Help menu already opens the help file; its item opens it again. The "F1" is
    // part of the caption: no key is bound to the item.
    m_helpMenu = menuBar()->addMenu(QStringLiteral("Help"));
    m_helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    connect(m_helpMenu, &QMenu::aboutToShow, this, &Form10::mnuHelp_Click);
    addMenuItem(*m_helpMenu, QStringLiteral("mnuHelpContents"),
                QStringLiteral("Click Here for Help Index           F1"),
                &Form10::mnuHelpContents_Click);
}

void Form10::buildToolbar() {
    m_toolbar = BuildToolbar(*this, kToolbarButtons, m_toolbarButtons,
                             [this](int position) { Toolbar1_ButtonClick(position); });
}

void Form10::Toolbar1_ButtonClick(int position) {
    runReported([&] { runToolbarCommand(position); });
}

void Form10::runToolbarCommand(int position) {
    switch (position) {
        case results_toolbar::kCut:
            cutSelection();
            break;
        case results_toolbar::kCopy:
            copySelection();
            break;
        case results_toolbar::kPaste:
            pasteClipboard();
            break;
        case results_toolbar::kDelete:
            deleteSelection();
            break;
        case results_toolbar::kSelectAll:
            selectAllCells();
            break;
        case results_toolbar::kExit:
            ExitProgram();
            break;
        case results_toolbar::kSendResults:
            SendResultsToOutputWorkbook();
            break;
        case results_toolbar::kOpenOutputWorkbook:
            ShowOutputWorkbook();
            break;
        case results_toolbar::kAbout:
            ShowAboutWindow();
            break;
        case results_toolbar::kPlotGraph:
            OpenChosenPlotDocument();
            break;
        case results_toolbar::kHelp:
            OpenHelp();
            break;
        case results_toolbar::kPreviousScreen:
            DisplayPreviousScreen();
            break;
        default:
            break;  // a separator: nothing to run
    }
}

void Form10::runReported(const std::function<void()>& command) {
    RunHandler(ErrorTable::Results, messageBox(), [&] {
        EnterContinueOnError();
        ContinueOnError(command);
        ReportRunTimeError(ErrorTable::Results, messageBox());
    });
}

void Form10::mnuAbaout_Click() {
    runReported([&] { ShowAboutWindow(); });
}

void Form10::ShowAboutWindow() {
    m_services.aboutWindows.ShowAboutWindow();
}

void Form10::mnuHelp_Click() {
    // The menu is opening: a message box now would stand in its way, so a missing help file is
    // left to the menu's item (and the toolbar's Help) to report.
    try {
        OpenHelp();
    } catch (...) {
    }
}

void Form10::mnuHelpContents_Click() {
    runReported([&] { OpenHelp(); });
}

void Form10::OpenHelp() {
    OpenHelpFile(m_services.shell, m_programFolder);
}

void Form10::DisplayPreviousScreen() {
    // The results window stays loaded with its rows; the data entry window's Display Next
    // Screen brings it back.
    if (m_routes.showDataEntryWindow) {
        m_routes.showDataEntryWindow();
    }
}

}  // namespace stelvador
