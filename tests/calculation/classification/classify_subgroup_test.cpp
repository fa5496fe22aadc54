#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>

namespace stelvador {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct SubgroupCase {
    std::string_view what;
    double a2Divalent, m3Trivalent, a2ReeThU, m3Divalent, m1Trivalent, a2Ree, a2Th, fluorine;
    std::string_view m3DivalentText;
    std::string_view subgroup;
};

class SubgroupTest : public testing::TestWithParam<SubgroupCase> {};

TEST_P(SubgroupTest, FollowsTheSiteSumsAndFluorine) {
    const SubgroupCase& c = GetParam();
    AnalysisState state;
    state.sites.a2DivalentSum = c.a2Divalent;
    state.sites.m3TrivalentSum = c.m3Trivalent;
    state.sites.a2ReeThUSum = c.a2ReeThU;
    state.sites.m3DivalentSum = c.m3Divalent;
    state.sites.m1TrivalentSum = c.m1Trivalent;
    state.sites.a2.ree = c.a2Ree;
    state.sites.a2.th = c.a2Th;
    state.formula.apfu[kF] = c.fluorine;
    state.ions.M3Divalent = c.m3DivalentText;
    ClassifySubgroup(state);
    EXPECT_EQ(state.subgroup, c.subgroup) << c.what;
}

constexpr std::string_view kClino = "Clinozoisite subgroup";
constexpr std::string_view kAllanite = "Allanite subgroup";
constexpr std::string_view kDollaseite = "Dollaseite subgroup";
constexpr std::string_view kAskagenite = "Askagenite subgroup";

INSTANTIATE_TEST_SUITE_P(
    Cases, SubgroupTest,
    testing::Values(
        //           a2Div m3Tri reeThU m3Div m1Tri ree  th   F
        SubgroupCase{"clinozoisite", 0.6, 0.9, 0.0, 0.0, 0.0, 0.0, 0.0, 0.1, "", kClino},
        SubgroupCase{"REE and Th above 0.5 with a divalent M3 ion", 0.6, 0.9, 0.6, 0.2, 0.0, 0.3,
                     0.3, 0.1, "Fe2+", kAllanite},
        SubgroupCase{"REE and Th of exactly 0.5", 0.6, 0.9, 0.5, 0.2, 0.0, 0.3, 0.2, 0.1, "Fe2+",
                     kClino},
        SubgroupCase{"REE and Th without a divalent M3 ion", 0.6, 0.9, 0.6, 0.2, 0.0, 0.3, 0.3, 0.1,
                     "", kClino},
        SubgroupCase{"REE and Th with a trivalent text as M3 divalent ion", 0.6, 0.9, 0.6, 0.2, 0.0,
                     0.3, 0.3, 0.1, "Al", kClino},
        SubgroupCase{"U at A2 does not count for the move", 0.6, 0.9, 0.7, 0.2, 0.0, 0.3, 0.1, 0.1,
                     "Mg", kClino},
        SubgroupCase{"allanite", 0.0, 0.1, 0.9, 0.8, 0.0, 0.9, 0.0, 0.2, "Fe2+", kAllanite},
        SubgroupCase{"allanite sums with F 0.5", 0.0, 0.1, 0.9, 0.8, 0.0, 0.9, 0.0, 0.5, "Fe2+",
                     ""},
        SubgroupCase{"the later of two rules that hold", 0.6, 0.6, 0.6, 0.6, 0.0, 0.6, 0.0, 0.1,
                     "Fe2+", kAllanite},
        SubgroupCase{"dollaseite", 0.0, 0.0, 0.7, 1.3, 0.0, 0.7, 0.0, 0.8, "Mg", kDollaseite},
        SubgroupCase{"dollaseite difference of exactly 0.5", 0.0, 0.0, 0.75, 1.25, 0.0, 0.75, 0.0,
                     0.8, "Mg", ""},
        SubgroupCase{"dollaseite sums with F 0.5", 0.0, 0.0, 0.7, 1.3, 0.0, 0.7, 0.0, 0.5, "Mg",
                     ""},
        SubgroupCase{"askagenite", 0.0, 0.8, 0.0, 0.2, 0.96, 0.0, 0.0, 0.7, "Mg", kAskagenite},
        SubgroupCase{"askagenite with F 0.5", 0.0, 0.8, 0.0, 0.2, 0.96, 0.0, 0.0, 0.5, "Mg",
                     kAskagenite},
        SubgroupCase{"askagenite with some A2 divalent", 0.0001, 0.8, 0.0, 0.2, 0.96, 0.0, 0.0, 0.7,
                     "Mg", ""},
        SubgroupCase{"askagenite with M1 trivalent 0.95", 0.0, 0.8, 0.0, 0.2, 0.95, 0.0, 0.0, 0.7,
                     "Mg", ""},
        SubgroupCase{"askagenite after dollaseite", 0.0, 0.8, -0.2, 0.4, 1.0, 0.0, 0.0, 0.8, "Mg",
                     kAskagenite},
        SubgroupCase{"no rule", 0.3, 0.3, 0.3, 0.3, 0.3, 0.0, 0.0, 0.1, "Fe2+", ""},
        SubgroupCase{"sums that could not be formed", kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN,
                     kNaN, "", ""},
        SubgroupCase{"fluorine that could not be formed", 0.6, 0.9, 0.0, 0.0, 0.0, 0.0, 0.0, kNaN,
                     "", ""}));

struct OverrideCase {
    std::string_view what;
    double m3Total, mg, mn2, fe2;
    std::string_view m1;
};

class DollaseiteM1Test : public testing::TestWithParam<OverrideCase> {};

TEST_P(DollaseiteM1Test, NamesTheDivalentCationOfTheFormula) {
    const OverrideCase& c = GetParam();
    AnalysisState state;
    state.sites.m3DivalentSum = 1.3;
    state.sites.a2ReeThUSum = 0.7;
    state.sites.m3.total = c.m3Total;
    state.formula.apfu[kF] = 0.8;
    state.formula.apfu[kMg] = c.mg;
    state.formula.apfu[kMn2] = c.mn2;
    state.formula.apfu[kFe2] = c.fe2;
    state.ions.M1 = "Al";
    ClassifySubgroup(state);
    ASSERT_EQ(state.subgroup, kDollaseite);
    EXPECT_EQ(state.ions.M1, c.m1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DollaseiteM1Test,
    testing::Values(OverrideCase{"Mg above 1.1", 1.2, 1.15, 0.0, 0.0, "Mg"},
                    OverrideCase{"Mn2+ above 1 wins over Mg", 1.2, 1.15, 1.05, 0.0, "Mn2+"},
                    OverrideCase{"Mg of 1.05 is not enough", 1.2, 1.05, 1.05, 0.0, "Mn2+"},
                    OverrideCase{"Fe2+ above 1 wins over Mn2+", 1.2, 0.0, 1.05, 1.01, "Fe2+"},
                    OverrideCase{"Mg of exactly 1.1", 1.2, 1.1, 0.0, 0.0, "Al"},
                    OverrideCase{"Mn2+ and Fe2+ of exactly 1", 1.2, 0.0, 1.0, 1.0, "Al"},
                    OverrideCase{"M3 total of exactly 1.1", 1.1, 1.15, 1.05, 1.05, "Al"},
                    OverrideCase{"M3 total that could not be formed", kNaN, 1.15, 0.0, 0.0, "Al"},
                    OverrideCase{"formula that could not be formed", 1.2, kNaN, kNaN, kNaN, "Al"}));

TEST(DollaseiteM1, OtherSubgroupsKeepTheDominantM1Ion) {
    AnalysisState state;
    // Allanite-subgroup sums with a formula rich in Mg and a full M3.
    state.sites.a2ReeThUSum = 0.9;
    state.sites.m3DivalentSum = 0.8;
    state.sites.m3.total = 1.5;
    state.formula.apfu[kF] = 0.2;
    state.formula.apfu[kMg] = 1.5;
    state.ions.M1 = "Al";
    ClassifySubgroup(state);
    EXPECT_EQ(state.subgroup, kAllanite);
    EXPECT_EQ(state.ions.M1, "Al");
}

TEST(ClassifySubgroup, AnAnalysisThatFitsNoRuleGetsNoEarlierName) {
    AnalysisState state;
    state.sites.a2ReeThUSum = 0.9;
    state.sites.m3DivalentSum = 0.8;
    state.formula.apfu[kF] = 0.2;
    ClassifySubgroup(state);
    ASSERT_EQ(state.subgroup, kAllanite);

    AnalysisState next;
    ClassifySubgroup(next);
    EXPECT_EQ(next.subgroup, "");

    // Taken on to the next analysis, the same state loses the name as well.
    state.sites = next.sites;
    ClassifySubgroup(state);
    EXPECT_EQ(state.subgroup, "");
}

}  // namespace
}  // namespace stelvador
