#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/formula_steps.h"
#include "calculation/formula/ordered_sum.h"

namespace stelvador {

void ComputeOxideTotal(AnalysisState& state) {
    FormulaValues& f = state.formula;
    // The quotient is formed first, then multiplied.
    f.oxygenEquivalentF = FiniteOrNaN(f.weightPercent[kF] * (16.0 / 37.996806));
    f.oxygenEquivalentCl = FiniteOrNaN(f.weightPercent[kCl] * (16.0 / 70.9054));
    // All 42 wt% values in oxide-list order (F, Cl and H2O included), then O=F, then O=Cl.
    double total = ListedOrderedSum(f.weightPercent, ListedConstituents(f), 0.0);
    total -= f.oxygenEquivalentF;
    total -= f.oxygenEquivalentCl;
    f.analyticalTotal = FiniteOrNaN(total);
}

}  // namespace stelvador
