#include "common/whole_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>
#include <utility>

#include "common/error_message_tables.h"
#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

namespace fs = std::filesystem;

// Appends are gathered up to this size, so that many short lines cost few system calls.
constexpr std::size_t kBufferBytes = 64 * 1024;

[[noreturn]] void Fail(int number) {
    throw RunTimeError(number,
                       std::string(ErrorMessage(ErrorTable::DataEntry, number).value_or("")));
}

// The file a write replaces: a symbolic link is followed, so the link stays and the file it
// names gets the new bytes.
fs::path ReplacedFile(const std::string& path) {
    std::error_code code;
    if (fs::is_symlink(fs::symlink_status(path, code))) {
        const fs::path resolved = fs::weakly_canonical(path, code);
        if (!code) {
            return resolved;
        }
    }
    return path;
}

// Writes all the bytes; returns 0, or the cause of the failure.
int WriteAll(int descriptor, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return wrote < 0 ? errno : EIO;
        }
        done += static_cast<std::size_t>(wrote);
    }
    return 0;
}

// fsync, where the file system has it; returns 0 or the cause of the failure.
int Sync(int descriptor) {
    if (::fsync(descriptor) != 0 && errno != EINVAL) {
        return errno;
    }
    return 0;
}

}  // namespace

int FileErrorNumber(int cause) {
    switch (cause) {
        case ENOENT:
        case ENOTDIR:
            return error::kPathNotFound;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return error::kDiskFull;
        case EIO:
            return error::kDeviceIoError;
        default:
            return error::kPathFileAccessError;
    }
}

void ThrowFileError(int cause) {
    Fail(FileErrorNumber(cause));
}

FileReplacement::FileReplacement(const std::string& target) {
    if (target.empty()) {
        Fail(error::kBadFileNameOrNumber);
    }
    m_target = ReplacedFile(target);
    struct stat existing {};
    const bool exists = ::stat(m_target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        Fail(error::kPathFileAccessError);  // a folder, a device or a pipe is never replaced
    }
    if (exists && ::access(m_target.c_str(), W_OK) != 0) {
        Fail(error::kPathFileAccessError);
    }
    const fs::path folder = m_target.parent_path();
    std::random_device random;
    int openError = 0;
    for (int attempt = 0; attempt < 16 && m_descriptor < 0; ++attempt) {
        // Not built from the target's name, which may already be as long as a name can be.
        const fs::path candidate = folder / (".stelvador-" + std::to_string(random()) + ".tmp");
        m_descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_descriptor >= 0) {
            m_temporary = candidate;
            break;
        }
        openError = errno;
        if (openError != EEXIST) {
            break;
        }
    }
    if (m_descriptor < 0) {
        ThrowFileError(openError);
    }
    if (exists) {
        // The replacement keeps the permissions of the file it replaces.
        ::fchmod(m_descriptor, existing.st_mode & 07777);
    }
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : m_target(std::move(other.m_target)),
      m_temporary(std::exchange(other.m_temporary, {})),
      m_buffer(std::move(other.m_buffer)),
      m_descriptor(std::exchange(other.m_descriptor, -1)),
      m_finished(other.m_finished) {}

FileReplacement& FileReplacement::operator=(FileReplacement&& other) noexcept {
    if (this != &other) {
        discard();
        m_target = std::move(other.m_target);
        m_temporary = std::exchange(other.m_temporary, {});
        m_buffer = std::move(other.m_buffer);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_finished = other.m_finished;
    }
    return *this;
}

FileReplacement::~FileReplacement() {
    discard();
}

void FileReplacement::failAndDiscard(int cause) {
    discard();
    ThrowFileError(cause);
}

void FileReplacement::flushBuffer() {
    if (m_buffer.empty()) {
        return;
    }
    const int cause = WriteAll(m_descriptor, m_buffer);
    m_buffer.clear();
    if (cause != 0) {
        failAndDiscard(cause);
    }
}

void FileReplacement::append(std::string_view bytes) {
    if (m_descriptor < 0) {
        Fail(error::kBadFileNameOrNumber);  // handed over, finished or discarded
    }
    if (m_buffer.size() + bytes.size() > kBufferBytes) {
        flushBuffer();
    }
    if (bytes.size() >= kBufferBytes) {
        if (const int cause = WriteAll(m_descriptor, bytes); cause != 0) {
            failAndDiscard(cause);
        }
        return;
    }
    m_buffer.append(bytes);
}

void FileReplacement::handOver() {
    if (m_descriptor < 0) {
        return;
    }
    flushBuffer();
    ::close(m_descriptor);
    m_descriptor = -1;
}

void FileReplacement::finish() {
    if (m_finished) {
        return;
    }
    if (!isActive()) {
        Fail(error::kBadFileNameOrNumber);
    }
    if (m_descriptor >= 0) {
        flushBuffer();
        if (const int cause = Sync(m_descriptor); cause != 0) {
            failAndDiscard(cause);
        }
        const int closed = ::close(m_descriptor);
        m_descriptor = -1;
        if (closed != 0 && errno != EINTR) {
            failAndDiscard(errno);
        }
    } else {
        // Written by name by someone else: only a regular file there is taken.
        const int written = ::open(m_temporary.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (written < 0) {
            failAndDiscard(errno);
        }
        struct stat info {};
        const bool regular = ::fstat(written, &info) == 0 && S_ISREG(info.st_mode);
        const int cause = regular ? Sync(written) : EACCES;
        ::close(written);
        if (cause != 0) {
            failAndDiscard(cause);
        }
    }
    m_finished = true;
}

void FileReplacement::replaceTarget() {
    finish();
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        failAndDiscard(errno);
    }
    m_temporary.clear();
}

void FileReplacement::commit() {
    finish();
    replaceTarget();
}

void FileReplacement::discard() noexcept {
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
    }
    m_buffer.clear();
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
    FileReplacement replacement(path);
    replacement.append(bytes);
    replacement.commit();
}

void WriteWholeFileThrough(const std::string& path,
                           const std::function<void(const std::string& temporaryPath)>& write) {
    FileReplacement replacement(path);
    replacement.handOver();
    write(replacement.temporaryPath().string());
    replacement.commit();
}

}  // namespace stelvador
