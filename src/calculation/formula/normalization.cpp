#include <cstdint>

#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/formula/molecular_weights.h"
#include "calculation/formula/ordered_sum.h"

namespace stelvador {

namespace {

// The cations per 12.5 oxygens of a constituent of +0 wt% (every one that is not listed).
double UnlistedCationsPerOxygenBasis(const FormulaValues& f) {
    return FiniteOrNaN(0.0 * f.oxygenFactor);
}

}  // namespace

void NormalizeToOxygens(AnalysisState& state) {
    FormulaValues& f = state.formula;
    // A constituent that is not listed has +0 wt%, so its proportions are +0 whatever its formula.
    f.cationProportion.fill(0.0);
    f.oxygenProportion.fill(0.0);
    // A molecular proportion is at most a double's range over 18, so up to 2 cations and 5
    // oxygens per formula cannot overflow; the factor can, so every value from it is checked.
    for (const std::uint8_t i : ListedConstituents(f)) {
        f.cationProportion[i] = f.molecularProportion[i] * kCationsPerFormula[i];
    }
    for (const std::uint8_t i : ListedOxides(f)) {
        f.oxygenProportion[i] = f.molecularProportion[i] * kOxygensPerFormula[i];
    }
    // SiO2 to UO2 in oxide-list order.
    f.oxygenSum = ListedOrderedSum(f.oxygenProportion, ListedOxides(f), 0.0);
    // An analysis whose 39 oxides are all 0 has no oxygen basis: the factor is NaN.
    f.oxygenFactor = FiniteOrNaN(12.5 / f.oxygenSum);
    // A zero of the factor's sign, or NaN when there is no factor.
    const double unlisted = UnlistedCationsPerOxygenBasis(f);
    f.cationsPerOxygenBasis.fill(unlisted);
    for (const std::uint8_t i : ListedConstituents(f)) {
        f.cationsPerOxygenBasis[i] = FiniteOrNaN(f.cationProportion[i] * f.oxygenFactor);
    }
    // Si to U in oxide-list order; F, Cl and H stand outside.
    f.cationSum =
        ListedOrderedSum(f.cationsPerOxygenBasis, ListedOxides(f), unlisted, kOxideOnlyCount);
}

void NormalizeToCations(AnalysisState& state) {
    FormulaValues& f = state.formula;
    // A cation sum of 0 gives NaN (division by zero), never a previous analysis's value.
    const auto apfuOf = [&f](double cationsPerOxygenBasis) {
        return FiniteOrNaN((8.0 * cationsPerOxygenBasis) / f.cationSum);
    };
    const double unlisted = apfuOf(UnlistedCationsPerOxygenBasis(f));
    f.apfu.fill(unlisted);
    for (const std::uint8_t i : ListedConstituents(f)) {
        f.apfu[i] = apfuOf(f.cationsPerOxygenBasis[i]);
    }
    f.apfuTotal = ListedOrderedSum(f.apfu, ListedOxides(f), unlisted, kOxideOnlyCount);
}

}  // namespace stelvador
