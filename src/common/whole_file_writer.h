#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace stelvador {

// Every file the program writes is written whole or not at all: the bytes go to a new file in
// the target's folder first, which takes the target's place by a rename only when it is
// complete and on the disk. A failure removes the new file and leaves the target as it was.
// Failures throw RunTimeError with the number FileErrorNumber gives for the cause.

// The run-time error number of a failed file operation, by its cause (an errno value): 76 path
// not found, 61 disk full (also a file larger than the file system or the process may write),
// 57 device I/O error, 75 path/file access error for every other cause.
int FileErrorNumber(int cause);

// Throws the RunTimeError of FileErrorNumber(cause), described by its message text.
[[noreturn]] void ThrowFileError(int cause);

// The replacement of one file while it is built. The target may be absent or a regular file
// the process may write; a symbolic link is followed, so the link stays and the file it names is
// replaced, keeping that file's permissions. Moves only; the destructor removes the temporary
// file unless it has replaced the target.
class FileReplacement {
  public:
    // Creates the empty temporary file beside the target. Throws 52 for the empty name, 76
    // when the folder does not exist, 75 when the target is no regular file (a folder, a pipe,
    // a device) or may not be written, or the folder takes no new file, 61 when the disk is full.
    explicit FileReplacement(const std::string& target);
    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&& other) noexcept;
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // The file that is replaced (a symbolic link's file) and the temporary file beside it.
    const std::filesystem::path& target() const { return m_target; }
    const std::filesystem::path& temporaryPath() const { return m_temporary; }

    // Appends the bytes, buffered. A failure removes the temporary file and throws.
    void append(std::string_view bytes);

    // For a library that writes a file by its name: the temporary file is closed here, empty,
    // so that the library can write it at temporaryPath(); finish() then takes what it wrote.
    void handOver();

    // Writes what is buffered and puts the file on the disk (fsync), so that a crash after the
    // rename leaves the old file or the new one, never a truncated one.
    void finish();

    // Renames the finished temporary file over the target.
    void replaceTarget();

    // finish() and replaceTarget().
    void commit();

    // Removes the temporary file, leaving the target as it was. Nothing happens once the target
    // is replaced.
    void discard() noexcept;

    bool isActive() const { return !m_temporary.empty(); }

  private:
    [[noreturn]] void failAndDiscard(int cause);
    void flushBuffer();

    std::filesystem::path m_target;
    std::filesystem::path m_temporary;
    std::string m_buffer;
    int m_descriptor = -1;
    bool m_finished = false;
};

// Creates the file, or replaces it without a question, holding exactly the bytes.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// The same for a file that a library writes by its name: write is given the temporary file's
// path (an empty file that it may open for writing and truncate) and throws or returns; only
// when it returns is the result renamed over the target. What write throws passes on unchanged
// after the temporary file is removed.
void WriteWholeFileThrough(const std::string& path,
                           const std::function<void(const std::string& temporaryPath)>& write);

}  // namespace stelvador
