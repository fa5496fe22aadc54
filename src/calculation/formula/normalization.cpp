#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/formula/molecular_weights.h"
#include "calculation/formula/ordered_sum.h"

namespace stelvador {

void NormalizeToOxygens(AnalysisState& state) {
    FormulaValues& f = state.formula;
    // A molecular proportion is at most a double's range over 18, so up to 2 cations and 5
    // oxygens per formula cannot overflow; the factor can, so every value from it is checked.
    for (int i = 0; i < kOxideCount; ++i) {
        f.cationProportion[i] = f.molecularProportion[i] * kCationsPerFormula[i];
    }
    for (int i = 0; i < kOxideOnlyCount; ++i) {
        f.oxygenProportion[i] = f.molecularProportion[i] * kOxygensPerFormula[i];
    }
    // SiO2 to UO2 in oxide-list order.
    f.oxygenSum = OrderedSum(f.oxygenProportion);
    // An analysis whose 39 oxides are all 0 has no oxygen basis: the factor is NaN.
    f.oxygenFactor = FiniteOrNaN(12.5 / f.oxygenSum);
    for (int i = 0; i < kOxideCount; ++i) {
        f.cationsPerOxygenBasis[i] = FiniteOrNaN(f.cationProportion[i] * f.oxygenFactor);
    }
    // Si to U in oxide-list order; F, Cl and H stand outside.
    f.cationSum = OrderedSum(f.cationsPerOxygenBasis, kOxideOnlyCount);
}

void NormalizeToCations(AnalysisState& state) {
    FormulaValues& f = state.formula;
    for (int i = 0; i < kOxideCount; ++i) {
        // A cation sum of 0 gives NaN (division by zero), never a previous analysis's value.
        f.apfu[i] = FiniteOrNaN((8.0 * f.cationsPerOxygenBasis[i]) / f.cationSum);
    }
    f.apfuTotal = OrderedSum(f.apfu, kOxideOnlyCount);
}

}  // namespace stelvador
