#include "full_disk.h"
#include "scratch_folder.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <string>
#include <system_error>

namespace stelvador {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileSystemSize = "size=4m";

// This thread's own mount namespace, made once; mounts in it are seen by no other process.
bool OwnMountNamespace() {
    static const bool own = ::unshare(CLONE_NEWNS) == 0 &&
                            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return own;
}

fs::path FillerPath(const fs::path& root) {
    return root / "filler";
}

}  // namespace

std::string FullDiskKindName(FullDiskKind kind) {
    return kind == FullDiskKind::SmallFileSystem ? "SmallFileSystem" : "FileSizeLimit";
}

FullDiskFolder::FullDiskFolder(FullDiskKind kind, const std::string& name) : m_kind(kind) {
    m_root = MakeScratchFolder("full_disk_" + name);
    std::error_code ignored;
    if (kind == FullDiskKind::SmallFileSystem) {
        m_mounted = OwnMountNamespace() &&
                    ::mount("tmpfs", m_root.c_str(), "tmpfs", 0, kFileSystemSize) == 0;
        if (!m_mounted) {
            fs::remove_all(m_root, ignored);
            return;
        }
    }
    m_folder = m_root / "work";
    fs::create_directories(m_folder);
}

FullDiskFolder::~FullDiskFolder() {
    empty();
    std::error_code ignored;
    if (m_mounted) {
        ::umount2(m_root.c_str(), MNT_DETACH);
    }
    fs::remove_all(m_root, ignored);
}

void FullDiskFolder::fill(std::uintmax_t room) {
    if (!available()) {
        return;
    }
    if (m_kind == FullDiskKind::FileSizeLimit) {
        if (!m_limited) {
            ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        }
        rlimit lower = m_oldLimit;
        lower.rlim_cur = static_cast<rlim_t>(room);
        ::setrlimit(RLIMIT_FSIZE, &lower);
        m_limited = true;
        return;
    }
    // Written until the file system takes no more, then shortened by the room.
    const int filler = ::open(FillerPath(m_root).c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (filler < 0) {
        return;
    }
    const std::string chunk(64 * 1024, 'f');
    while (::write(filler, chunk.data(), chunk.size()) > 0) {
    }
    const std::string page(512, 'f');
    while (::write(filler, page.data(), page.size()) > 0) {
    }
    struct stat info {};
    ::fstat(filler, &info);
    const auto size = static_cast<std::uintmax_t>(info.st_size);
    const int shortened = ::ftruncate(filler, static_cast<off_t>(size > room ? size - room : 0));
    static_cast<void>(shortened);
    ::close(filler);
}

void FullDiskFolder::empty() {
    if (m_limited) {
        ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
        std::signal(SIGXFSZ, m_oldHandler);
        m_limited = false;
    }
    if (m_mounted) {
        ::unlink(FillerPath(m_root).c_str());
    }
}

}  // namespace stelvador
