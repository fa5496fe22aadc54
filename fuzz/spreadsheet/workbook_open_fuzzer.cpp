// Workbooks.Open on arbitrary bytes: every input opens or fails with a run-time error.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace {

class NeverAsked : public stelvador::SaveChangesQuestion {
  public:
    stelvador::SaveChangesAnswer AskSaveChanges(const std::string&) override {
        return stelvador::SaveChangesAnswer::DontSave;
    }
    std::string ChooseSavePath(const std::string&) override { return {}; }
    void ReportSaveFailure(const std::string&, const std::string&) override {}
};

std::string InputPath() {
    return "/tmp/stelvador_fuzz_" + std::to_string(getpid()) + ".xlsx";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = InputPath();
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }
    stelvador::SpreadsheetApplications applications(std::make_shared<NeverAsked>());
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
    return 0;
}
