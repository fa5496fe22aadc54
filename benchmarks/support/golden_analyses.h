#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/oxide_list.h"

namespace stelvador {

// The engine's golden analyses (sample name, then the 42 constituents, TAB-separated), each
// filled out to all 43 cells of a data block row.
inline std::vector<std::string> GoldenAnalysisRows(const std::filesystem::path& analysesFile) {
    std::ifstream in(analysesFile, std::ios::binary);
    std::vector<std::string> analyses;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::size_t tabs = 0;
        for (const char c : line) {
            tabs += c == '\t' ? 1 : 0;
        }
        line.append(tabs < kOxideCount ? kOxideCount - tabs : 0, '\t');
        analyses.push_back(line);
    }
    return analyses;
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
