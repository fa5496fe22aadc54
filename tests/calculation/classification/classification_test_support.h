#pragma once

#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"

namespace stelvador::testing_support {

// Runs the three classification steps in the order the Calculate command runs them.
inline void Classify(AnalysisState& state) {
    FindDominantIons(state);
    ClassifySubgroup(state);
    ClassifySpecies(state);
}

}  // namespace stelvador::testing_support
