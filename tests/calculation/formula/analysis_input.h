#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "calculation/analysis_state.h"
#include "calculation/formula/formula_steps.h"
#include "common/oxide_list.h"

namespace stelvador::testing {

// The 42 cell texts of one analysis-grid row; constituents not named stay empty.
struct AnalysisInput {
    std::array<std::string, kOxideCount> texts;

    AnalysisInput(std::initializer_list<std::pair<Constituent, std::string>> cells) {
        for (const auto& [constituent, text] : cells) {
            texts[constituent] = text;
        }
    }

    std::array<std::string_view, kOxideCount> views() const {
        std::array<std::string_view, kOxideCount> result;
        for (int i = 0; i < kOxideCount; ++i) {
            result[i] = texts[i];
        }
        return result;
    }
};

// Runs the formula recalculation steps in the Calculate command's order.
inline void RunFormulaSteps(AnalysisState& state, const AnalysisInput& input,
                            std::string_view sampleName = "sample") {
    ReadAnalysis(state, sampleName, input.views());
    ComputeOxideTotal(state);
    NormalizeToOxygens(state);
    NormalizeToCations(state);
    EstimateFerricIron(state);
    ApplySiNormalization(state);
}

// The epidote analysis used throughout: SiO2 37.50, Al2O3 24.00, FeO 11.50, CaO 23.00, H2O 1.90.
inline AnalysisInput EpidoteInput() {
    return AnalysisInput{
        {kSi, "37.50"}, {kAl, "24.00"}, {kFe2, "11.50"}, {kCa, "23.00"}, {kH, "1.90"}};
}

}  // namespace stelvador::testing
