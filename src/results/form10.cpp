#include "results/form10.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include "common/continue_on_error.h"
#include "common/error_message_tables.h"
#include "platform/flex_grid_view.h"
#include "results/results_grid_layout.h"
#include "widgets/error_reporter.h"
#include "widgets/grid_editing.h"
#include "widgets/main_window_controls.h"
#include "widgets/panel_status_bar.h"
#include "widgets/title_band.h"
#include "widgets/twips.h"

namespace stelvador {

namespace {

constexpr int kProgressHeightTwips = 240;

std::vector<StatusPanelDesign> ResultsStatusPanels() {
    return {
        {QStringLiteral("File"), StatusPanelStyle::Text, true, QStyle::SP_FileIcon},
        {QStringLiteral("Normalization"), StatusPanelStyle::Text, false,
         QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("Number of oxygen for epidote recalculation"), StatusPanelStyle::Text,
         false, QStyle::SP_FileDialogInfoView},
        {QStringLiteral("Renormalization to Si = 3"), StatusPanelStyle::Text, false,
         QStyle::SP_FileDialogListView},
        {QStringLiteral("Clock"), StatusPanelStyle::Time, false, QStyle::SP_BrowserReload},
        {QStringLiteral("Date"), StatusPanelStyle::Date, false, QStyle::SP_FileDialogContentsView},
    };
}

}  // namespace

Form10::Form10(const WindowServices& services, const QString& programFolder,
               ResultsWindowRoutes routes, QWidget* parent)
    : QMainWindow(parent),
      m_services(services),
      m_programFolder(programFolder),
      m_routes(std::move(routes)) {
    if (!m_routes.endProgram) {
        m_routes.endProgram = [] { QCoreApplication::quit(); };
    }

    setWindowTitle(QStringLiteral("S t e l v a d o r"));
    buildControls();
    buildMenus();
    buildToolbar();
    ResizeToDesignClientArea(*this);
    Form_Load();
}

Form10::~Form10() = default;

void Form10::buildControls() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_titleBand = new TitleBand(QStringLiteral("Calculation Screen"), client);
    layout->addWidget(m_titleBand);

    m_gridView = new FlexGridView(kResultsGridLayoutRows, kResultsGridColumns, client);
    m_gridView->setFont(MainWindowGridFont());
    layout->addWidget(m_gridView, 1);

    m_progressBar = new QProgressBar(client);
    m_progressBar->setRange(0, 100);
    m_progressBar->setFixedHeight(TwipsToPixels(kProgressHeightTwips, *this));
    layout->addWidget(m_progressBar);

    // The cell mirror lies left of the visible client area; it only carries the current cell's
    // text and the minimum row height.
    m_cellMirror = CreateCellMirror(client);

    setCentralWidget(client);
    m_statusBar = new PanelStatusBar(ResultsStatusPanels(), this);
    setStatusBar(m_statusBar);

    // Typing into the results grid, the cell mirror and the Edit commands; each grid and mirror
    // event reports what fails in it.
    m_gridEditing = new GridEditing(
        GridEditingVariant::Results, *m_gridView, *m_cellMirror, m_services.clipboard,
        [this](const std::function<void()>& work) {
            RunHandler(ErrorTable::Results, messageBox(), work);
        },
        this);
}

void Form10::Form_Load() {
    EnterContinueOnError();
    ContinueOnError([&] { m_progressBar->hide(); });
    ContinueOnError([&] { m_excelApp = m_services.spreadsheets.Create(); });
    ContinueOnError([&] { m_excelApp.setVisible(false); });
    ContinueOnError([&] {
        m_outputBook = m_excelApp.Workbooks().Open(
            (m_programFolder + QStringLiteral("/Output.xlsx")).toStdString());
    });
    ContinueOnError([&] { m_outputSheet = m_outputBook.Worksheets(1); });
    ContinueOnError([&] {
        LayOutResultsGrid(m_gridView->grid(), PixelsToTwips(m_cellMirror->height(), *m_cellMirror));
    });
}

FlexGrid& Form10::MSFlexGrid1() {
    return m_gridView->grid();
}

FlexGrid& Form10::resultsGrid() {
    return m_gridView->grid();
}

void Form10::setStatusPanelText(int panel, const std::string& text) {
    m_statusBar->setPanelText(panel, text);
}

void Form10::showWindow() {
    show();
    raise();
    activateWindow();
    // The keys typed next go to the results grid's current cell, not nowhere.
    m_gridView->setFocus(Qt::OtherFocusReason);
}

QAction* Form10::toolbarButton(int position) const {
    if (position < 1 || position > kToolbarPositions) {
        return nullptr;
    }
    return m_toolbarButtons[static_cast<std::size_t>(position)];
}

QAction* Form10::menuItem(const QString& control) const {
    return findChild<QAction*>(control);
}

MessageBox& Form10::messageBox() {
    return m_services.messageBox;
}

bool Form10::quitExcelApp() {
    if (m_excelApp.isNothing()) {
        return true;  // no application started, or it has gone: nothing to lose
    }
    try {
        // Cancel in the question about unsaved results keeps the application and the window.
        return m_excelApp.Quit();
    } catch (const RunTimeError& failure) {
        ReportUnhandledError(ErrorTable::Results, messageBox(), failure);
    } catch (const std::exception& failure) {
        ReportUnhandledError(ErrorTable::Results, messageBox(), failure);
    }
    return false;
}

void Form10::unloadWindow() {
    m_unloading = true;
    hide();
    if (m_unloadHandler) {
        m_unloadHandler();
    }
}

void Form10::closeEvent(QCloseEvent* event) {
    if (m_unloading) {
        event->accept();
        return;
    }
    bool quit = false;
    RunHandler(ErrorTable::Results, messageBox(), [&] { quit = quitExcelApp(); });
    if (!quit) {
        event->ignore();
        return;
    }
    event->accept();
    unloadWindow();
}

}  // namespace stelvador
