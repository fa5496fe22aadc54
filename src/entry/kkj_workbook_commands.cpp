// The data entry window's workbook commands: loading a workbook into the grid and editing the
// template workbooks.
#include <QApplication>
#include <QCursor>
#include <string>

#include "entry/kkj.h"
#include "entry/template_workbooks.h"
#include "entry/workbook_command_window.h"
#include "entry/workbook_import.h"
#include "platform/message_box.h"
#include "widgets/results_window_link.h"

namespace stelvador {

namespace {

// The window as the workbook commands see it.
class KkjWorkbookWindow : public WorkbookCommandWindow {
  public:
    explicit KkjWorkbookWindow(kkj& window) : m_window(window) {}

    void setScreenTitle(const std::string& title) override { m_window.setScreenTitle(title); }
    FlexGrid& analysisGrid() override { return m_window.analysisGrid(); }
    FileDialog& fileDialog() override { return m_window.fileDialog(); }
    void layOutEmptyGrid() override { m_window.layOutEmptyGrid(); }
    SpreadsheetApplications& spreadsheetApplications() override {
        return m_window.services().spreadsheets;
    }
    std::string programFolder() const override { return m_window.resultsLink().programFolder(); }
    void showMessage(const std::string& text) override { m_window.messageBox().Show(text); }
    void showBusy(bool busy) override {
        if (busy) {
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        } else {
            QApplication::restoreOverrideCursor();
        }
    }

  private:
    kkj& m_window;
};

}  // namespace

void kkj::mnu9703_Click() {
    handlerTop([&] {
        KkjWorkbookWindow window(*this);
        ImportWorkbook(window, kXlsImportFilter);
    });
}

void kkj::mnu07Later_Click() {
    handlerTop([&] {
        KkjWorkbookWindow window(*this);
        ImportWorkbook(window, kXlsxImportFilter);
    });
}

void kkj::Command2_Click() {
    mnu9703_Click();
}

void kkj::mnu9703e_Click() {
    handlerTop([&] {
        KkjWorkbookWindow window(*this);
        EditTemplateWorkbook(window, kXlsTemplate);
    });
}

void kkj::mnu07Latere_Click() {
    handlerTop([&] {
        KkjWorkbookWindow window(*this);
        EditTemplateWorkbook(window, kXlsxTemplate);
    });
}

void kkj::Command3_Click() {
    mnu9703e_Click();
}

void kkj::EditTemplateWorkbookXlsx() {
    mnu07Latere_Click();
}

}  // namespace stelvador
