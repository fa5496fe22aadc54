#include "platform/spreadsheet/xls_reader_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/xls_reader.h"

namespace stelvador {

namespace {

constexpr char kResultOk = 'W';
constexpr char kResultError = 'E';

[[noreturn]] void FailDamaged() {
    throw RunTimeError(error::kInvalidFileFormat,
                       "The workbook is damaged: the .xls reader could not read it.");
}

template <typename Number>
void Put(std::string& out, Number value) {
    char bytes[sizeof(Number)];
    std::memcpy(bytes, &value, sizeof(Number));
    out.append(bytes, sizeof(Number));
}

void PutText(std::string& out, const std::string& text) {
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

class Reader {
  public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}

    template <typename Number>
    Number Get() {
        if (m_bytes.size() - m_at < sizeof(Number)) {
            FailDamaged();
        }
        Number value;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof(Number));
        m_at += sizeof(Number);
        return value;
    }
    std::string GetText() {
        const auto size = Get<std::uint32_t>();
        if (m_bytes.size() - m_at < size) {
            FailDamaged();
        }
        std::string text = m_bytes.substr(m_at, size);
        m_at += size;
        return text;
    }

  private:
    const std::string& m_bytes;
    std::size_t m_at = 0;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

[[noreturn]] void RunChild(int fd, const std::function<WorkbookData()>& read) {
    std::string message;
    try {
        message = kResultOk + SerializeWorkbook(read());
    } catch (const RunTimeError& failure) {
        message = kResultError;
        Put<std::int32_t>(message, failure.number());
        PutText(message, failure.what());
    } catch (...) {
        message = kResultError;
        Put<std::int32_t>(message, error::kInvalidFileFormat);
        PutText(message, "The workbook cannot be read.");
    }
    WriteAll(fd, message);
    close(fd);
    _exit(0);  // no exit handlers of the parent's libraries
}

}  // namespace

std::string SerializeWorkbook(const WorkbookData& data) {
    std::string out;
    Put<std::int32_t>(out, data.activeSheet);
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(data.sheets.size()));
    for (const SheetData& sheet : data.sheets) {
        PutText(out, sheet.name);
        Put<std::uint32_t>(out, static_cast<std::uint32_t>(sheet.cells.Count()));
        sheet.cells.ForEach([&](int row, int column, const CellValue& value) {
            Put<std::int32_t>(out, row);
            Put<std::int32_t>(out, column);
            Put<std::uint8_t>(out, static_cast<std::uint8_t>(value.kind));
            Put<double>(out, value.number);
            PutText(out, value.text);
        });
    }
    return out;
}

WorkbookData DeserializeWorkbook(const std::string& bytes) {
    Reader in(bytes);
    WorkbookData data;
    data.activeSheet = in.Get<std::int32_t>();
    const auto sheets = in.Get<std::uint32_t>();
    for (std::uint32_t s = 0; s < sheets; ++s) {
        SheetData sheet;
        sheet.name = in.GetText();
        const auto cells = in.Get<std::uint32_t>();
        for (std::uint32_t c = 0; c < cells; ++c) {
            const auto row = in.Get<std::int32_t>();
            const auto column = in.Get<std::int32_t>();
            const auto kind = in.Get<std::uint8_t>();
            CellValue value;
            value.number = in.Get<double>();
            value.text = in.GetText();
            if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns ||
                kind > static_cast<std::uint8_t>(CellKind::Error)) {
                FailDamaged();
            }
            value.kind = static_cast<CellKind>(kind);
            sheet.cells.Set(row, column, std::move(value));
        }
        data.sheets.push_back(std::move(sheet));
    }
    if (data.activeSheet >= static_cast<int>(data.sheets.size())) {
        data.activeSheet = data.sheets.empty() ? -1 : 0;
    }
    return data;
}

WorkbookData ReadInChildProcess(const std::function<WorkbookData()>& read, int timeLimitMs,
                                std::size_t maxResultBytes) {
    int fds[2];
    if (pipe(fds) != 0) {
        throw RunTimeError(error::kOutOfMemory, "Cannot start the workbook reader.");
    }
    const pid_t child = fork();
    if (child < 0) {
        close(fds[0]);
        close(fds[1]);
        throw RunTimeError(error::kOutOfMemory, "Cannot start the workbook reader.");
    }
    if (child == 0) {
        close(fds[0]);
        RunChild(fds[1], read);
    }
    close(fds[1]);

    std::string message;
    bool timedOut = false;
    bool tooLong = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd waiting{fds[0], POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t got = ::read(fds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        if (static_cast<std::size_t>(got) > maxResultBytes - message.size()) {
            tooLong = true;
            break;
        }
        message.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (timedOut || tooLong) {
        kill(child, SIGKILL);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (tooLong) {
        throw RunTimeError(error::kInvalidFileFormat,
                           "The workbook holds more than this program reads.");
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || message.empty()) {
        FailDamaged();
    }
    if (message.front() == kResultError) {
        const std::string rest = message.substr(1);
        Reader in(rest);
        const auto number = in.Get<std::int32_t>();
        throw RunTimeError(number, in.GetText());
    }
    if (message.front() != kResultOk) {
        FailDamaged();
    }
    message.erase(0, 1);  // in place: the result can be large
    return DeserializeWorkbook(message);
}

WorkbookData ReadXlsWorkbook(const std::string& path, std::size_t cellLimit,
                             std::size_t textLimit) {
    constexpr int kTimeLimitMs = 20000;
    // Each cell costs 21 bytes besides its text; sheet names are short (at most 31 characters).
    constexpr std::size_t kBytesPerCell = 32;
    const std::size_t maxResultBytes = textLimit + cellLimit * kBytesPerCell + (16u << 20);
    return ReadInChildProcess([&] { return ReadXlsInThisProcess(path, cellLimit, textLimit); },
                              kTimeLimitMs, maxResultBytes);
}

}  // namespace stelvador
