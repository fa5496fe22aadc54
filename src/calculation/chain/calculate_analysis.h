#pragma once

#include <array>
#include <string_view>

#include "calculation/analysis_state.h"
#include "calculation/output/result_row.h"
#include "common/oxide_list.h"

namespace stelvador {

// What one analysis yields: every computed value and its result row. The plot records are
// written from both (WritePlotRecords in calculation/output/plot_data_files.h).
struct AnalysisOutcome {
    AnalysisState state;
    ResultRow row;
};

// Runs the whole per-analysis chain on one analysis-grid row, from a fresh state: the formula,
// the T, M, A, M3, M2 and M1 sites, the dominant ions, subgroup and species, the M3 string as
// shown, the plot quantities and the result row. cells are the texts of the 42 constituent columns
// in oxide-list order. Never throws for any cell text; a quantity that cannot be formed is an empty
// cell.
AnalysisOutcome CalculateAnalysis(std::string_view sampleName,
                                  const std::array<std::string_view, kOxideCount>& cells,
                                  bool siNormalization);

// The same, reusing outcome's storage (the row text and the strings keep their capacity); for
// callers that calculate many analyses in a row. The outcome is exactly what a fresh one gives:
// nothing of the analysis it held before remains.
void CalculateAnalysis(std::string_view sampleName,
                       const std::array<std::string_view, kOxideCount>& cells, bool siNormalization,
                       AnalysisOutcome& outcome);

}  // namespace stelvador
