#include "calculation/output/plot_data_files.h"

#include <string>

#include "calculation/output/result_row.h"
#include "common/run_time_error.h"

namespace stelvador {

void PlotDataFiles::abandon(int number) {
    m_lastFailure = number;
    // Removing every temporary file at once also gives a full disk its room back.
    m_files.clear();
}

void PlotDataFiles::open(const std::filesystem::path& folder) {
    m_files.clear();
    m_lastFailure = 0;
    m_replaced = 0;
    m_files.reserve(kPlotFileCount);
    try {
        for (std::size_t f = 0; f < kPlotFileCount; ++f) {
            m_files.emplace_back((folder / std::string(kPlotFileNames[f])).string());
            std::string header(kPlotFileHeaders[f]);
            header.append("\r\n");
            m_files.back().append(header);
        }
    } catch (const RunTimeError& failure) {
        abandon(failure.number());
    }
}

bool PlotDataFiles::isOpen(int file) const {
    return static_cast<std::size_t>(file) < m_files.size();
}

void PlotDataFiles::append(std::size_t file, std::string_view line) {
    if (file >= m_files.size()) {
        return;
    }
    try {
        m_files[file].append(line);
    } catch (const RunTimeError& failure) {
        abandon(failure.number());
    }
}

void PlotDataFiles::writeRecords(const PlotRecords& records) {
    for (std::size_t f = 0; f < kPlotFileCount; ++f) {
        if (records.present[f]) {
            append(f, records.lines[f]);
        }
    }
}

void PlotDataFiles::writeRecords(const AnalysisState& state, const ResultRow& row) {
    FormatPlotRecords(state, row, m_records);
    writeRecords(m_records);
}

void PlotDataFiles::close() {
    m_replaced = 0;
    try {
        // Every file complete and on the disk before the first one replaces an earlier file.
        for (FileReplacement& file : m_files) {
            file.finish();
        }
        for (FileReplacement& file : m_files) {
            file.replaceTarget();
            ++m_replaced;
        }
    } catch (const RunTimeError& failure) {
        abandon(failure.number());
    }
    m_files.clear();
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
