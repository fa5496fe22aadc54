// The save of a 300-analysis send (302 rows by 135 columns, as the results grid sends them) into
// a prepared output workbook: formulas, styles, a comment, a chart and a second sheet around
// the sent cells; and of a second send of other values into the workbook saved so. Only the
// save is timed; the open and the send are done anew before each.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/number_format.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// A cell of the sent grid: sample names, formatted numbers with a few empty, then texts.
std::string SentText(int row, int column, double factor) {
    if (row <= 2) {
        return "H" + std::to_string(row) + "-" + std::to_string(column);
    }
    if (column == 1) {
        return "EP-" + std::to_string(row - 2);
    }
    if (column > 123 || column == 47 || column == 91 || (column + row) % 17 == 0) {
        return column > 123 && column < 132 ? "allanite" : "";
    }
    return FormatNumber(factor * (column % 9 == 0 ? 1234.5678 : 1.0) *
                        (column * 0.731 + row * 0.0137));
}

// Opens the workbook, sends into it (each number times the factor) and saves it as the target.
void SendAndSave(SpreadsheetApplications& applications, const fs::path& workbook, double factor,
                 const std::string& target) {
    const SpreadsheetApplication application = applications.Create();
    const Workbook book = application.Workbooks().Open(workbook.string());
    const Worksheet sheet = book.Worksheets(1);
    for (int row = 1; row <= 302; ++row) {
        for (int column = 1; column <= 135; ++column) {
            sheet.Cells(row, column).setValue(SentText(row, column, factor));
        }
    }
    book.SaveAs(target);
    application.Quit();
}

// state.range(0): 0 for the first send into the prepared workbook, 1 for a send of other
// values into the workbook that the first send was saved as.
void SaveOfASendIntoAPreparedOutputWorkbook(benchmark::State& state) {
    char pattern[] = "/tmp/stelvador_prepared_output_XXXXXX";
    const fs::path folder = ::mkdtemp(pattern);
    fs::path output = folder / "Output.xlsx";
    fs::copy_file(fs::path(STELVADOR_SPREADSHEET_DATA_DIR) / "prepared_output_openpyxl.xlsx",
                  output);
    SpreadsheetApplications applications(std::make_shared<DontSaveChangesQuestion>());
    if (state.range(0) == 1) {
        SendAndSave(applications, output, 1.0, (folder / "Sent once.xlsx").string());
        output = folder / "Sent once.xlsx";
    }
    const std::string target = (folder / "Sent.xlsx").string();
    for (auto _ : state) {
        state.PauseTiming();
        const SpreadsheetApplication application = applications.Create();
        const Workbook book = application.Workbooks().Open(output.string());
        const Worksheet sheet = book.Worksheets(1);
        for (int row = 1; row <= 302; ++row) {
            for (int column = 1; column <= 135; ++column) {
                sheet.Cells(row, column).setValue(SentText(row, column, 1.5));
            }
        }
        state.ResumeTiming();

        book.SaveAs(target);

        state.PauseTiming();
        application.Quit();
        state.ResumeTiming();
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(target));
    fs::remove_all(folder);
}
BENCHMARK(SaveOfASendIntoAPreparedOutputWorkbook)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace stelvador
