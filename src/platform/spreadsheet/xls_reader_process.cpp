#include "platform/spreadsheet/xls_reader_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/program_files.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/workbook_transfer.h"

extern char** environ;

namespace stelvador {

namespace {

[[noreturn]] void FailDamaged() {
    RefuseDamaged("the .xls reader could not read it");
}

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    void Close() {
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
    }

  private:
    int m_fd;
};

class SpawnActions {
  public:
    SpawnActions() { posix_spawn_file_actions_init(&m_actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    posix_spawn_file_actions_t* get() { return &m_actions; }

  private:
    posix_spawn_file_actions_t m_actions;
};

// Starts the program with its standard output on outputFd, its standard input and error on
// /dev/null (a crashing reader's report is no business of the program's); the process id, or
// -1 when it cannot start.
pid_t Start(const std::string& program, const std::vector<std::string>& arguments, int outputFd) {
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.get(), outputFd, 1);
    posix_spawn_file_actions_addopen(actions.get(), 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t child = -1;
    if (posix_spawn(&child, program.c_str(), actions.get(), nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    return child;
}

enum class Outcome { Ended, TimedOut, TooLong };

// Reads the child's output until it closes it, the deadline passes or it exceeds maxBytes.
Outcome Collect(int fd, int timeLimitMs, std::size_t maxBytes, std::string& output) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeLimitMs);
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            return Outcome::TimedOut;
        }
        pollfd waiting{fd, POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready == 0) {
            return Outcome::TimedOut;
        }
        if (ready < 0) {
            return Outcome::Ended;
        }
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return Outcome::Ended;
        }
        if (static_cast<std::size_t>(got) > maxBytes - output.size()) {
            return Outcome::TooLong;
        }
        output.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace

std::string XlsReaderPath(const ProgramFiles& files) {
    if (files.readerFolder.empty()) {
        return {};
    }
    return (std::filesystem::path(files.readerFolder) / kXlsReaderName).string();
}

WorkbookData ReadInChildProcess(const std::string& program,
                                const std::vector<std::string>& arguments, int timeLimitMs,
                                std::size_t maxResultBytes) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw RunTimeError(error::kOutOfMemory, "Cannot start the .xls reader.");
    }
    Descriptor readEnd(fds[0]);
    Descriptor writeEnd(fds[1]);
    const pid_t child = Start(program, arguments, writeEnd.get());
    writeEnd.Close();  // so that the reader's end of output is seen here
    if (child < 0) {
        std::error_code ignored;
        const std::string why = std::filesystem::exists(program, ignored)
                                    ? "The .xls reader " + program + " cannot be started."
                                    : "The .xls reader " + program + " is missing.";
        throw RunTimeError(error::kInvalidFileFormat, why, why);
    }

    std::string answer;
    const Outcome outcome = Collect(readEnd.get(), timeLimitMs, maxResultBytes, answer);
    readEnd.Close();
    if (outcome != Outcome::Ended) {
        kill(child, SIGKILL);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (outcome == Outcome::TooLong) {
        RefuseTooMuch("the .xls reader's answer runs past " + std::to_string(maxResultBytes >> 20) +
                      " MiB");
    }
    if (outcome == Outcome::TimedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        FailDamaged();
    }
    return WorkbookFromAnswer(std::move(answer));
}

WorkbookData ReadXlsWorkbook(const std::string& path, const WorkbookReadScope& scope,
                             std::size_t cellLimit, std::size_t textLimit) {
    // Each cell costs 21 bytes besides its text; sheet names are short (at most 31 characters).
    constexpr std::size_t kBytesPerCell = 32;
    const std::size_t maxResultBytes = textLimit + cellLimit * kBytesPerCell + (16u << 20);
    const std::string reader = XlsReaderPath(RunningProgramFiles());
    if (reader.empty()) {
        const std::string why =
            "The .xls reader cannot be found: the program's own folder is unknown.";
        throw RunTimeError(error::kInvalidFileFormat, why, why);
    }
    std::vector<std::string> arguments{path, std::to_string(cellLimit), std::to_string(textLimit)};
    if (scope.activeSheetOnly) {
        arguments.push_back(std::to_string(scope.lastRow));
        arguments.push_back(std::to_string(scope.lastColumn));
    }
    return ReadInChildProcess(reader, arguments, kXlsReaderTimeLimitMs, maxResultBytes);
}

}  // namespace stelvador
