#include <bit>
#include <cstdint>

#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/formula/molecular_weights.h"
#include "common/number_conversion.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

// A number beyond the range of a double cannot be held: NaN, never an earlier value.
double readWeightPercent(std::string_view cell) {
    try {
        return ConvertCellText(cell);
    } catch (const RunTimeError&) {
        return kNaN;
    }
}

}  // namespace

void ReadAnalysis(AnalysisState& state, std::string_view sampleName,
                  const std::array<std::string_view, kOxideCount>& cells) {
    FormulaValues& f = state.formula;
    f.sampleName.assign(sampleName);
    // An empty cell, the usual one, reads +0 wt%, whose molecular proportion is +0 as well.
    f.weightPercent.fill(0.0);
    f.molecularProportion.fill(0.0);
    int count = 0;
    int oxideCount = 0;
    for (int i = 0; i < kOxideCount; ++i) {
        if (cells[i].empty()) {
            continue;
        }
        const double wt = readWeightPercent(cells[i]);
        if (std::bit_cast<std::uint64_t>(wt) == 0) {
            continue;
        }
        f.weightPercent[i] = wt;
        f.molecularProportion[i] = wt / kMolecularWeights[i];
        f.listed[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(i);
        oxideCount += i < kOxideOnlyCount ? 1 : 0;
    }
    f.listedCount = count;
    f.listedOxideCount = oxideCount;
}

}  // namespace stelvador
