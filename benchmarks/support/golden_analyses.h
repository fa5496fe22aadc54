#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "support/analyses_table.h"

namespace stelvador {

// The engine's golden analyses as data block rows: the sample name and the 42 constituents,
// TAB-separated.
inline std::vector<std::string> GoldenAnalysisRows(const std::filesystem::path& analysesFile) {
    std::vector<std::string> rows;
    for (const AnalysisRow& analysis : ReadAnalysesTable(analysesFile)) {
        rows.push_back(AnalysesBlock({analysis}, 1));
    }
    return rows;
}

// The golden analyses repeated down to the given number of rows, as a grid text block.
inline std::string RepeatedAnalysesBlock(const std::vector<std::string>& analyses, int rows) {
    std::string block;
    for (int r = 0; r < rows && !analyses.empty(); ++r) {
        if (r > 0) {
            block += '\r';
        }
        block += analyses[static_cast<std::size_t>(r) % analyses.size()];
    }
    return block;
}

}  // namespace stelvador
