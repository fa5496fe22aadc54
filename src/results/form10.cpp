#include "results/form10.h"

#include <QCloseEvent>
#include <QFont>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

#include "common/continue_on_error.h"
#include "widgets/main_window_controls.h"
#include "widgets/panel_status_bar.h"
#include "widgets/title_band.h"
#include "widgets/twips.h"
#include "platform/flex_grid_view.h"
#include "results/results_grid_layout.h"

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

Form10::Form10(SpreadsheetApplications& spreadsheets, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_spreadsheets(spreadsheets), m_programFolder(programFolder) {
    setWindowTitle(QStringLiteral("S t e l v a d o r"));

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
    ResizeToDesignClientArea(*this);

    Form_Load();
}

Form10::~Form10() = default;

void Form10::Form_Load() {
    EnterContinueOnError();
    ContinueOnError([&] { m_progressBar->hide(); });
    ContinueOnError([&] { m_excelApp = m_spreadsheets.Create(); });
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
}

void Form10::closeEvent(QCloseEvent* event) {
    // The frame's close button does what "Exit Excel File" does: the spreadsheet application is
    // asked to quit, then the window is unloaded with its rows.
    try {
        EnterContinueOnError();
        ContinueOnError([&] { m_excelApp.Quit(); });
    } catch (...) {
        // Nothing may leave an event handler; the window closes all the same.
    }
    event->accept();
    if (m_unloadHandler) {
        m_unloadHandler();
    }
}

}  // namespace stelvador
