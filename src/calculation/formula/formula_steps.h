#pragma once

#include <array>
#include <string_view>

#include "common/oxide_list.h"

namespace stelvador {

struct AnalysisState;

// The formula recalculation of one analysis, in the order the Calculate command runs it. Each
// step reads and writes state.formula; a value that cannot be formed becomes NaN, and no step
// throws, whatever the numbers.

// Sample name and the 42 cell texts of one analysis-grid row (columns 2 to 43, oxide-list
// order): the wt% values and the molecular proportions. A cell beyond the range of a double
// gives a NaN wt% value.
void ReadAnalysis(AnalysisState& state, std::string_view sampleName,
                  const std::array<std::string_view, kOxideCount>& cells);

// O=F, O=Cl and the analytical total.
void ComputeOxideTotal(AnalysisState& state);

// Cation and oxygen proportions, oxygen sum and factor, cations per 12.5 oxygens, cation sum.
void NormalizeToOxygens(AnalysisState& state);

// The 42 apfu values on 8 cations and the apfu total.
void NormalizeToCations(AnalysisState& state);

// Splits the iron into Fe3+ and Fe2+ by charge balance when only FeO was analysed.
void EstimateFerricIron(AnalysisState& state);

// Scales all 42 apfu values by 3 / Si when state.siNormalization is set and apfu Si > 3.05.
void ApplySiNormalization(AnalysisState& state);

}  // namespace stelvador
