#include "calculation/chain/calculate_analysis.h"

#include "calculation/classification/classification_steps.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/sites/site_steps.h"

namespace stelvador {

void CalculateAnalysis(std::string_view sampleName,
                       const std::array<std::string_view, kOxideCount>& cells, bool siNormalization,
                       AnalysisOutcome& outcome) {
    // A fresh state, so nothing of an earlier analysis can reach this one.
    AnalysisState& state = outcome.state;
    state = AnalysisState{};
    state.siNormalization = siNormalization;

    ReadAnalysis(state, sampleName, cells);
    ComputeOxideTotal(state);
    NormalizeToOxygens(state);
    NormalizeToCations(state);
    EstimateFerricIron(state);
    ApplySiNormalization(state);
    AllocateTSite(state);
    AdjustFerricForM2(state);
    AllocateMSites(state);
    AllocateASites(state);
    SplitASite(state);
    AllocateM3(state);
    AllocateM2M1(state);
    FindDominantIons(state);
    ClassifySubgroup(state);
    ClassifySpecies(state);
    ComputePlotQuantities(state);
    BuildResultRow(state, outcome.row);
}

AnalysisOutcome CalculateAnalysis(std::string_view sampleName,
                                  const std::array<std::string_view, kOxideCount>& cells,
                                  bool siNormalization) {
    AnalysisOutcome outcome;
    CalculateAnalysis(sampleName, cells, siNormalization, outcome);
    return outcome;
}

}  // namespace stelvador
