#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/data_file_format.h"
#include "common/oxide_list.h"
#include "support/text_files.h"

namespace stelvador {

// The engine's golden analyses (tests/calculation/chain/data/analyses.tsv) as the bytes of a
// data file, for the command-line tool to calculate.
inline std::string GoldenAnalysesDataFile(const std::filesystem::path& goldenFolder) {
    std::string block;
    for (const std::string& line : ReadLines(goldenFolder / "analyses.tsv")) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> items = SplitTabs(line);
        items.resize(1 + kOxideCount);
        if (!block.empty()) {
            block += '\r';
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            block += (i > 0 ? "\t" : "") + items[i];
        }
    }
    return BuildDataFileRecord(block);
}

}  // namespace stelvador
