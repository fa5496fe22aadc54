#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/data_file_format.h"
#include "support/analyses_table.h"

namespace stelvador {

// The engine's golden analyses (tests/calculation/chain/data/analyses.tsv) as the bytes of a
// data file, for the command-line tool to calculate.
inline std::string GoldenAnalysesDataFile(const std::filesystem::path& goldenFolder) {
    const std::vector<AnalysisRow> analyses = ReadAnalysesTable(goldenFolder / "analyses.tsv");
    return BuildDataFileRecord(AnalysesBlock(analyses, analyses.size()));
}

}  // namespace stelvador
