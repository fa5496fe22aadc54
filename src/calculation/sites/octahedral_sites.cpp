#include <array>
#include <cmath>
#include <string_view>

#include "calculation/analysis_state.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/sites/capped_take.h"
#include "calculation/sites/site_steps.h"

namespace stelvador {

namespace {

// 0 for a negative value; a value that cannot be formed stays NaN.
double notBelowZero(double value) {
    return value < 0.0 ? 0.0 : value;
}

struct Candidate {
    double content;
    std::string_view text;
};

// The text of the candidate strictly greater than every other one; empty when none is.
std::string_view strictlyLargest(const std::array<Candidate, 5>& candidates) {
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        bool dominant = true;
        for (std::size_t j = 0; j < candidates.size() && dominant; ++j) {
            dominant = i == j || candidates[i].content > candidates[j].content;
        }
        if (dominant) {
            return candidates[i].text;
        }
    }
    return {};
}

}  // namespace

void AllocateM3(AnalysisState& state) {
    const MSiteContents& m = state.sites.m;
    M3SiteContents& m3 = state.sites.m3;

    // Every divalent M cation, with Nb and Sn, goes whole to M3.
    m3.mn2 = m.mn2;
    m3.nb = m.nb;
    m3.sn = m.sn;
    m3.fe2 = m.fe2;
    m3.zn = m.zn;
    m3.cu = m.cu;
    m3.ni = m.ni;
    m3.mg = m.mg;
    m3.uncappedPart = FiniteOrNaN(m3.mn2 + m3.nb + m3.sn + m3.fe2 + m3.zn + m3.cu + m3.ni + m3.mg);

    // Then the trivalent cations and Ti fill it up to 1.
    CappedFill fill(1.0, m3.uncappedPart);
    m3.mn3 = fill.take(m.mn3);
    m3.fe3 = fill.take(m.fe3);
    m3.v = fill.take(m.v);
    m3.cr = fill.take(m.cr);
    m3.ti = fill.take(m.ti);
    m3.al = fill.take(m.alVI);
    // Al(VI) below 1 all goes to M2.
    if (m.alVI < 1.0) {
        m3.al = 0.0;
    }
    m3.total = FiniteOrNaN(m3.mn2 + m3.nb + m3.sn + m3.fe2 + m3.zn + m3.cu + m3.ni + m3.mg +
                           m3.mn3 + m3.fe3 + m3.v + m3.cr + m3.ti + m3.al);
}

void AllocateM2M1(AnalysisState& state) {
    SiteContents& s = state.sites;
    const MSiteContents& m = s.m;
    const M3SiteContents& m3 = s.m3;
    OctahedralRests& rests = s.rests;

    rests.al = FiniteOrNaN(m.alVI - m3.al);
    rests.cr = FiniteOrNaN(m.cr - m3.cr);
    rests.mn3 = FiniteOrNaN(m.mn3 - m3.mn3);
    rests.v = FiniteOrNaN(m.v - m3.v);
    rests.fe3 = FiniteOrNaN(m.fe3 - m3.fe3);
    s.m2.al = rests.al >= 1.0 ? 1.0 : rests.al;

    // The uncapped rests compete for M2 (an Al rest of 2 counts as 2); Ti is no candidate.
    state.ions.M2 = strictlyLargest({{{rests.al, "Al"},
                                      {rests.fe3, "Fe3+"},
                                      {rests.v, "V"},
                                      {rests.cr, "Cr"},
                                      {rests.mn3, "Mn3+"}}});

    M1SiteContents& m1 = s.m1;
    m1.v = notBelowZero(rests.v);
    m1.cr = notBelowZero(rests.cr);
    m1.al = notBelowZero(FiniteOrNaN(rests.al - s.m2.al));
    m1.mn3 = notBelowZero(rests.mn3);
    m1.fe3 = notBelowZero(rests.fe3);
    m1.mg = 0.0;
    m1.fe2 = 0.0;
    m1.mn2 = 0.0;

    const A2SiteContents& a2 = s.a2;
    s.a2DivalentSum = FiniteOrNaN(a2.ca + a2.sr + a2.pb + a2.ba);
    s.m1TrivalentSum = FiniteOrNaN(m1.v + m1.cr + m1.al + m1.fe3 + m1.mn3);
    s.m3TrivalentSum = FiniteOrNaN(m3.mn3 + m3.fe3 + m3.v + m3.cr + m3.al);
    s.a2ReeThUSum = FiniteOrNaN(a2.ree + a2.th + a2.u);
    s.m3DivalentSum = FiniteOrNaN(m3.mn2 + m3.fe2 + m3.mg + m3.cu + m3.zn);
    s.m1DivalentSum = FiniteOrNaN(m1.mg + m1.fe2 + m1.mn2);
}

}  // namespace stelvador
