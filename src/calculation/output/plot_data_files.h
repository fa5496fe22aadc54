#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "calculation/output/plot_records.h"

namespace stelvador {

struct AnalysisState;
struct ResultRow;

// The 13 plot data files of one calculation run, open for writing between Open and Close. A file
// that cannot be created, written or closed does not stop the others; the number of the last
// such failure stays readable (75 path/file access error, 76 path not found, 61 disk full, 57
// device I/O error) so the caller can leave it pending.
class PlotDataFiles {
  public:
    PlotDataFiles() = default;
    PlotDataFiles(const PlotDataFiles&) = delete;
    PlotDataFiles& operator=(const PlotDataFiles&) = delete;
    PlotDataFiles(PlotDataFiles&&) = default;
    PlotDataFiles& operator=(PlotDataFiles&&) = default;
    ~PlotDataFiles() = default;

    // Creates the 13 files afresh in folder, in their fixed order, each with its header line.
    // Files still open from an earlier Open are closed first.
    void open(const std::filesystem::path& folder);

    // Appends this analysis's record to each open file whose condition it meets.
    void writeRecords(const AnalysisState& state, const ResultRow& row);

    // Appends the records already formatted.
    void writeRecords(const PlotRecords& records);

    // Closes the 13 files in their fixed order.
    void close();

    bool isOpen(int file) const { return m_files[static_cast<std::size_t>(file)] != nullptr; }

    // 0 when nothing has failed since open.
    int lastFailure() const { return m_lastFailure; }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const;
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;

    void writeLine(std::size_t file, std::string_view line);
    void closeFile(std::size_t file);

    std::array<File, kPlotFileCount> m_files;
    PlotRecords m_records;
    int m_lastFailure = 0;
};

// The steps of a calculation run by their own names.
void OpenPlotDataFiles(PlotDataFiles& files, const std::filesystem::path& folder);
void WritePlotRecords(PlotDataFiles& files, const AnalysisState& state, const ResultRow& row);
void ClosePlotDataFiles(PlotDataFiles& files);

}  // namespace stelvador
