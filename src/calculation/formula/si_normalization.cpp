#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/formula/ordered_sum.h"

namespace stelvador {

void ApplySiNormalization(AnalysisState& state) {
    FormulaValues& f = state.formula;
    f.siNormalized = false;
    f.siNormalizationFactor = 1.0;
    if (!state.siNormalization || !(f.apfu[kSi] > 3.05)) {
        return;
    }
    const double factor = 3.0 / f.apfu[kSi];
    f.siNormalized = true;
    f.siNormalizationFactor = factor;
    // Si first, then on in oxide-list order to F, Cl and H.
    for (double& value : f.apfu) {
        value = FiniteOrNaN(value * factor);
    }
    f.apfuTotal = OrderedSum(f.apfu, kOxideOnlyCount);
}

}  // namespace stelvador
