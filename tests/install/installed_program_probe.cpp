// Copied beside an installed program, finds its program folder as the program does (the folder
// of the running executable) and opens the program's workbooks there through the spreadsheet
// stand-in: the output workbook and both template workbooks, the .xls one through the installed
// .xls reader. Exits 0 when all open as the program needs them.
#include <iostream>
#include <memory>
#include <string>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/spreadsheet/xls_reader_process.h"

int main() {
    using namespace stelvador;
    const std::string folder = ExecutableFolder();
    SpreadsheetApplications applications(std::make_shared<DontSaveChangesQuestion>());
    const SpreadsheetApplication application = applications.Create();
    int failures = 0;
    const auto check = [&](bool good, const std::string& what) {
        if (!good) {
            std::cerr << "installed program folder " << folder << ": " << what << '\n';
            ++failures;
        }
    };
    try {
        const Workbook output = application.Workbooks().Open(folder + "/Output.xlsx");
        check(output.WorksheetCount() == 1, "Output.xlsx has not one worksheet");
        for (const char* name : {"Stelvador.xlsx", "Stelvador.xls"}) {
            const Worksheet sheet =
                application.Workbooks().Open(folder + "/Edit Excel File/" + name).Worksheets(1);
            check(sheet.Cells(1, 1).Value() == "Row No" && sheet.Cells(301, 1).Value() == "300",
                  std::string(name) + " is not laid out like the analysis grid");
        }
    } catch (const RunTimeError& failure) {
        check(false, "error " + std::to_string(failure.number()) + ": " + failure.what());
    }
    return failures == 0 ? 0 : 1;
}
