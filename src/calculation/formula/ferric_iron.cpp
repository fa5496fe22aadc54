#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/formula_steps.h"

namespace stelvador {

void EstimateFerricIron(AnalysisState& state) {
    FormulaValues& f = state.formula;
    double& fe3 = f.apfu[kFe3];
    double& fe2 = f.apfu[kFe2];
    const bool onlyFeO = IsOnlyFeOAnalysed(f);

    // Charge balance on 12.5 oxygens: the cations beyond 8 stand for the ferric iron.
    double estimate = 0.0;
    if (onlyFeO) {
        estimate = FiniteOrNaN((2.0 * 12.5) * (1.0 - 8.0 / f.cationSum));
    }
    if (estimate < 0.0) {
        estimate = 0.0;
    }
    f.ferricEstimate = estimate;
    if (onlyFeO && estimate > 0.0) {
        fe3 = estimate;
        fe2 = FiniteOrNaN(fe2 - estimate);
    }
    f.totalIron = FiniteOrNaN(fe3 + fe2);
    // With Si above 3.05 the two iron values change places.
    if (onlyFeO && f.apfu[kSi] > 3.05) {
        fe3 = fe2;
        fe2 = FiniteOrNaN(f.totalIron - fe3);
    }
    // An estimate above the iron of the analysis makes all of it ferric.
    if (onlyFeO && fe3 > 0.0 && fe2 < 0.0) {
        fe3 = FiniteOrNaN(fe3 + fe2);
        fe2 = 0.0;
    }
}

}  // namespace stelvador
