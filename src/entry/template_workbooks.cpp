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
    const std::string path = TemplateWorkbookPath(window.programFolder(), fileName);
    SpreadsheetApplications& applications = window.spreadsheetApplications();
    // A template already open is shown where it is, with the user's edits: a second copy read
    // from disk would save over them.
    SpreadsheetApplication application = applications.Holding(path);
    const bool running =
        !application.isNothing() || ContinueOnError([&] { application = applications.Create(); });
    if (running) {
        // Opening changes no cell: the template counts as unchanged until the user edits it.
        ContinueOnError([&] { application.Workbooks().Open(path); });
        ContinueOnError([&] { application.setVisible(true); });
    }
    window.setScreenTitle("Data Entry Screen");
}

}  // namespace stelvador
