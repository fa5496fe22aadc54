#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"
#include "calculation/classification/ion_texts.h"
#include "calculation/classification/subgroup_names.h"

#include <string_view>

namespace stelvador {

namespace {

bool IsDivalentM3Text(std::string_view text) {
    return text == ion::kMn2 || text == ion::kFe2 || text == ion::kMg || text == ion::kZn ||
           text == ion::kCu;
}

// The five rules in order; each that holds overwrites the name an earlier one wrote.
std::string_view SubgroupName(const AnalysisState& state) {
    const SiteContents& sites = state.sites;
    const double fluorine = state.formula.apfu[kF];
    std::string_view name;
    if (sites.a2DivalentSum > 0.5 && sites.m3TrivalentSum > 0.5 && fluorine < 0.5) {
        name = subgroup::kClinozoisite;
    }
    if (sites.a2ReeThUSum > 0.5 && sites.m3DivalentSum > 0.5 && fluorine < 0.5) {
        name = subgroup::kAllanite;
    }
    if ((sites.m3DivalentSum + sites.m1DivalentSum - sites.a2ReeThUSum) > 0.5 && fluorine > 0.5) {
        name = subgroup::kDollaseite;
    }
    // F plays no part here.
    if (sites.m3DivalentSum < 0.5 && sites.m3TrivalentSum > 0.5 && sites.a2DivalentSum == 0.0 &&
        sites.m1TrivalentSum > 0.95) {
        name = subgroup::kAskagenite;
    }
    // REE and Th (not U) at A2 with a dominant divalent M3 cation make a clinozoisite-subgroup
    // analysis an allanite-subgroup one.
    if (name == subgroup::kClinozoisite && sites.a2.ree + sites.a2.th > 0.5 &&
        IsDivalentM3Text(state.ions.M3Divalent)) {
        name = subgroup::kAllanite;
    }
    return name;
}

// The dollaseite subgroup names its M1 ion after the formula's divalent cations; the three tests
// run in order and a later one that holds wins. Empty when none applies.
std::string_view DollaseiteM1Text(const AnalysisState& state, std::string_view subgroupName) {
    std::string_view text;
    if (subgroupName != subgroup::kDollaseite || !(state.sites.m3.total > 1.1)) {
        return text;
    }
    const ConstituentValues& apfu = state.formula.apfu;
    if (apfu[kMg] > 1.1) {
        text = ion::kMg;
    }
    if (apfu[kMn2] > 1.0) {
        text = ion::kMn2;
    }
    if (apfu[kFe2] > 1.0) {
        text = ion::kFe2;
    }
    return text;
}

}  // namespace

void ClassifySubgroup(AnalysisState& state) {
    const std::string_view name = SubgroupName(state);
    state.subgroup = name;
    const std::string_view m1Text = DollaseiteM1Text(state, name);
    if (!m1Text.empty()) {
        state.ions.M1 = m1Text;
    }
}

}  // namespace stelvador
