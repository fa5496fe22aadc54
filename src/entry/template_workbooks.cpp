#include "entry/template_workbooks.h"

#include <filesystem>

#include "common/continue_on_error.h"
#include "entry/workbook_command_window.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace stelvador {

std::string TemplateWorkbookPath(const std::string& programFolder, std::string_view fileName) {
    return (std::filesystem::path(programFolder) / kTemplateFolder / fileName).string();
}

void EditTemplateWorkbook(WorkbookCommandWindow& window, std::string_view fileName) {
    window.setScreenTitle("Edit Excel File");
    EnterContinueOnError();
    SpreadsheetApplication application;
    Workbook book;
    const bool created =
        ContinueOnError([&] { application = window.spreadsheetApplications().Create(); });
    const bool opened = created && ContinueOnError([&] {
                            book = application.Workbooks().Open(
                                TemplateWorkbookPath(window.programFolder(), fileName));
                        });
    if (created) {
        ContinueOnError([&] { application.setVisible(true); });
    }
    // Only with the template open: a write into nothing would hide why the template is missing.
    if (opened) {
        ContinueOnError([&] { book.Worksheets(1).Cells(123, 1).setValue(" "); });
    }
    window.setScreenTitle("Data Entry Screen");
}

}  // namespace stelvador
