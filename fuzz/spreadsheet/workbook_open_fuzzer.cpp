// Workbooks.Open on arbitrary bytes: every input opens or fails with a run-time error.
// .xls inputs are read by the .xls reader executable in the program folder (build it too); what
// that process does on a damaged file is no finding of this target, only how the program takes
// its answer.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace {

// Workbooks are opened from files; each input lives in its own file only while it is read.
std::string InputPath() {
    return (std::filesystem::temp_directory_path() /
            ("stelvador_fuzz_" + std::to_string(getpid()) + ".xlsx"))
        .string();
}

class RemovedAfterUse {
  public:
    explicit RemovedAfterUse(const std::string& path) : m_path(path) {}
    ~RemovedAfterUse() { std::remove(m_path.c_str()); }
    RemovedAfterUse(const RemovedAfterUse&) = delete;
    RemovedAfterUse& operator=(const RemovedAfterUse&) = delete;

  private:
    const std::string& m_path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = InputPath();
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }
    const RemovedAfterUse removed(path);
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
    return 0;
}
