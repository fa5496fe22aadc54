#include <gtest/gtest.h>

#include <ostream>

#include "site_state.h"

namespace stelvador {
namespace {

using testing::MarkMn2O3Only;
using testing::StateWithApfu;

void AllocateThroughM(AnalysisState& state) {
    AllocateTSite(state);
    AdjustFerricForM2(state);
    AllocateMSites(state);
}

TEST(AllocateMSites, WorkedExampleFillsMToThree) {
    AnalysisState state =
        StateWithApfu({{kSi, 3.0}, {kTi, 0.1}, {kAl, 2.5}, {kMg, 0.1}, {kFe3, 0.6}, {kFe2, 0.2}});
    AllocateThroughM(state);
    const MSiteContents& m = state.sites.m;
    EXPECT_EQ(state.sites.t.alIV, 0.0);
    EXPECT_DOUBLE_EQ(state.formula.apfu[kFe3], 0.6);  // no ferric adjustment
    EXPECT_DOUBLE_EQ(m.ti, 0.1);
    EXPECT_DOUBLE_EQ(m.alVI, 2.5);
    EXPECT_DOUBLE_EQ(m.mg, 0.1);
    EXPECT_NEAR(m.fe3, 0.3, 1e-12);
    EXPECT_EQ(m.fe2, 0.0);
    EXPECT_NEAR(m.total, 3.0, 1e-12);

    AllocateASites(state);
    EXPECT_DOUBLE_EQ(state.sites.a.fe2, 0.2);
}

TEST(AllocateMSites, TiAndAlVIBeyondThreeLeaveNoRoom) {
    AnalysisState state = StateWithApfu({{kSi, 3.0},
                                         {kTi, 0.5},
                                         {kAl, 2.8},
                                         {kCr, 0.1},
                                         {kMg, 0.2},
                                         {kFe3, 0.3},
                                         {kFe2, 0.4},
                                         {kMn2, 0.1},
                                         {kSn, 0.1}});
    AllocateThroughM(state);
    const MSiteContents& m = state.sites.m;
    for (const double content :
         {m.cr, m.v, m.mg, m.cu, m.zn, m.ni, m.fe3, m.mn3, m.fe2, m.mn2, m.nb, m.sn}) {
        EXPECT_EQ(content, 0.0);
    }
    EXPECT_DOUBLE_EQ(m.total, 3.3);
    AllocateASites(state);
    EXPECT_DOUBLE_EQ(state.sites.a.fe2, 0.4);
    EXPECT_DOUBLE_EQ(state.sites.a.mn2, 0.1);
}

TEST(AllocateMSites, FillsInItsFixedOrder) {
    // s starts at 2.0; Cr, V, Mg, Cu, Zn, Ni 0.1 each bring it to 2.6; Fe3+ 0.3 to 2.9; Mn3+
    // crosses the cap and gets 0.1; Fe2+, Mn2+, Nb and Sn get nothing.
    AnalysisState state = StateWithApfu({{kSi, 3.0},
                                         {kAl, 2.0},
                                         {kCr, 0.1},
                                         {kV, 0.1},
                                         {kMg, 0.1},
                                         {kCu, 0.1},
                                         {kZn, 0.1},
                                         {kNi, 0.1},
                                         {kFe3, 0.3},
                                         {kMn3, 0.4},
                                         {kFe2, 0.2},
                                         {kMn2, 0.2},
                                         {kNb, 0.1},
                                         {kSn, 0.1}});
    AllocateThroughM(state);
    const MSiteContents& m = state.sites.m;
    EXPECT_DOUBLE_EQ(m.cr, 0.1);
    EXPECT_DOUBLE_EQ(m.ni, 0.1);
    EXPECT_DOUBLE_EQ(m.fe3, 0.3);
    EXPECT_NEAR(m.mn3, 0.1, 1e-12);
    EXPECT_EQ(m.fe2, 0.0);
    EXPECT_EQ(m.mn2, 0.0);
    EXPECT_EQ(m.nb, 0.0);
    EXPECT_EQ(m.sn, 0.0);
    EXPECT_NEAR(m.total, 3.0, 1e-12);
    EXPECT_DOUBLE_EQ(state.sites.mn3Candidate, 0.4);
    EXPECT_DOUBLE_EQ(state.sites.mn2Candidate, 0.2);
}

TEST(AllocateMSites, AllAlAtTLeavesNoAlVI) {
    AnalysisState state = StateWithApfu({{kSi, 2.7}, {kAl, 0.2}, {kFe3, 2.0}});
    AllocateThroughM(state);
    EXPECT_EQ(state.sites.m.alVI, 0.0);
    EXPECT_DOUBLE_EQ(state.sites.m.fe3, 1.0);  // lowered by 1 for M2
}

struct Mn2O3Case {
    std::string name;
    double ca;
    double mn3;
    double deficit;
    double mn3Candidate;
    double mn2Candidate;
};

void PrintTo(const Mn2O3Case& c, std::ostream* os) {
    *os << c.name;
}

class Mn2O3OnlyAnalysis : public ::testing::TestWithParam<Mn2O3Case> {};

TEST_P(Mn2O3OnlyAnalysis, SplitsTheManganeseByTheADeficit) {
    const Mn2O3Case& c = GetParam();
    AnalysisState state =
        StateWithApfu({{kSi, 3.0}, {kAl, 2.0}, {kCa, c.ca}, {kMn3, c.mn3}, {kMn2, 0.7}});
    MarkMn2O3Only(state);
    AllocateThroughM(state);
    const SiteContents& s = state.sites;
    EXPECT_NEAR(s.aCationSum, c.ca, 1e-15);
    EXPECT_NEAR(s.aDeficit, c.deficit, 1e-12);
    EXPECT_NEAR(s.mn3Candidate, c.mn3Candidate, 1e-12);
    EXPECT_NEAR(s.mn2Candidate, c.mn2Candidate, 1e-12);
    // Taken whole while s < 3, negative or not.
    EXPECT_NEAR(s.m.mn3, c.mn3Candidate, 1e-12);
    EXPECT_NEAR(s.m.mn2, c.mn2Candidate, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, Mn2O3OnlyAnalysis,
                         ::testing::Values(Mn2O3Case{"DeficitPositive", 1.8, 0.5, 0.2, 0.2, 0.1},
                                           Mn2O3Case{"DeficitNegative", 2.2, 0.5, -0.2, 0.8, -0.1},
                                           Mn2O3Case{"Mn3BelowOneAndAHalfDeficits", 1.6, 0.3, 0.4,
                                                     -0.3, 0.2}),
                         [](const auto& info) { return info.param.name; });

TEST(Mn2O3OnlyAnalysis, TheACationSumHoldsTheLargeCationsButNotUPFe2OrMn2) {
    AnalysisState state = StateWithApfu({{kSi, 3.0},
                                         {kAl, 2.0},
                                         {kCe, 0.2},
                                         {kY, 0.1},
                                         {kCa, 1.0},
                                         {kSr, 0.1},
                                         {kBa, 0.05},
                                         {kNa, 0.02},
                                         {kK, 0.01},
                                         {kTh, 0.03},
                                         {kPb, 0.04},
                                         {kU, 0.5},
                                         {kP, 0.5},
                                         {kFe2, 0.5},
                                         {kMn2, 0.5},
                                         {kMn3, 0.6}});
    MarkMn2O3Only(state);
    AllocateThroughM(state);
    EXPECT_NEAR(state.sites.aCationSum, 0.3 + 1.0 + 0.1 + 0.05 + 0.02 + 0.01 + 0.03 + 0.04, 1e-12);
}

struct NotMn2O3OnlyCase {
    std::string name;
    double mnO;
    double mn2O3;
};

void PrintTo(const NotMn2O3OnlyCase& c, std::ostream* os) {
    *os << c.name;
}

class NotMn2O3OnlyAnalysis : public ::testing::TestWithParam<NotMn2O3OnlyCase> {};

TEST_P(NotMn2O3OnlyAnalysis, OffersTheApfuManganeseAndFormsNoDeficit) {
    AnalysisState state =
        StateWithApfu({{kSi, 3.0}, {kAl, 2.0}, {kCa, 1.8}, {kMn3, 0.5}, {kMn2, 0.3}});
    state.formula.weightPercent[kMn2] = GetParam().mnO;
    state.formula.weightPercent[kMn3] = GetParam().mn2O3;
    AllocateThroughM(state);
    EXPECT_EQ(state.sites.aDeficit, 0.0);
    EXPECT_EQ(state.sites.mn3Candidate, 0.5);
    EXPECT_EQ(state.sites.mn2Candidate, 0.3);
}

INSTANTIATE_TEST_SUITE_P(Cases, NotMn2O3OnlyAnalysis,
                         ::testing::Values(NotMn2O3OnlyCase{"BothOxides", 0.5, 4.0},
                                           NotMn2O3OnlyCase{"NoMn2O3", 0.5, 0.0},
                                           NotMn2O3OnlyCase{"NoManganese", 0.0, 0.0},
                                           NotMn2O3OnlyCase{"NegativeMn2O3", 0.0, -1.0}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace stelvador
