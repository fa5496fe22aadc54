#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"
#include "calculation/classification/species_matching.h"
#include "calculation/classification/species_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string_view>

namespace stelvador {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The dominant-ion strings and formula contents the species rules read.
struct SpeciesInput {
    std::string_view a1, a2Divalent, a2, m1, m2, m3Divalent, m3Trivalent, m3;
    double ce, la, y, nd, fluorine;
};

AnalysisState StateFor(const SpeciesInput& in) {
    AnalysisState state;
    state.ions.A1 = in.a1;
    state.ions.A2Divalent = in.a2Divalent;
    state.ions.A2 = in.a2;
    state.ions.M1 = in.m1;
    state.ions.M2 = in.m2;
    state.ions.M3Divalent = in.m3Divalent;
    state.ions.M3Trivalent = in.m3Trivalent;
    state.ions.M3 = in.m3;
    state.formula.apfu[kCe] = in.ce;
    state.formula.apfu[kLa] = in.la;
    state.formula.apfu[kY] = in.y;
    state.formula.apfu[kNd] = in.nd;
    state.formula.apfu[kF] = in.fluorine;
    return state;
}

struct SpeciesCase {
    std::string_view what;
    SpeciesInput input;
    std::string_view species;
};

class ClassifySpeciesTest : public testing::TestWithParam<SpeciesCase> {};

TEST_P(ClassifySpeciesTest, NamesTheLatestRuleThatHolds) {
    const SpeciesCase& c = GetParam();
    AnalysisState state = StateFor(c.input);
    ClassifySpecies(state);
    EXPECT_EQ(state.species, c.species) << c.what;
}

// Starting points that the cases below vary.
constexpr SpeciesInput kAllaniteCe{"Ca",   "Ca", "(REE)3+", "Al", "Al", "Fe2+", "Fe3+",
                                   "Fe2+", 0.4,  0.2,       0.1,  0.1,  0.2};
constexpr SpeciesInput kAskageniteCe{"Mn2+", "",  "REE+Th", "Al", "",  "Mn2+", "Fe3+",
                                     "Fe3+", 0.4, 0.2,      0.1,  0.1, 0.1};
constexpr SpeciesInput kDollaseiteCe{"Ca", "Ca", "(REE)3+", "Mg", "Al", "Mg", "",
                                     "Mg", 0.4,  0.2,       0.1,  0.1,  0.9};

constexpr SpeciesInput With(SpeciesInput in, double ce, double la, double y, double nd) {
    in.ce = ce;
    in.la = la;
    in.y = y;
    in.nd = nd;
    return in;
}

constexpr SpeciesInput WithFluorine(SpeciesInput in, double fluorine) {
    in.fluorine = fluorine;
    return in;
}

constexpr SpeciesInput WithA1(SpeciesInput in, std::string_view a1) {
    in.a1 = a1;
    return in;
}

constexpr SpeciesInput WithA2(SpeciesInput in, std::string_view a2Divalent, std::string_view a2) {
    in.a2Divalent = a2Divalent;
    in.a2 = a2;
    return in;
}

constexpr SpeciesInput WithM1(SpeciesInput in, std::string_view m1) {
    in.m1 = m1;
    return in;
}

constexpr SpeciesInput WithM3(SpeciesInput in, std::string_view m3) {
    in.m3 = m3;
    return in;
}

constexpr SpeciesInput kManganokhristovite{"Ca",   "",  "(REE)3+", "Mn2+", "Al", "Mn2+", "",
                                           "Mn2+", 0.1, 0.4,       0.0,    0.3,  0.7};
constexpr SpeciesInput kDissakisite{"Ca", "Ca", "(REE)3+", "Al", "Al", "Mg", "",
                                    "Mg", 0.3,  0.1,       0.5,  0.0,  0.1};

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifySpeciesTest,
    testing::Values(
        SpeciesCase{"epidote and allanite strings: the later rule wins", kAllaniteCe,
                    "Allanite-(Ce)"},
        SpeciesCase{"the same without REE at A2", WithA2(kAllaniteCe, "Ca", "Ca"), "Epidote"},
        SpeciesCase{"allanite with Ce equal to La", With(kAllaniteCe, 0.4, 0.4, 0.1, 0.1),
                    "Epidote"},
        SpeciesCase{"allanite with Ce equal to La, no epidote strings",
                    WithA2(With(kAllaniteCe, 0.4, 0.4, 0.1, 0.1), "", "(REE)3+"), ""},
        SpeciesCase{"allanite led by Y", With(kAllaniteCe, 0.1, 0.2, 0.5, 0.1), "Allanite-(Y)"},
        SpeciesCase{"allanite with A2 REE+Th", WithA2(kAllaniteCe, "Ca", "REE+Th"),
                    "Allanite-(Ce)"},
        SpeciesCase{"androsite and askagenite strings: the later rule wins", kAskageniteCe,
                    "Askagenite-(Ce)"},
        SpeciesCase{"the same with the M3 string Mn2+", WithM3(kAskageniteCe, "Mn2+"),
                    "Androsite-(REE)"},
        SpeciesCase{"askagenite led by Nd", With(kAskageniteCe, 0.1, 0.2, 0.9, 0.3),
                    "Askagenite-(Nd)"},
        SpeciesCase{"dissakisite compares only Ce and La", kDissakisite, "Dissakisite-(Ce)"},
        SpeciesCase{"dissakisite with Ce equal to La", With(kDissakisite, 0.3, 0.3, 0.5, 0.0), ""},
        SpeciesCase{"allanite strings with F 0.5", WithFluorine(kAllaniteCe, 0.5), ""},
        SpeciesCase{"dollaseite strings with F 0.5", WithFluorine(kDollaseiteCe, 0.5), ""},
        SpeciesCase{"allanite strings with F above 0.5", WithFluorine(kAllaniteCe, 0.6), ""},
        SpeciesCase{"dollaseite", kDollaseiteCe, "Dollaseite-(Ce)"},
        SpeciesCase{"dollaseite with A2 REE+Th", WithA2(kDollaseiteCe, "Ca", "REE+Th"), ""},
        SpeciesCase{"dollaseite with F below 0.5", WithFluorine(kDollaseiteCe, 0.4), ""},
        SpeciesCase{"dollaseite led by Y", With(kDollaseiteCe, 0.4, 0.2, 0.4, 0.1), ""},
        SpeciesCase{"khristovite", WithM3(kDollaseiteCe, "Mn2+"), "Khristovite-(Ce)"},
        SpeciesCase{"manganokhristovite", kManganokhristovite, "Manganokhristovite-(REE)"},
        SpeciesCase{"manganokhristovite with another REE order",
                    With(kManganokhristovite, 0.5, 0.1, 0.2, 0.0), "Manganokhristovite-(REE)"},
        SpeciesCase{"ferrokhristovite", WithM1(kManganokhristovite, "Fe2+"),
                    "Ferrokhristovite-(REE)"},
        SpeciesCase{"dollaseite strings without the M2 string",
                    [] {
                        SpeciesInput in = kManganokhristovite;
                        in.m2 = "";
                        return in;
                    }(),
                    ""},
        SpeciesCase{"A2 Ba", WithA2(WithM1(kAllaniteCe, "Al"), "Ba", "Ba"), ""},
        SpeciesCase{"A1 Fe2+", WithA1(kAllaniteCe, "Fe2+"), ""},
        SpeciesCase{"A1 empty", WithA1(kAllaniteCe, ""), ""},
        SpeciesCase{"texts are case-sensitive: ca", WithA2(WithA1(kAllaniteCe, "ca"), "Ca", "Ca"),
                    ""},
        SpeciesCase{"texts are case-sensitive: (ree)3+", WithA2(kAllaniteCe, "", "(ree)3+"), ""},
        SpeciesCase{"texts are whole: Fe3 without its charge",
                    WithA2(WithM3(kAskageniteCe, "Fe3"), "", "REE+Th"), "Androsite-(REE)"},
        SpeciesCase{"texts are whole: a trailing blank", WithM1(kDollaseiteCe, "Mg "), ""},
        SpeciesCase{"fluorine that could not be formed", WithFluorine(kAllaniteCe, kNaN), ""},
        SpeciesCase{"REE that could not be formed", With(kAllaniteCe, kNaN, kNaN, kNaN, kNaN),
                    "Epidote"},
        SpeciesCase{"nothing named", SpeciesInput{}, ""}));

TEST(ClassifySpecies, AnAnalysisThatFitsNoRuleGetsNoEarlierName) {
    AnalysisState state = StateFor(WithA2(kAllaniteCe, "Ca", "Ca"));
    ClassifySpecies(state);
    ASSERT_EQ(state.species, "Epidote");

    AnalysisState next = StateFor(WithA1(kAllaniteCe, ""));
    ClassifySpecies(next);
    EXPECT_EQ(next.species, "");

    // Taken on to the next analysis, the same state loses the name as well.
    state.ions = next.ions;
    ClassifySpecies(state);
    EXPECT_EQ(state.species, "");
}

TEST(SpeciesRuleTable, NamesEachSpeciesOnce) {
    std::set<std::string_view> names;
    for (const SpeciesRule& rule : kSpeciesRules) {
        EXPECT_FALSE(rule.name.empty());
        EXPECT_TRUE(names.insert(rule.name).second) << rule.name;
    }
}

TEST(SpeciesRuleTable, OnlyTheLastFourAskForFluorineAboveHalf) {
    for (std::size_t i = 0; i < kSpeciesRules.size(); ++i) {
        const FluorineTest expected =
            i + 4 >= kSpeciesRules.size() ? FluorineTest::Above : FluorineTest::Below;
        EXPECT_EQ(kSpeciesRules[i].fluorine, expected) << kSpeciesRules[i].name;
    }
}

TEST(SpeciesRuleTable, MatchSpeciesAgreesWithTheStep) {
    const SpeciesInput in = kAskageniteCe;
    AnalysisState state = StateFor(in);
    ClassifySpecies(state);
    EXPECT_EQ(MatchSpecies(state.ions, ReeContents{in.ce, in.la, in.y, in.nd}, in.fluorine),
              state.species);
}

}  // namespace
}  // namespace stelvador
