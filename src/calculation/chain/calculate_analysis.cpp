#include "calculation/chain/calculate_analysis.h"

#include "calculation/classification/classification_steps.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/output/compute_plot_quantities.h"
#include "calculation/output/shown_m3.h"
#include "calculation/sites/site_steps.h"

namespace stelvador {

void CalculateAnalysis(std::string_view sampleName,
                       const std::array<std::string_view, kOxideCount>& cells, bool siNormalization,
                       AnalysisOutcome& outcome) {
    // Every step writes every field it owns, whatever the numbers, so a state that held an earlier
    // analysis comes out exactly as a fresh one would: nothing of that analysis reaches this one.
    // Reusing it keeps the sample name's storage and saves zeroing the whole state per analysis.
    AnalysisState& state = outcome.state;
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
    CorrectM3String(state);
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
