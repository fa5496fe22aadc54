#include <cmath>

#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/sites/capped_take.h"
#include "calculation/sites/site_steps.h"
#include "calculation/sites/site_totals.h"

namespace stelvador {

void AllocateMSites(AnalysisState& state) {
    const ConstituentValues& apfu = state.formula.apfu;
    SiteContents& s = state.sites;
    MSiteContents& m = s.m;

    m.ti = apfu[kTi];
    const double alVI = FiniteOrNaN(apfu[kAl] - s.t.alIV);
    // Above 0 strictly, else 0; a difference that cannot be formed stays NaN.
    m.alVI = (alVI > 0.0 || std::isnan(alVI)) ? alVI : 0.0;

    s.aCationSum = 0.0;
    s.aDeficit = 0.0;
    s.mn3Candidate = apfu[kMn3];
    s.mn2Candidate = apfu[kMn2];
    if (IsMn2O3OnlyAnalysis(state.formula)) {
        // The manganese splits three ways: the A deficit goes to A as Mn2+, half of it is offered
        // to M as Mn2+, and the rest to M as Mn3+.
        s.aCationSum = FiniteOrNaN(s.reeYSum + apfu[kCa] + apfu[kSr] + apfu[kBa] + apfu[kNa] +
                                   apfu[kK] + apfu[kTh] + apfu[kPb]);
        s.aDeficit = 2.0 - s.aCationSum;
        s.mn3Candidate = FiniteOrNaN(apfu[kMn3] - s.aDeficit - s.aDeficit / 2.0);
        s.mn2Candidate = s.aDeficit / 2.0;
    }

    CappedFill fill(3.0, FiniteOrNaN(m.ti + m.alVI));
    m.cr = fill.take(apfu[kCr]);
    m.v = fill.take(apfu[kV]);
    m.mg = fill.take(apfu[kMg]);
    m.cu = fill.take(apfu[kCu]);
    m.zn = fill.take(apfu[kZn]);
    m.ni = fill.take(apfu[kNi]);
    m.fe3 = fill.take(apfu[kFe3]);
    m.mn3 = fill.take(s.mn3Candidate);
    m.fe2 = fill.take(apfu[kFe2]);
    m.mn2 = fill.take(s.mn2Candidate);
    m.nb = fill.take(apfu[kNb]);
    m.sn = fill.take(apfu[kSn]);
    m.total = SumMSite(m);
}

}  // namespace stelvador
