// The results window's menus and toolbar, and the handlers they run.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "results/form10.h"
#include "results/results_toolbar_images.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/dialogs/help_file.h"
#include "widgets/error_reporter.h"
#include "widgets/grid_editing.h"

namespace stelvador {

namespace {

struct ToolbarButton {
    int position;
    const char* toolTip;
};

// Positions 6, 8, 11 and 15 are separators.
constexpr ToolbarButton kToolbarButtons[] = {
    {1, "Cut"},
    {2, "Copy"},
    {3, "Paste"},
    {4, "Delete"},
    {5, "Select All"},
    {7, "Exit program"},
    {9, "Send results to Excel File (Output.xlsx)"},
    {10, "Open and Edit Excel file (Output.xlsx)"},
    {12, "About"},
    {13, "Plot graph by using Grapher"},
    {14, "Help"},
    {16, "Display Previous Screen"},
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
    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    int position = 1;
    for (const ToolbarButton& button : kToolbarButtons) {
        for (; position < button.position; ++position) {
            m_toolbar->addSeparator();
        }
        QAction* action = m_toolbar->addAction(ResultsToolbarImage(button.position), QString());
        action->setToolTip(QString::fromLatin1(button.toolTip));
        m_toolbarButtons[static_cast<std::size_t>(button.position)] = action;
        const int clicked = button.position;
        connect(action, &QAction::triggered, this,
                [this, clicked] { Toolbar1_ButtonClick(clicked); });
        ++position;
    }
}

void Form10::Toolbar1_ButtonClick(int position) {
    RunHandler(ErrorTable::Results, messageBox(), [&] {
        // Starting the mode clears whatever an earlier command left pending.
        EnterContinueOnError();
        ContinueOnError([&] { runToolbarCommand(position); });
        ReportRunTimeError(ErrorTable::Results, messageBox());
    });
}

void Form10::runToolbarCommand(int position) {
    switch (position) {
        case 1:
            cutSelection();
            break;
        case 2:
            copySelection();
            break;
        case 3:
            pasteClipboard();
            break;
        case 4:
            deleteSelection();
            break;
        case 5:
            selectAllCells();
            break;
        case 7:
            ExitProgram();
            break;
        case 9:
            SendResultsToOutputWorkbook();
            break;
        case 10:
            ShowOutputWorkbook();
            break;
        case 12:
            ShowAboutWindow();
            break;
        case 13:
            OpenChosenPlotDocument();
            break;
        case 14:
            OpenHelp();
            break;
        case 16:
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
