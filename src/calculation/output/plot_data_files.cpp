#include "calculation/output/plot_data_files.h"

#include <cerrno>

#include "calculation/output/result_row.h"
#include "common/error_numbers.h"

namespace stelvador {

namespace {

// The run-time error number of a failed file operation, by its cause.
int FileErrorNumber(int cause) {
    switch (cause) {
        case ENOENT:
        case ENOTDIR:
            return error::kPathNotFound;
        case ENOSPC:
            return error::kDiskFull;
        case EIO:
            return error::kDeviceIoError;
        default:
            return error::kPathFileAccessError;
    }
}

}  // namespace

void PlotDataFiles::FileCloser::operator()(std::FILE* file) const {
    std::fclose(file);
}

void PlotDataFiles::open(const std::filesystem::path& folder) {
    close();
    m_lastFailure = 0;
    for (std::size_t f = 0; f < kPlotFileCount; ++f) {
        const std::filesystem::path name = folder / std::string(kPlotFileNames[f]);
        errno = 0;
        // Binary mode: the lines carry their own CR LF.
        m_files[f].reset(std::fopen(name.c_str(), "wb"));
        if (!m_files[f]) {
            m_lastFailure = FileErrorNumber(errno);
            continue;
        }
        std::string header(kPlotFileHeaders[f]);
        header.append("\r\n");
        writeLine(f, header);
    }
}

void PlotDataFiles::writeLine(std::size_t file, std::string_view line) {
    std::FILE* const stream = m_files[file].get();
    if (stream == nullptr) {
        return;
    }
    errno = 0;
    if (std::fwrite(line.data(), 1, line.size(), stream) != line.size()) {
        m_lastFailure = FileErrorNumber(errno);
    }
}

void PlotDataFiles::writeRecords(const PlotRecords& records) {
    for (std::size_t f = 0; f < kPlotFileCount; ++f) {
        if (records.present[f]) {
            writeLine(f, records.lines[f]);
        }
    }
}

void PlotDataFiles::writeRecords(const AnalysisState& state, const ResultRow& row) {
    FormatPlotRecords(state, row, m_records);
    writeRecords(m_records);
}

void PlotDataFiles::closeFile(std::size_t file) {
    std::FILE* const stream = m_files[file].release();
    if (stream == nullptr) {
        return;
    }
    errno = 0;
    const bool failed = std::ferror(stream) != 0;
    if (std::fclose(stream) != 0 || failed) {
        m_lastFailure = FileErrorNumber(errno);
    }
}

void PlotDataFiles::close() {
    for (std::size_t f = 0; f < kPlotFileCount; ++f) {
        closeFile(f);
    }
}

void OpenPlotDataFiles(PlotDataFiles& files, const std::filesystem::path& folder) {
    files.open(folder);
}

void WritePlotRecords(PlotDataFiles& files, const AnalysisState& state, const ResultRow& row) {
    files.writeRecords(state, row);
}

void ClosePlotDataFiles(PlotDataFiles& files) {
    files.close();
}

}  // namespace stelvador
