#include "entry/kkj.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/cap_cell.h"
#include "platform/flex_grid_view.h"
#include "widgets/grid_editing.h"
#include "widgets/main_window_controls.h"
#include "widgets/panel_status_bar.h"
#include "widgets/results_window_link.h"
#include "widgets/title_band.h"
#include "widgets/twips.h"

namespace stelvador {

namespace {

// The grid control's design values, in force until the load lays the grid out.
constexpr int kDesignRows = 1001;
constexpr int kDesignCols = 45;

constexpr double kProductNamePoints = 36;
constexpr double kProductLinePoints = 18;
constexpr int kCrystalPictureTwips = 975;

std::vector<StatusPanelDesign> EntryStatusPanels() {
    return {
        {QStringLiteral("File"), StatusPanelStyle::Text, true, QStyle::SP_FileIcon},
        {QStringLiteral("Clock"), StatusPanelStyle::Time, false, QStyle::SP_BrowserReload},
        {QStringLiteral("Date"), StatusPanelStyle::Date, false, QStyle::SP_FileDialogContentsView},
        {QStringLiteral("Written by the authors of Stelvador"), StatusPanelStyle::Text, false,
         QStyle::SP_DirHomeIcon},
    };
}

// A drawn prismatic crystal, standing in for the photographs at both ends of the title band.
QPixmap CrystalPicture(int size, const QColor& body) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 16.0;
    auto at = [s](double x, double y) { return QPointF(x * s, y * s); };
    const QPolygonF front({at(5, 3), at(11, 3), at(13, 7), at(11, 14), at(5, 14), at(3, 7)});
    p.setPen(QPen(body.darker(160), s * 0.6));
    p.setBrush(body);
    p.drawPolygon(front);
    p.setBrush(body.lighter(130));
    p.drawPolygon(QPolygonF({at(5, 3), at(8, 1), at(11, 3), at(8, 5)}));
    p.drawLine(at(8, 5), at(8, 14));
    p.drawLine(at(3, 7), at(8, 5));
    p.drawLine(at(13, 7), at(8, 5));
    return pixmap;
}

QLabel* CreateCrystalImage(QWidget* parent, const QColor& body) {
    auto* image = new QLabel(parent);
    const int size = TwipsToPixels(kCrystalPictureTwips, *parent);
    image->setPixmap(CrystalPicture(size, body));
    image->setFixedSize(size, size);
    return image;
}

}  // namespace

kkj::kkj(const WindowServices& services, ResultsWindowLink& results, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_results(results) {
    setWindowTitle(QStringLiteral("S t e l v a d o r     "));
    buildControls();
    buildMenus();
    buildToolbar();
    buildGridEditing();
    ResizeToDesignClientArea(*this);
    Form_Load();
}

kkj::~kkj() = default;

void kkj::buildControls() {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The title band between the two crystal pictures.
    auto* top = new QHBoxLayout();
    top->setSpacing(0);
    m_image1 = CreateCrystalImage(client, QColor(120, 160, 60));
    m_titleBand = new TitleBand(QStringLiteral("Start-up Screen"), client);
    m_image2 = CreateCrystalImage(client, QColor(170, 70, 120));
    top->addWidget(m_image1);
    top->addWidget(m_titleBand, 1);
    top->addWidget(m_image2);
    layout->addLayout(top);

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

    // Two buttons that are never shown: toolbar positions 15 and 17 run their handlers.
    m_command2 = new QPushButton(QStringLiteral("Load Excel File into Grid"), client);
    m_command2->setToolTip(QStringLiteral("Load \"Morvekandal.xls\" File into Grid"));
    m_command3 = new QPushButton(QStringLiteral("Open and Edit Excel File"), client);
    m_command3->setToolTip(QStringLiteral("Open \"Morvekandal.xls\" File"));
    connect(m_command2, &QPushButton::clicked, this,
            [this] { handlerTop([&] { Command2_Click(); }); });
    connect(m_command3, &QPushButton::clicked, this,
            [this] { handlerTop([&] { Command3_Click(); }); });

    setCentralWidget(client);
    m_statusBar = new PanelStatusBar(EntryStatusPanels(), this);
    m_statusBar->setPanelText(4, "by");
    setStatusBar(m_statusBar);
}

void kkj::Form_Load() {
    m_command2->setVisible(false);
    m_command3->setVisible(false);
    for (QAction* item : {m_mnuSaveAs, m_mnuClose, m_mnuEditCut, m_mnuEditCopy, m_mnuEditPaste,
                          m_mnuEditDelete, m_mnuEditInsertRow, m_mnuEditSelectAll}) {
        item->setEnabled(false);
    }
    for (const int position : entry_toolbar::kFileAndEditButtons) {
        toolbarButton(position)->setEnabled(false);
    }
    toolbarButton(entry_toolbar::kCalculate)->setEnabled(true);
    showGrid(false);
    m_mnuClear->setEnabled(false);
    m_mnuDelete->setEnabled(false);
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
    m_titleBand->setScreenTitle(QString::fromStdString(title));
}

void kkj::setFilePanelText(const std::string& text) {
    m_statusBar->setPanelText(1, text);
}

void kkj::showCellMirror() {
    m_cellMirror->setVisible(true);
}

void kkj::layOutAnalysisGrid() {
    capCell(MSFlexGrid1());
    focusGrid();
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

void kkj::mnuExit_Click() {
    handlerTop([&] {
        if (exitSteps()) {
            hide();
        }
    });
}

void kkj::closeEvent(QCloseEvent* event) {
    bool exiting = true;
    handlerTop([&] { exiting = exitSteps(); });
    if (exiting) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool kkj::exitSteps() {
    // Each step is tried even when one before it failed; the program ends whatever happens,
    // unless the user cancels the question about unsaved workbooks. That question comes first,
    // so a Cancel leaves both windows, the results and every workbook as they were.
    EnterContinueOnError();
    if (m_exited) {
        return true;
    }
    bool cancelled = false;
    ContinueOnError([&] { cancelled = !m_results.quitSpreadsheetApplications(); });
    if (cancelled) {
        return false;
    }
    m_exited = true;
    ContinueOnError([&] { m_results.unload(); });
    return true;
}

void kkj::endProgramIfExited() {
    if (m_exited && m_handlerDepth == 0) {
        QCoreApplication::quit();
    }
}

}  // namespace stelvador
