// Workbooks.Open on arbitrary bytes: every input opens or fails with a run-time error.
// .xls inputs are read by the .xls reader executable in the program folder (build it too); what
// that process does on a damaged file is no finding of this target, only how the program takes
// its answer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/run_time_error.h"
#include "fuzz_input_file.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace {

// Opens the workbook and reads a few cells and the first sheet's name.
void OpenAndRead(const std::string& path) {
    stelvador::SpreadsheetApplications applications(
        std::make_shared<stelvador::DontSaveChangesQuestion>());
    const stelvador::SpreadsheetApplication application = applications.Create();
    try {
        const stelvador::Workbook book = application.Workbooks().Open(path);
        const stelvador::Worksheet sheet = application.ActiveSheet();
        if (!sheet.isNothing()) {
            for (int row = 1; row <= 3; ++row) {
                for (int column = 1; column <= 3; ++column) {
                    (void)sheet.Cells(row, column).Value();
                }
            }
        }
        (void)book.Worksheets(1).Name();
    } catch (const stelvador::RunTimeError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Workbooks are opened from files; each input lives in its file only while it is read.
    static const stelvador::FuzzInputFile input("input.xlsx");
    if (!input.write(data, size)) {
        return 0;
    }
    OpenAndRead(input.path());
    input.remove();
    return 0;
}
