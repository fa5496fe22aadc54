#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"
#include "calculation/classification/dominance_rule.h"
#include "calculation/classification/ion_texts.h"

#include <array>
#include <string_view>

namespace stelvador {

namespace {

// The REE at A2 win when they exceed each divalent A2 cation; Th, U, K and P are no rivals.
bool ReeLeadA2(const A2SiteContents& a2) {
    return a2.ree > a2.ca && a2.ree > a2.sr && a2.ree > a2.ba && a2.ree > a2.pb;
}

std::string_view A2Text(const A2SiteContents& a2, std::string_view divalentText) {
    if (a2.th > 0.0) {
        return ReeLeadA2(a2) ? ion::kReeTh : divalentText;
    }
    if (a2.th == 0.0) {
        return ReeLeadA2(a2) ? ion::kRee : divalentText;
    }
    // A negative (or NaN) A2 Th names nothing.
    return {};
}

// "F" from 0.5 apfu F on; a NaN F names no anion rather than claiming fluorine.
std::string_view O4Text(double fluorine) {
    if (fluorine < 0.5) {
        return ion::kOxygen;
    }
    if (fluorine >= 0.5) {
        return ion::kFluorine;
    }
    return {};
}

}  // namespace

void FindDominantIons(AnalysisState& state) {
    const SiteContents& sites = state.sites;
    DominantIons& ions = state.ions;

    // A1 Na is no candidate.
    static constexpr std::array<std::string_view, 3> kA1Texts = {ion::kCa, ion::kMn2, ion::kFe2};
    ions.A1 = DominantText(std::array{sites.a1.ca, sites.a1.mn2, sites.a1.fe2}, kA1Texts);

    static constexpr std::array<std::string_view, 4> kA2Texts = {ion::kCa, ion::kSr, ion::kBa,
                                                                 ion::kPb};
    const std::string_view a2DivalentText =
        DominantText(std::array{sites.a2.ca, sites.a2.sr, sites.a2.ba, sites.a2.pb}, kA2Texts);
    ions.A2Divalent = a2DivalentText;
    ions.A2 = A2Text(sites.a2, a2DivalentText);

    // M3 Ni, Nb, Sn and Ti are no candidates. The M3 string takes the ten together, so it names
    // the largest of them even where the divalent and trivalent strings each name a winner.
    static constexpr std::array<std::string_view, 5> kM3DivalentTexts = {
        ion::kMn2, ion::kFe2, ion::kMg, ion::kZn, ion::kCu};
    static constexpr std::array<std::string_view, 5> kM3TrivalentTexts = {
        ion::kMn3, ion::kFe3, ion::kV, ion::kCr, ion::kAl};
    static constexpr std::array<std::string_view, 10> kM3Texts = {
        ion::kMn2, ion::kFe2, ion::kMg, ion::kZn, ion::kCu,
        ion::kMn3, ion::kFe3, ion::kV,  ion::kCr, ion::kAl};
    const M3SiteContents& m3 = sites.m3;
    const std::array m3Divalent = {m3.mn2, m3.fe2, m3.mg, m3.zn, m3.cu};
    const std::array m3Trivalent = {m3.mn3, m3.fe3, m3.v, m3.cr, m3.al};
    ions.M3Divalent = DominantText(m3Divalent, kM3DivalentTexts);
    ions.M3Trivalent = DominantText(m3Trivalent, kM3TrivalentTexts);
    ions.M3 = DominantText(
        std::array{m3.mn2, m3.fe2, m3.mg, m3.zn, m3.cu, m3.mn3, m3.fe3, m3.v, m3.cr, m3.al},
        kM3Texts);

    // M1 Ti is no candidate.
    static constexpr std::array<std::string_view, 8> kM1Texts = {
        ion::kV, ion::kCr, ion::kFe3, ion::kAl, ion::kMn3, ion::kMg, ion::kFe2, ion::kMn2};
    const M1SiteContents& m1 = sites.m1;
    ions.M1 = DominantText(std::array{m1.v, m1.cr, m1.fe3, m1.al, m1.mn3, m1.mg, m1.fe2, m1.mn2},
                           kM1Texts);

    ions.O4 = O4Text(state.formula.apfu[kF]);
}

}  // namespace stelvador
