#pragma once

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace stelvador {

// How a test's disk runs full: a small tmpfs that is filled up (mounted in this process's own
// mount namespace, so no other process sees it and it goes when the process ends), or a limit
// on the size of every file this process and its children write, which gives the same short
// write wherever mounting is refused.
enum class FullDiskKind { SmallFileSystem, FileSizeLimit };

std::string FullDiskKindName(FullDiskKind kind);

// A fresh, empty folder whose disk can be made full and given its room back.
class FullDiskFolder {
  public:
    FullDiskFolder(FullDiskKind kind, const std::string& name);
    FullDiskFolder(const FullDiskFolder&) = delete;
    FullDiskFolder& operator=(const FullDiskFolder&) = delete;
    ~FullDiskFolder();

    // False when the small file system cannot be mounted here; the test skips that kind.
    bool available() const { return !m_folder.empty(); }
    const std::filesystem::path& path() const { return m_folder; }

    // From now on only about room more bytes fit: the file system is filled but for room
    // (rounded to its pages), or no file may grow beyond room bytes.
    void fill(std::uintmax_t room = 0);
    // Gives the disk its room back.
    void empty();

  private:
    FullDiskKind m_kind;
    std::filesystem::path m_root;
    std::filesystem::path m_folder;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_oldLimit{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace stelvador
