// Opening a sheet the size of the analysis grid, and writing and saving a results grid.
#include <benchmark/benchmark.h>

#include <xlsxwriter.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/spreadsheet/spreadsheet.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

fs::path Folder() {
    const fs::path folder = fs::temp_directory_path() / "stelvador_spreadsheet_benchmark";
    fs::create_directories(folder);
    return folder;
}

// A 301 x 44 sheet like an imported analysis workbook: headings, row numbers, names, numbers.
fs::path AnalysisWorkbook() {
    const fs::path path = Folder() / "analyses.xlsx";
    lxw_workbook* workbook = workbook_new(path.string().c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    for (lxw_col_t column = 0; column < 44; ++column) {
        worksheet_write_string(sheet, 0, column, ("H" + std::to_string(column)).c_str(), nullptr);
    }
    for (lxw_row_t row = 1; row < 301; ++row) {
        worksheet_write_number(sheet, row, 0, row, nullptr);
        worksheet_write_string(sheet, row, 1, ("EP-" + std::to_string(row)).c_str(), nullptr);
        for (lxw_col_t column = 2; column < 44; ++column) {
            worksheet_write_number(sheet, row, column, row * 0.01 + column * 1.375, nullptr);
        }
    }
    workbook_close(workbook);
    return path;
}

void OpenAnalysisSheet(benchmark::State& state) {
    const std::string path = AnalysisWorkbook().string();
    SpreadsheetApplications applications(std::make_shared<DontSaveChangesQuestion>());
    for (auto _ : state) {
        const SpreadsheetApplication application = applications.Create();
        const Worksheet sheet = application.Workbooks().Open(path).Worksheets(1);
        benchmark::DoNotOptimize(sheet.Cells(301, 44).Value());
        application.Quit();
    }
}
BENCHMARK(OpenAnalysisSheet)->Unit(benchmark::kMillisecond);

void WriteAndSaveResults(benchmark::State& state) {
    const fs::path folder = Folder();
    lxw_workbook* empty = workbook_new((folder / "Output.xlsx").string().c_str());
    workbook_add_worksheet(empty, nullptr);
    workbook_close(empty);
    SpreadsheetApplications applications(std::make_shared<DontSaveChangesQuestion>());
    const std::string target = (folder / "Sent.xlsx").string();
    for (auto _ : state) {
        const SpreadsheetApplication application = applications.Create();
        const Workbook book = application.Workbooks().Open((folder / "Output.xlsx").string());
        const Worksheet sheet = book.Worksheets(1);
        for (int row = 1; row <= 300; ++row) {
            for (int column = 1; column <= 135; ++column) {
                sheet.Cells(row, column).setValue(std::to_string(row * column) + ".125");
            }
        }
        book.SaveAs(target);
        application.Quit();
    }
}
BENCHMARK(WriteAndSaveResults)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
