#pragma once

#include <string>
#include <string_view>

namespace stelvador {

class WorkbookCommandWindow;

// The template workbooks in the program folder's "Edit Excel File" folder: sheets laid out like
// the analysis grid, for preparing analyses in a spreadsheet.
inline constexpr std::string_view kTemplateFolder = "Edit Excel File";
inline constexpr std::string_view kXlsTemplate = "Stelvador.xls";
inline constexpr std::string_view kXlsxTemplate = "Stelvador.xlsx";

std::string TemplateWorkbookPath(const std::string& programFolder, std::string_view fileName);

// Opens the template workbook in a new spreadsheet application, shows it and leaves it open for
// the user, changing no cell; a template already open in one of the applications is shown there
// as it stands, unsaved edits and all. Runs in continue-on-error mode and leaves the last failure
// pending (a missing template: file not found); touches neither the grid nor the screen beyond
// its title.
void EditTemplateWorkbook(WorkbookCommandWindow& window, std::string_view fileName);

}  // namespace stelvador
