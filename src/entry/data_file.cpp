#include "entry/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "common/cell_text_limit.h"
#include "common/data_file_format.h"
#include "common/error_numbers.h"
#include "common/grid_text_block.h"
#include "common/run_time_error.h"
#include "common/whole_file_writer.h"
#include "entry/cap_cell.h"

namespace stelvador {

namespace {

namespace fs = std::filesystem;

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
    const auto folder = fs::path(path).parent_path();
    return folder.empty() || fs::is_directory(folder, ignored);
}

}  // namespace

std::string RowEndsAsCr(std::string_view text) {
    std::string rows;
    rows.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') {
            rows.push_back(text[i]);
        } else if (i == 0 || text[i - 1] != '\r') {
            rows.push_back('\r');  // a lone LF; the LF of CR LF goes with its CR
        }
    }
    return rows;
}

void SelectDataBlock(FlexGrid& grid) {
    grid.setCol(1);
    grid.setRow(1);
    grid.setColSel(grid.Cols() - 1);
    grid.setRowSel(grid.Rows() - 1);
}

std::string DataBlockRecord(FlexGrid& grid) {
    SelectDataBlock(grid);
    // Cell by cell, so that a TAB or CR inside a cell is told from the separators between cells.
    for (int row = 1; row < grid.Rows(); ++row) {
        for (int col = 1; col < grid.Cols(); ++col) {
            const std::string& text = grid.TextMatrix(row, col);
            auto reason = FindUnwritableInCell(text);
            // A data file's reader ends a row at a LF too, so a cell cannot carry one either.
            if (!reason && text.find('\n') != std::string::npos) {
                reason = UnwritableCell::Reason::CarriageReturn;
            }
            if (reason) {
                const std::string_view heading =
                    grid.FixedRows() > 0 ? std::string_view(grid.TextMatrix(0, col)) : "";
                throw UnwritableDataBlock(UnwritableCell{row, col, *reason}, heading);
            }
        }
    }
    return BuildDataFileRecord(grid.Clip());
}

void WriteDataFile(FlexGrid& grid, const std::string& path) {
    WriteWholeFile(path, DataBlockRecord(grid));
}

void DataFileInput::Open(const std::string& path) {
    if (path.empty()) {
        failBadFileName();
    }
    Close();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int statError = errno;
        if (statError == ENOENT) {
            if (!folderOfExists(path)) {
                failPathNotFound();
            }
            fail(error::kFileNotFound, "File not found");
        }
        if (statError == ENOTDIR) {
            failPathNotFound();
        }
        failAccess();
    }
    // Only a regular file can be a data file; a pipe or a device could block or never end.
    if (!S_ISREG(info.st_mode)) {
        failAccess();
    }
    // Non-blocking, so that a pipe put in the file's place since the check cannot block the
    // open; the check on what was opened then refuses it.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int openError = errno;
        if (openError == ENOENT) {
            fail(error::kFileNotFound, "File not found");
        }
        failAccess();
    }
    struct stat opened {};
    if (::fstat(descriptor, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(descriptor);
        failAccess();
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(descriptor, "rb"));
    if (!file) {
        ::close(descriptor);
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
    // The data block fills the analysis grid from row 1, column 1, so the file's cell is the
    // grid's cell of the same row and column.
    if (const auto cell = reader.tooLongCell()) {
        throw RunTimeError(
            error::kInvalidFileFormat, "Invalid file format",
            DescribeTooLongGridCell(cell->row, cell->column, AnalysisGridHeading(cell->column)));
    }
    return RowEndsAsCr(reader.finish());
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
    grid.setClip(EmptyGridTextBlock(grid.Rows() - 1, grid.Cols() - 1));
    grid.setClip(text);
}

}  // namespace stelvador
