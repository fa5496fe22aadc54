// The .xls reader: reads one Excel 97-2003 workbook with freexl and writes what it read (or the
// run-time error it met) to its standard output, for the program to take in. It runs as a
// process of its own because freexl can crash, hang or allocate without end on damaged files;
// its limits on time, memory and output are set here, before the file is touched.
#include <sys/resource.h>
#include <unistd.h>

#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/workbook_transfer.h"
#include "platform/spreadsheet/xls_reader.h"
#include "platform/spreadsheet/xls_reader_process.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

void Limit(int resource, rlim_t value) {
    const rlimit limit{value, value};
    setrlimit(resource, &limit);
}

void LimitThisProcess() {
    // CPU seconds a little beyond the program's own wait, in case the program is gone.
    Limit(RLIMIT_CPU, stelvador::kXlsReaderTimeLimitMs / 1000 + 5);
    Limit(RLIMIT_CORE, 0);  // a crash on a damaged file leaves no core file behind
    // The address sanitizer reserves terabytes of address space up front; under it the
    // sanitizer's own allocator limit stands in.
    if (!kSanitized) {
        Limit(RLIMIT_AS, stelvador::kXlsReaderMemoryBytes);
    }
}

bool ParseSize(std::string_view text, std::size_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

}  // namespace

// stelvador-xls-reader PATH CELL_LIMIT TEXT_LIMIT [LAST_ROW LAST_COLUMN]
// With the last row and column, only the active sheet is read, and of it only the cells up to
// them.
int main(int argc, char** argv) {
    LimitThisProcess();
    std::size_t cellLimit = 0;
    std::size_t textLimit = 0;
    if ((argc != 4 && argc != 6) || !ParseSize(argv[2], cellLimit) ||
        !ParseSize(argv[3], textLimit)) {
        return 2;
    }
    stelvador::WorkbookReadScope scope;
    if (argc == 6) {
        std::size_t lastRow = 0;
        std::size_t lastColumn = 0;
        if (!ParseSize(argv[4], lastRow) || !ParseSize(argv[5], lastColumn) || lastRow < 1 ||
            lastRow > stelvador::kMaxSheetRows || lastColumn < 1 ||
            lastColumn > stelvador::kMaxSheetColumns) {
            return 2;
        }
        scope =
            stelvador::ActiveSheetRange(static_cast<int>(lastRow), static_cast<int>(lastColumn));
    }
    std::string answer;
    try {
        answer = stelvador::WorkbookAnswer(
            stelvador::ReadXlsInThisProcess(argv[1], scope, cellLimit, textLimit));
    } catch (const stelvador::RunTimeError& failure) {
        answer = stelvador::FailureAnswer(failure);
    } catch (...) {
        // Out of memory under the limit above, mostly.
        const std::string reason = stelvador::TooMuchReason("more than the .xls reader's memory");
        answer = stelvador::FailureAnswer(stelvador::error::kInvalidFileFormat, reason, reason);
    }
    return WriteAll(answer) ? 0 : 1;
}
