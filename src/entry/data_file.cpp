#include "entry/data_file.h"

#include <sys/stat.h>
#include <cerrno>
#include <filesystem>

#include "common/data_file_format.h"
#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

[[noreturn]] void fail(int number, const char* description) {
    throw RunTimeError(number, description);
}

[[noreturn]] void failBadFileName() {
    fail(error::kBadFileNameOrNumber, "Bad file name or number");
}

[[noreturn]] void failPathNotFound() {
    fail(error::kPathNotFound, "Path not found");
}

[[noreturn]] void failAccess() {
    fail(error::kPathFileAccessError, "Path/File access error");
}

bool folderOfExists(const std::string& path) {
    std::error_code ignored;
    const auto folder = std::filesystem::path(path).parent_path();
    return folder.empty() || std::filesystem::is_directory(folder, ignored);
}

// The grid text block of an empty rectangle: rows of empty cells.
std::string emptyBlock(int rows, int cols) {
    std::string block;
    block.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < rows; ++r) {
        if (r > 0) {
            block.push_back('\r');
        }
        block.append(static_cast<std::size_t>(cols - 1), '\t');
    }
    return block;
}

}  // namespace

void SelectDataBlock(FlexGrid& grid) {
    grid.setCol(1);
    grid.setRow(1);
    grid.setColSel(grid.Cols() - 1);
    grid.setRowSel(grid.Rows() - 1);
}

std::string DataBlockRecord(FlexGrid& grid) {
    SelectDataBlock(grid);
    return BuildDataFileRecord(grid.Clip());
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        failBadFileName();
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        const int openError = errno;
        if (openError == ENOENT || openError == ENOTDIR) {
            failPathNotFound();
        }
        if (openError == ENOSPC) {
            fail(error::kDiskFull, "Disk full");
        }
        failAccess();
    }
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int writeError = written ? 0 : errno;
    if (std::fclose(file) != 0 && writeError == 0) {
        writeError = errno != 0 ? errno : EIO;
    }
    if (!written || writeError != 0) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        if (writeError == ENOSPC) {
            fail(error::kDiskFull, "Disk full");
        }
        fail(error::kDeviceIoError, "Device I/O error");
    }
}

void WriteDataFile(FlexGrid& grid, const std::string& path) {
    WriteFileBytes(path, DataBlockRecord(grid));
}

void DataFileInput::Open(const std::string& path) {
    if (path.empty()) {
        failBadFileName();
    }
    Close();
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        const int openError = errno;
        if (openError == ENOENT) {
            if (!folderOfExists(path)) {
                failPathNotFound();
            }
            fail(error::kFileNotFound, "File not found");
        }
        if (openError == ENOTDIR) {
            failPathNotFound();
        }
        failAccess();
    }
    // A folder opens on some systems but cannot be read as a file.
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0 || S_ISDIR(info.st_mode)) {
        failAccess();
    }
    m_file = std::move(file);
}

std::string DataFileInput::ReadRecord() {
    if (!m_file) {
        failBadFileName();
    }
    DataFileRecordReader reader;
    std::string chunk(kReadChunk, '\0');
    bool wanted = true;
    while (wanted) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), m_file.get());
        if (got == 0) {
            if (std::ferror(m_file.get()) != 0) {
                fail(error::kDeviceIoError, "Device I/O error");
            }
            break;
        }
        wanted = reader.feed(std::string_view(chunk.data(), got));
    }
    return reader.finish();
}

std::string ReadDataFile(const std::string& path) {
    DataFileInput input;
    input.Open(path);
    return input.ReadRecord();
}

void PasteIntoDataBlock(FlexGrid& grid, std::string_view text) {
    SelectDataBlock(grid);
    grid.setClip(text);
}

void ReplaceDataBlock(FlexGrid& grid, std::string_view text) {
    SelectDataBlock(grid);
    grid.setClip(emptyBlock(grid.Rows() - 1, grid.Cols() - 1));
    grid.setClip(text);
}

}  // namespace stelvador
