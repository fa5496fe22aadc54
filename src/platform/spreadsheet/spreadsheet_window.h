#pragma once

#include <QMainWindow>
#include <vector>

#include "platform/spreadsheet/application_state.h"

class QTabWidget;
class QAction;
class QTableView;

namespace stelvador {

class SheetTableModel;

// The window of one spreadsheet application: a tab for each open workbook showing its first
// worksheet, editable, with File > Save and Save As (.xlsx). Its caption is the current
// workbook's file name. Closing it only hides it; the workbooks stay open until Quit.
class SpreadsheetWindow : public QMainWindow, public WorkbookView {
    Q_OBJECT

  public:
    explicit SpreadsheetWindow(ApplicationState& application);
    ~SpreadsheetWindow() override;

    void SetShown(bool shown) override;
    void WorkbooksChanged() override;
    void CellChanged(const SheetState& sheet, int row, int column) override;
    void SavedStateChanged(const WorkbookState& book) override;

    void SaveCurrentWorkbook();
    void SaveCurrentWorkbookAs();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Page {
        WorkbookState* book;
        SheetTableModel* model;  // owned by the window
        QTableView* view;        // owned by the tab widget
    };

    WorkbookState* CurrentBook() const;
    void UpdateCaption();

    ApplicationState& m_application;
    QTabWidget* m_tabs;
    std::vector<Page> m_pages;
};

}  // namespace stelvador
