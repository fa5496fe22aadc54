// Writes the program's own workbooks into the program folder: the output workbook
// "Output.xlsx" (one empty worksheet) and the .xlsx template "Edit Excel File/Stelvador.xlsx",
// a sheet laid out like the analysis grid (headings in row 1, row numbers 1 to 300 in column A).
#include <xlsxwriter.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/oxide_list.h"

namespace {

constexpr int kAnalysisRows = 300;

bool WriteOutputWorkbook(const std::filesystem::path& path) {
    lxw_workbook* workbook = workbook_new(path.string().c_str());
    if (workbook == nullptr) {
        return false;
    }
    workbook_add_worksheet(workbook, nullptr);
    return workbook_close(workbook) == LXW_NO_ERROR;
}

bool WriteTemplateWorkbook(const std::filesystem::path& path) {
    lxw_workbook* workbook = workbook_new(path.string().c_str());
    if (workbook == nullptr) {
        return false;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_write_string(sheet, 0, 0, "Row No", nullptr);
    worksheet_write_string(sheet, 0, 1, "Sample No", nullptr);
    for (std::size_t i = 0; i < stelvador::kOxideList.size(); ++i) {
        const std::string heading(stelvador::kOxideList[i]);
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(i + 2), heading.c_str(), nullptr);
    }
    for (int row = 1; row <= kAnalysisRows; ++row) {
        worksheet_write_number(sheet, static_cast<lxw_row_t>(row), 0, row, nullptr);
    }
    return workbook_close(workbook) == LXW_NO_ERROR;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_workbooks <program folder>\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code code;
    std::filesystem::create_directories(folder / "Edit Excel File", code);
    if (!WriteOutputWorkbook(folder / "Output.xlsx") ||
        !WriteTemplateWorkbook(folder / "Edit Excel File" / "Stelvador.xlsx")) {
        std::fprintf(stderr, "make_workbooks: cannot write the workbooks in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
