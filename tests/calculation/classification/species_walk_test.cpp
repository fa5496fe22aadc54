#include "calculation/analysis_state.h"
#include "calculation/classification/species_rules.h"
#include "classification_test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

namespace stelvador {
namespace {

using testing_support::Classify;

enum class Lead { kNone, kCe, kLa, kY, kNd };

// One analysis per species, in the order of the species rule table, given by the ions that win
// its sites. For the last four (F above 0.5) the M1 column names the formula cation that gives M1
// its divalent ion in the dollaseite subgroup.
struct SpeciesCase {
    std::string_view species;
    std::string_view a1;
    std::string_view a2;
    std::string_view m1;
    std::string_view m3;
    Lead lead;
    double fluorine;
};

// clang-format off
constexpr SpeciesCase kSpeciesCases[] = {
    //  species                    A1      A2         M1      M3      REE lead     F
    {"Clinozoisite", "Ca", "Ca", "Al", "Al", Lead::kNone, 0.2},
    {"Clinozoisite-(Sr)", "Ca", "Sr", "Al", "Al", Lead::kNone, 0.2},
    {"Clinozoisite-(Pb)", "Ca", "Pb", "Al", "Al", Lead::kNone, 0.2},
    {"Epidote", "Ca", "Ca", "Al", "Fe3+", Lead::kNone, 0.2},
    {"Epidote-(Pb)", "Ca", "Pb", "Al", "Fe3+", Lead::kNone, 0.2},
    {"Epidote-(Sr)", "Ca", "Sr", "Al", "Fe3+", Lead::kNone, 0.2},
    {"Ferriepidote", "Ca", "Ca", "Fe3+", "Fe3+", Lead::kNone, 0.2},
    {"Ferriepidote-(Sr)", "Ca", "Sr", "Fe3+", "Fe3+", Lead::kNone, 0.2},
    {"Ferriepidote-(Pb)", "Ca", "Pb", "Fe3+", "Fe3+", Lead::kNone, 0.2},
    {"Vanadoepidote", "Ca", "Ca", "V", "Fe3+", Lead::kNone, 0.2},
    {"Vanadoepidote-(Sr)", "Ca", "Sr", "V", "Fe3+", Lead::kNone, 0.2},
    {"Vanadoepidote-(Pb)", "Ca", "Pb", "V", "Fe3+", Lead::kNone, 0.2},
    {"Mukhinite", "Ca", "Ca", "Al", "V", Lead::kNone, 0.2},
    {"Mukhinite-(Sr)", "Ca", "Sr", "Al", "V", Lead::kNone, 0.2},
    {"Mukhinite-(Pb)", "Ca", "Pb", "Al", "V", Lead::kNone, 0.2},
    {"Cr3+-rich clinozoisite", "Ca", "Ca", "Al", "Cr", Lead::kNone, 0.2},
    {"Chromotawmawite", "Ca", "Ca", "Cr", "Cr", Lead::kNone, 0.2},
    {"Piemontite", "Ca", "Ca", "Al", "Mn3+", Lead::kNone, 0.2},
    {"Piemontite-(Sr)", "Ca", "Sr", "Al", "Mn3+", Lead::kNone, 0.2},
    {"Piemontite-(Pb)", "Ca", "Pb", "Al", "Mn3+", Lead::kNone, 0.2},
    {"Manganipiemontite", "Ca", "Ca", "Mn3+", "Mn3+", Lead::kNone, 0.2},
    {"Manganipiemontite-(Sr)", "Ca", "Sr", "Mn3+", "Mn3+", Lead::kNone, 0.2},
    {"Allanite-(Ce)", "Ca", "REE+Th", "Al", "Fe2+", Lead::kCe, 0.1},
    {"Allanite-(La)", "Ca", "(REE)3+", "Al", "Fe2+", Lead::kLa, 0.1},
    {"Allanite-(Y)", "Ca", "REE+Th", "Al", "Fe2+", Lead::kY, 0.1},
    {"Allanite-(Nd)", "Ca", "(REE)3+", "Al", "Fe2+", Lead::kNd, 0.1},
    {"Ferriallanite-(Ce)", "Ca", "REE+Th", "Fe3+", "Fe2+", Lead::kCe, 0.1},
    {"Ferriallanite-(La)", "Ca", "(REE)3+", "Fe3+", "Fe2+", Lead::kLa, 0.1},
    {"Vanadoallanite-(REE)", "Ca", "REE+Th", "V", "Fe2+", Lead::kNone, 0.1},
    {"Chromoallanite-(REE)", "Ca", "(REE)3+", "Cr", "Fe2+", Lead::kNone, 0.1},
    {"Dissakisite-(Ce)", "Ca", "REE+Th", "Al", "Mg", Lead::kCe, 0.1},
    {"Dissakisite-(La)", "Ca", "(REE)3+", "Al", "Mg", Lead::kLa, 0.1},
    {"Ferridissakisite-(REE)", "Ca", "REE+Th", "Fe3+", "Mg", Lead::kNone, 0.1},
    {"Vanadodissakisite-(REE)", "Ca", "(REE)3+", "V", "Mg", Lead::kNone, 0.1},
    {"Manganidissakisite-(REE)", "Ca", "REE+Th", "Mn3+", "Mg", Lead::kNone, 0.1},
    {"Chromodissakisite-(REE)", "Ca", "(REE)3+", "Cr", "Mg", Lead::kNone, 0.1},
    {"Androsite-(REE)", "Mn2+", "REE+Th", "Al", "Mn2+", Lead::kNone, 0.1},
    {"Manganiandrosite-(La)", "Mn2+", "(REE)3+", "Mn3+", "Mn2+", Lead::kLa, 0.1},
    {"Manganiandrosite-(Ce)", "Mn2+", "REE+Th", "Mn3+", "Mn2+", Lead::kCe, 0.1},
    {"Ferriandrosite-(REE)", "Mn2+", "(REE)3+", "Fe3+", "Mn2+", Lead::kNone, 0.1},
    {"Vanadoandrosite-(Ce)", "Mn2+", "REE+Th", "V", "Mn2+", Lead::kCe, 0.1},
    {"Chromoandrosite-(REE)", "Mn2+", "(REE)3+", "Cr", "Mn2+", Lead::kNone, 0.1},
    {"Ferriakasakaite-(La)", "Ca", "REE+Th", "Fe3+", "Mn2+", Lead::kLa, 0.1},
    {"Ferriakasakaite-(Ce)", "Ca", "(REE)3+", "Fe3+", "Mn2+", Lead::kCe, 0.1},
    {"Ferriakasakaite-(Nd)", "Ca", "REE+Th", "Fe3+", "Mn2+", Lead::kNd, 0.1},
    {"Uedaite-(Ce)", "Mn2+", "(REE)3+", "Al", "Fe2+", Lead::kCe, 0.1},
    {"Uedaite-(La)", "Mn2+", "REE+Th", "Al", "Fe2+", Lead::kLa, 0.1},
    {"Uedaite-(Nd)", "Mn2+", "(REE)3+", "Al", "Fe2+", Lead::kNd, 0.1},
    {"Askagenite-(Ce)", "Mn2+", "REE+Th", "Al", "Fe3+", Lead::kCe, 0.3},
    {"Askagenite-(La)", "Mn2+", "(REE)3+", "Al", "Fe3+", Lead::kLa, 0.3},
    {"Askagenite-(Nd)", "Mn2+", "REE+Th", "Al", "Fe3+", Lead::kNd, 0.3},
    {"Dollaseite-(Ce)", "Ca", "(REE)3+", "Mg", "Mg", Lead::kCe, 0.8},
    {"Khristovite-(Ce)", "Ca", "(REE)3+", "Mg", "Mn2+", Lead::kCe, 0.8},
    {"Ferrokhristovite-(REE)", "Ca", "(REE)3+", "Fe2+", "Mn2+", Lead::kNone, 0.8},
    {"Manganokhristovite-(REE)", "Ca", "(REE)3+", "Mn2+", "Mn2+", Lead::kNone, 0.8},
};
// clang-format on

double* A1Field(A1SiteContents& a1, std::string_view text) {
    return text == "Ca" ? &a1.ca : &a1.mn2;
}

double* M1Field(M1SiteContents& m1, std::string_view text) {
    if (text == "Al")
        return &m1.al;
    if (text == "Fe3+")
        return &m1.fe3;
    if (text == "V")
        return &m1.v;
    if (text == "Cr")
        return &m1.cr;
    return &m1.mn3;
}

double* M3Field(M3SiteContents& m3, std::string_view text) {
    if (text == "Mn2+")
        return &m3.mn2;
    if (text == "Fe2+")
        return &m3.fe2;
    if (text == "Mg")
        return &m3.mg;
    if (text == "Zn")
        return &m3.zn;
    if (text == "Cu")
        return &m3.cu;
    if (text == "Mn3+")
        return &m3.mn3;
    if (text == "Fe3+")
        return &m3.fe3;
    if (text == "V")
        return &m3.v;
    if (text == "Cr")
        return &m3.cr;
    return &m3.al;
}

double& ReeApfu(AnalysisState& state, Lead lead) {
    switch (lead) {
        case Lead::kLa:
            return state.formula.apfu[kLa];
        case Lead::kY:
            return state.formula.apfu[kY];
        case Lead::kNd:
            return state.formula.apfu[kNd];
        default:
            return state.formula.apfu[kCe];
    }
}

// Site contents in which the case's ions win, as the site allocation would leave them.
AnalysisState BuildAnalysis(const SpeciesCase& c, bool tieTheRee) {
    AnalysisState state;
    SiteContents& sites = state.sites;
    *A1Field(sites.a1, c.a1) = 0.9;
    if (c.a2 == "(REE)3+" || c.a2 == "REE+Th") {
        sites.a2.ree = 0.9;
        sites.a2.th = c.a2 == "REE+Th" ? 0.05 : 0.0;
        sites.a2.ca = 0.1;
    } else {
        double* a2 = c.a2 == "Ca" ? &sites.a2.ca : c.a2 == "Sr" ? &sites.a2.sr : &sites.a2.pb;
        *a2 = 0.9;
    }
    *M3Field(sites.m3, c.m3) = 0.9;
    state.ions.M2 = "Al";
    state.formula.apfu[kF] = c.fluorine;
    for (const Constituent ree : {kCe, kLa, kY, kNd}) {
        state.formula.apfu[ree] = 0.1;
    }
    if (c.lead != Lead::kNone) {
        ReeApfu(state, c.lead) = tieTheRee ? 0.1 : 0.4;
    }
    if (c.fluorine > 0.5) {
        // Dollaseite subgroup with a full M3, so the formula's divalent cation names M1.
        sites.m1.al = 0.9;
        sites.m3DivalentSum = 1.3;
        sites.a2ReeThUSum = 0.7;
        sites.m3.total = 1.3;
        const Constituent cation = c.m1 == "Mg" ? kMg : c.m1 == "Fe2+" ? kFe2 : kMn2;
        state.formula.apfu[cation] = cation == kMg ? 1.15 : 1.05;
    } else {
        *M1Field(sites.m1, c.m1) = 0.9;
    }
    return state;
}

TEST(SpeciesWalk, TheTableHoldsTheRulesInTheirOrder) {
    ASSERT_EQ(std::size(kSpeciesCases), kSpeciesRules.size());
    for (std::size_t i = 0; i < kSpeciesRules.size(); ++i) {
        EXPECT_EQ(kSpeciesRules[i].name, kSpeciesCases[i].species) << "row " << i + 1;
    }
}

class SpeciesWalkTest : public testing::TestWithParam<SpeciesCase> {};

TEST_P(SpeciesWalkTest, NamesTheSpeciesFromItsSiteContents) {
    const SpeciesCase& c = GetParam();
    AnalysisState state = BuildAnalysis(c, false);
    Classify(state);
    EXPECT_EQ(state.ions.A1, c.a1);
    EXPECT_EQ(state.ions.M1, c.m1);
    EXPECT_EQ(state.ions.M3, c.m3);
    EXPECT_EQ(state.species, c.species);
}

TEST_P(SpeciesWalkTest, TiedReeNameNoSpeciesWhereTheRuleTestsTheirOrder) {
    const SpeciesCase& c = GetParam();
    AnalysisState state = BuildAnalysis(c, true);
    Classify(state);
    EXPECT_EQ(state.species, c.lead == Lead::kNone ? c.species : std::string_view{});
}

TEST_P(SpeciesWalkTest, FluorineOfExactlyHalfAnAtomNamesNoSpecies) {
    AnalysisState state = BuildAnalysis(GetParam(), false);
    Classify(state);
    state.formula.apfu[kF] = 0.5;
    ClassifySpecies(state);
    EXPECT_EQ(state.species, "");
}

INSTANTIATE_TEST_SUITE_P(AllRules, SpeciesWalkTest, testing::ValuesIn(kSpeciesCases));

}  // namespace
}  // namespace stelvador
