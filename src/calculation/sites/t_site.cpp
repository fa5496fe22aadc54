#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/sites/capped_take.h"
#include "calculation/sites/site_steps.h"

namespace stelvador {

namespace {

double sumReeY(const ConstituentValues& apfu) {
    // La to Lu, then Y.
    double sum = 0.0;
    for (int i = kLa; i <= kLu; ++i) {
        sum += apfu[i];
    }
    sum += apfu[kY];
    return FiniteOrNaN(sum);
}

}  // namespace

void AllocateTSite(AnalysisState& state) {
    const ConstituentValues& apfu = state.formula.apfu;
    SiteContents& s = state.sites;
    s.reeYSum = sumReeY(apfu);
    // Si is never capped; Al fills T up to 3.
    s.t.si = apfu[kSi];
    s.t.alIV = CappedTake(3.0, apfu[kSi], apfu[kAl]);
    s.t.total = FiniteOrNaN(s.t.si + s.t.alIV);
}

void AdjustFerricForM2(AnalysisState& state) {
    double& fe3 = state.formula.apfu[kFe3];
    SiteContents& s = state.sites;
    const double alVI = FiniteOrNaN(state.formula.apfu[kAl] - s.t.alIV);
    s.m2Deficit = 0.0;
    if (alVI < 1.0 && fe3 > 0.0) {
        // Fe3+ fills the part of M2 that Al(VI) leaves.
        s.m2Deficit = 1.0 - alVI;
        fe3 = FiniteOrNaN(fe3 - s.m2Deficit);
    }
    if (fe3 < 0.0) {
        fe3 = 0.0;
    }
}

}  // namespace stelvador
