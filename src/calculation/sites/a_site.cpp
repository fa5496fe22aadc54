#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/sites/capped_take.h"
#include "calculation/sites/site_steps.h"
#include "calculation/sites/site_totals.h"

namespace stelvador {

void AllocateASites(AnalysisState& state) {
    const ConstituentValues& apfu = state.formula.apfu;
    SiteContents& s = state.sites;
    ASiteContents& a = s.a;
    MSiteContents& m = s.m;
    const bool mn2O3Only = IsMn2O3OnlyAnalysis(state.formula);

    // A takes the Mn2+ and Fe2+ that M left, and all of the large cations.
    a.mn2 = mn2O3Only ? s.aDeficit : FiniteOrNaN(apfu[kMn2] - m.mn2);
    a.fe2 = FiniteOrNaN(apfu[kFe2] - m.fe2);
    a.ca = apfu[kCa];
    a.sr = apfu[kSr];
    a.ba = apfu[kBa];
    a.pb = apfu[kPb];
    a.na = apfu[kNa];
    a.k = apfu[kK];
    a.p = apfu[kP];
    a.ree = s.reeYSum;
    a.th = apfu[kTh];
    a.u = apfu[kU];
    a.total = SumASite(a);

    // Mn transfer of a Mn2O3-only analysis: A's Mn2+ fills the room left in M (the whole room,
    // even beyond A's Mn2+), then a shortfall of A's Mn2+ comes out of M's Mn3+.
    s.mVacancy = 0.0;
    if (mn2O3Only && m.total < 3.0 && a.mn2 > 0.0) {
        s.mVacancy = 3.0 - m.total;
        a.mn2 = FiniteOrNaN(a.mn2 - s.mVacancy);
        m.mn2 = FiniteOrNaN(m.mn2 + s.mVacancy);
        m.total = SumMSite(m);
        a.total = SumASite(a);
    }
    if (mn2O3Only && a.mn2 < 0.0) {
        m.mn3 = FiniteOrNaN(m.mn3 + a.mn2);
        a.mn2 = 0.0;
        a.total = SumASite(a);
        m.total = SumMSite(m);
    }
}

void SplitASite(AnalysisState& state) {
    SiteContents& s = state.sites;
    const ASiteContents& a = s.a;
    A1SiteContents& a1 = s.a1;
    A2SiteContents& a2 = s.a2;

    a1.mn2 = a.mn2;
    a1.fe2 = a.fe2;
    a1.na = a.na;
    const double held = FiniteOrNaN(a1.mn2 + a1.fe2 + a1.na);
    a1.ca = CappedTake(1.0, held, a.ca);
    a1.total = FiniteOrNaN(held + a1.ca);
    a1.vacancy = FiniteOrNaN(1.0 - a1.total);

    a2.ca = FiniteOrNaN(a.ca - a1.ca);
    a2.ree = a.ree;
    a2.th = a.th;
    a2.u = a.u;
    a2.sr = a.sr;
    a2.ba = a.ba;
    a2.pb = a.pb;
}

}  // namespace stelvador
