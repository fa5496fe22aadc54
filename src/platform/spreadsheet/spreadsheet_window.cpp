#include "platform/spreadsheet/spreadsheet_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

#include "common/run_time_error.h"
#include "platform/spreadsheet/sheet_table_model.h"
#include "platform/spreadsheet/sheet_view_setup.h"
#include "platform/spreadsheet/spreadsheet_window_factory.h"

namespace stelvador {

std::unique_ptr<WorkbookView> MakeSpreadsheetWindow(ApplicationState& application) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return nullptr;
    }
    return std::make_unique<SpreadsheetWindow>(application);
}

SpreadsheetWindow::SpreadsheetWindow(ApplicationState& application)
    : m_application(application), m_tabs(new QTabWidget(this)) {
    setObjectName("SpreadsheetWindow");
    setCentralWidget(m_tabs);
    resize(1000, 700);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* save = file->addAction(tr("&Save"));
    save->setObjectName("actionSave");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, &SpreadsheetWindow::SaveCurrentWorkbook);
    QAction* saveAs = file->addAction(tr("Save &As..."));
    saveAs->setObjectName("actionSaveAs");
    saveAs->setShortcut(QKeySequence::SaveAs);
    connect(saveAs, &QAction::triggered, this, &SpreadsheetWindow::SaveCurrentWorkbookAs);
    file->addSeparator();
    QAction* close = file->addAction(tr("&Close Window"));
    close->setObjectName("actionClose");
    connect(close, &QAction::triggered, this, &QWidget::close);

    connect(m_tabs, &QTabWidget::currentChanged, this, &SpreadsheetWindow::UpdateCaption);
    WorkbooksChanged();
}

SpreadsheetWindow::~SpreadsheetWindow() = default;

void SpreadsheetWindow::SetShown(bool shown) {
    setVisible(shown);
    if (shown) {
        raise();
        activateWindow();
    }
}

void SpreadsheetWindow::WorkbooksChanged() {
    // Pages of closed workbooks go first.
    for (std::size_t i = m_pages.size(); i-- > 0;) {
        const WorkbookState* shown = m_pages[i].book;
        const bool open = std::any_of(m_application.books.begin(), m_application.books.end(),
                                      [&](const auto& book) { return book.get() == shown; });
        if (!open) {
            m_tabs->removeTab(static_cast<int>(i));
            // The sheet has gone with its workbook: the view lets go of the model at once.
            m_pages[i].view->setModel(nullptr);
            m_pages[i].view->deleteLater();
            m_pages[i].model->deleteLater();
            m_pages.erase(m_pages.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    for (const auto& book : m_application.books) {
        const bool shown = std::any_of(m_pages.begin(), m_pages.end(),
                                       [&](const Page& page) { return page.book == book.get(); });
        if (shown || book->sheets.empty()) {
            continue;
        }
        auto* model = new SheetTableModel(*book->sheets.front(), this);
        auto* view = new QTableView;
        SetUpSheetView(*view);
        view->setModel(model);
        m_tabs->addTab(view, QString::fromStdString(FileNameOf(book->path)));
        m_pages.push_back({book.get(), model, view});
    }
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].book == m_application.activeBook.get()) {
            m_tabs->setCurrentIndex(static_cast<int>(i));
        }
    }
    UpdateCaption();
}

void SpreadsheetWindow::CellChanged(const SheetState& sheet, int row, int column) {
    for (const Page& page : m_pages) {
        if (&page.model->Sheet() == &sheet) {
            page.model->CellChanged(row, column);
        }
    }
}

void SpreadsheetWindow::SavedStateChanged(const WorkbookState& book) {
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i].book == &book) {
            m_tabs->setTabText(static_cast<int>(i), QString::fromStdString(FileNameOf(book.path)));
        }
    }
    UpdateCaption();
}

WorkbookState* SpreadsheetWindow::CurrentBook() const {
    const int current = m_tabs->currentIndex();
    if (current < 0 || static_cast<std::size_t>(current) >= m_pages.size()) {
        return nullptr;
    }
    return m_pages[static_cast<std::size_t>(current)].book;
}

void SpreadsheetWindow::UpdateCaption() {
    const WorkbookState* book = CurrentBook();
    if (book == nullptr) {
        setWindowTitle(tr("Spreadsheet"));
        setWindowModified(false);
        return;
    }
    setWindowTitle(QString::fromStdString(FileNameOf(book->path)) + "[*]");
    setWindowModified(!book->saved);
}

void SpreadsheetWindow::SaveCurrentWorkbook() {
    WorkbookState* book = CurrentBook();
    if (book == nullptr) {
        return;
    }
    try {
        SaveWorkbook(*book);
    } catch (const RunTimeError& failure) {
        m_application.question->ReportSaveFailure(FileNameOf(book->path), failure.what());
        // The workbook's own folder may not take it (a read-only program folder): another
        // place is offered at once, so the changes need not be lost.
        SaveCurrentWorkbookAs();
    }
}

void SpreadsheetWindow::SaveCurrentWorkbookAs() {
    WorkbookState* book = CurrentBook();
    if (book == nullptr) {
        return;
    }
    const std::string chosen = m_application.question->ChooseSavePath(SuggestedSavePath(*book));
    if (chosen.empty()) {
        return;
    }
    try {
        SaveWorkbookAs(*book, chosen);
    } catch (const RunTimeError& failure) {
        m_application.question->ReportSaveFailure(FileNameOf(chosen), failure.what());
    }
}

void SpreadsheetWindow::closeEvent(QCloseEvent* event) {
    // Closing hides the application; its workbooks stay open for the program and for Quit.
    event->ignore();
    hide();
    m_application.visible = false;
}

}  // namespace stelvador
