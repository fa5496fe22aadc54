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
    for (int i = 0; i < kOxideCount; ++i) {
        const double wt = readWeightPercent(cells[i]);
        f.weightPercent[i] = wt;
        f.molecularProportion[i] = wt / kMolecularWeights[i];
    }
}

}  // namespace stelvador
