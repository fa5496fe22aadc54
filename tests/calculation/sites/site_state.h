#pragma once

#include <initializer_list>
#include <utility>

#include "calculation/analysis_state.h"
#include "calculation/sites/site_steps.h"

namespace stelvador::testing {

// A state whose formula holds the given apfu values (all others 0).
inline AnalysisState StateWithApfu(std::initializer_list<std::pair<Constituent, double>> values) {
    AnalysisState state;
    for (const auto& [constituent, value] : values) {
        state.formula.apfu[constituent] = value;
    }
    return state;
}

// Marks the analysis as read with Mn2O3 only (MnO 0, Mn2O3 above 0).
inline void MarkMn2O3Only(AnalysisState& state) {
    state.formula.weightPercent[kMn3] = 1.0;
    state.formula.weightPercent[kMn2] = 0.0;
}

// Runs the site steps in the Calculate command's order.
inline void RunSiteSteps(AnalysisState& state) {
    AllocateTSite(state);
    AdjustFerricForM2(state);
    AllocateMSites(state);
    AllocateASites(state);
    SplitASite(state);
    AllocateM3(state);
    AllocateM2M1(state);
}

}  // namespace stelvador::testing
