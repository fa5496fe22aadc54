#include "entry/kkj.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/error_message_tables.h"
#include "entry/cap_cell.h"
#include "entry/error_reporter.h"
#include "widgets/main_window_controls.h"
#include "widgets/panel_status_bar.h"
#include "calculation/results_window_link.h"
#include "widgets/title_band.h"
#include "widgets/twips.h"
#include "platform/flex_grid_view.h"

namespace stelvador {

namespace {

// The grid control's design values, in force until the load lays the grid out.
constexpr int kDesignRows = 1001;
constexpr int kDesignCols = 45;

constexpr double kProductNamePoints = 36;
constexpr double kProductLinePoints = 18;

std::vector<StatusPanelDesign> EntryStatusPanels() {
    return {
        {QStringLiteral("File"), StatusPanelStyle::Text, true, QStyle::SP_FileIcon},
        {QStringLiteral("Clock"), StatusPanelStyle::Time, false, QStyle::SP_BrowserReload},
        {QStringLiteral("Date"), StatusPanelStyle::Date, false, QStyle::SP_FileDialogContentsView},
        {QStringLiteral("Written by the authors of Stelvador"), StatusPanelStyle::Text, false,
         QStyle::SP_DirHomeIcon},
    };
}

}  // namespace

kkj::kkj(FileDialog& commonDialog, MessageBox& messageBox, ResultsWindowLink& results,
         QWidget* parent)
    : QMainWindow(parent),
      m_commonDialog(commonDialog),
      m_messageBox(messageBox),
      m_results(results) {
    setWindowTitle(QStringLiteral("S t e l v a d o r     "));
    buildControls();
    buildMenus();
    buildToolbar();
    ResizeToDesignClientArea(*this);
    Form_Load();
}

kkj::~kkj() = default;

void kkj::buildControls() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_titleBand = new TitleBand(QStringLiteral("Start-up Screen"), client);
    layout->addWidget(m_titleBand);

    // The centre panel stands in the grid's place on the start-up screen.
    m_centrePanel = new QWidget(client);
    auto* centre = new QVBoxLayout(m_centrePanel);
    auto* productName = new QLabel(QStringLiteral("S t e l v a d o r"), m_centrePanel);
    QFont nameFont = productName->font();
    nameFont.setPointSizeF(kProductNamePoints);
    nameFont.setBold(true);
    productName->setFont(nameFont);
    productName->setAlignment(Qt::AlignCenter);
    auto* productLine =
        new QLabel(QStringLiteral("    *Calculation    * Classification"), m_centrePanel);
    QFont lineFont = productLine->font();
    lineFont.setPointSizeF(kProductLinePoints);
    productLine->setFont(lineFont);
    productLine->setAlignment(Qt::AlignCenter);
    centre->addStretch(1);
    centre->addWidget(productName);
    centre->addWidget(productLine);
    centre->addStretch(1);
    layout->addWidget(m_centrePanel, 1);

    m_gridView = new FlexGridView(kDesignRows, kDesignCols, client);
    m_gridView->setFont(MainWindowGridFont());
    layout->addWidget(m_gridView, 1);

    // The cell mirror lies left of the visible client area; it carries the current cell's text.
    m_cellMirror = CreateCellMirror(client);

    setCentralWidget(client);
    m_statusBar = new PanelStatusBar(EntryStatusPanels(), this);
    m_statusBar->setPanelText(4, "by");
    setStatusBar(m_statusBar);
}

void kkj::Form_Load() {
    MSFlexGrid1().setVisible(false);
    m_cellMirror->setVisible(false);
    m_statusBar->setPanelText(1, "No Selected File");
    m_statusBar->setPanelEnabled(1, false);
    capCell(MSFlexGrid1());
}

FlexGrid& kkj::MSFlexGrid1() {
    return m_gridView->grid();
}

FlexGrid& kkj::analysisGrid() {
    return m_gridView->grid();
}

QAction* kkj::toolbarButton(int position) const {
    if (position < 1 || position > kToolbarPositions) {
        return nullptr;
    }
    return m_toolbarButtons[static_cast<std::size_t>(position)];
}

std::string kkj::screenTitle() const {
    return m_titleBand->Label3().text().toStdString();
}

void kkj::setScreenTitle(const std::string& title) {
    m_titleBand->Label3().setText(QString::fromStdString(title));
}

void kkj::setFilePanelText(const std::string& text) {
    m_statusBar->setPanelText(1, text);
}

void kkj::showCellMirror() {
    m_cellMirror->setVisible(true);
}

void kkj::layOutAnalysisGrid() {
    capCell(MSFlexGrid1());
}

bool kkj::siNormalizationChecked() const {
    return m_mnuSiNorm->isChecked();
}

bool kkj::gridLoadedChecked() const {
    return m_mnuOpen->isChecked();
}

CalculationResultsWindow& kkj::resultsWindow() {
    return m_results.window();
}

void kkj::closeEvent(QCloseEvent* event) {
    event->accept();
    RunHandler(ErrorTable::DataEntry, m_messageBox, [&] {
        m_results.unload();
        m_results.quitSpreadsheetApplications();
        QCoreApplication::quit();
    });
}

}  // namespace stelvador
