#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace stelvador {

// One analysis as a data file row holds it: the sample name and the 42 constituent texts.
struct AnalysisRow {
    std::string sample;
    std::vector<std::string> cells;
};

// The analyses of an analyses table (the engine's golden data set): one line each, the sample
// name and the constituents TAB-separated, filled out to all 42; empty lines and lines starting
// with '#' are skipped.
std::vector<AnalysisRow> ReadAnalysesTable(const std::filesystem::path& file);

// The rows as the data block of a data file: cells TAB-separated, rows CR-separated, each row
// the sample and 42 cells; rowCount rows in all, those beyond the given ones empty.
std::string AnalysesBlock(const std::vector<AnalysisRow>& rows, std::size_t rowCount);

}  // namespace stelvador
