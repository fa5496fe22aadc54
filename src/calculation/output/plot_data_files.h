#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "calculation/output/plot_records.h"
#include "common/whole_file_writer.h"

namespace stelvador {

struct AnalysisState;
struct ResultRow;

// The 13 plot data files of one calculation run, written as a set, whole or not at all. Between
// open and close each file is built as a temporary file beside it; close replaces the 13 files
// only when all of them are complete and on the disk. A file that cannot be created or written
// (a full disk, a folder in the way, a missing folder) abandons the whole set at once: every
// temporary file is removed, the earlier files stay as they were, and the failure's number stays
// readable (75 path/file access error, 76 path not found, 61 disk full, 57 device I/O error) so
// the caller can leave it pending. A rename that fails during close leaves the files renamed
// before it with this run's records and the others with the earlier run's; none is truncated and
// nothing temporary is left. A set that goes away without close replaces nothing.
class PlotDataFiles {
  public:
    PlotDataFiles() = default;
    PlotDataFiles(const PlotDataFiles&) = delete;
    PlotDataFiles& operator=(const PlotDataFiles&) = delete;
    PlotDataFiles(PlotDataFiles&&) = default;
    PlotDataFiles& operator=(PlotDataFiles&&) = default;
    ~PlotDataFiles() = default;

    // Starts the 13 files afresh for folder, in their fixed order, each with its header line.
    // A set still open from an earlier open is abandoned first.
    void open(const std::filesystem::path& folder);

    // Appends this analysis's record to each file whose condition it meets.
    void writeRecords(const AnalysisState& state, const ResultRow& row);

    // Appends the records already formatted.
    void writeRecords(const PlotRecords& records);

    // Puts the 13 files on the disk, then replaces them in their fixed order.
    void close();

    // Whether the file is being built (open, and nothing has failed).
    bool isOpen(int file) const;

    // 0 when nothing has failed since open; else the number of the failure.
    int lastFailure() const { return m_lastFailure; }

    // How many of the 13 files the last close replaced: all of them, or after a failure those
    // renamed before it.
    int replaced() const { return m_replaced; }

  private:
    void abandon(int number);
    void append(std::size_t file, std::string_view line);

    // Empty, or the 13 files in their fixed order.
    std::vector<FileReplacement> m_files;
    PlotRecords m_records;
    int m_lastFailure = 0;
    int m_replaced = 0;
};

// The steps of a calculation run by their own names.
void OpenPlotDataFiles(PlotDataFiles& files, const std::filesystem::path& folder);
void WritePlotRecords(PlotDataFiles& files, const AnalysisState& state, const ResultRow& row);
void ClosePlotDataFiles(PlotDataFiles& files);

}  // namespace stelvador
