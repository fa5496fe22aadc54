#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"
#include "calculation/classification/species_matching.h"

#include <string_view>

namespace stelvador {

void ClassifySpecies(AnalysisState& state) {
    const ConstituentValues& apfu = state.formula.apfu;
    const ReeContents ree = {apfu[kCe], apfu[kLa], apfu[kY], apfu[kNd]};
    state.species = MatchSpecies(state.ions, ree, apfu[kF]);
}

}  // namespace stelvador
