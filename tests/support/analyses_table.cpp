#include "analyses_table.h"

#include "common/oxide_list.h"
#include "support/text_files.h"

namespace stelvador {

std::vector<AnalysisRow> ReadAnalysesTable(const std::filesystem::path& file) {
    std::vector<AnalysisRow> rows;
    for (const std::string& line : ReadLines(file)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> items = SplitTabs(line);
        items.resize(1 + kOxideCount);
        rows.push_back({items[0], std::vector<std::string>(items.begin() + 1, items.end())});
    }
    return rows;
}

std::string AnalysesBlock(const std::vector<AnalysisRow>& rows, std::size_t rowCount) {
    std::string block;
    for (std::size_t r = 0; r < rowCount; ++r) {
        if (r > 0) {
            block += '\r';
        }
        if (r < rows.size()) {
            block += rows[r].sample;
        }
        for (std::size_t c = 0; c < kOxideCount; ++c) {
            block += '\t';
            if (r < rows.size() && c < rows[r].cells.size()) {
                block += rows[r].cells[c];
            }
        }
    }
    return block;
}

}  // namespace stelvador
