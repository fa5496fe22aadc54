#include <gtest/gtest.h>

#include <ostream>

#include "site_state.h"

namespace stelvador {
namespace {

using testing::MarkMn2O3Only;
using testing::StateWithApfu;

TEST(AllocateASites, TakesWhatMLeftAndTheLargeCations) {
    AnalysisState state = StateWithApfu({{kMn2, 0.3},
                                         {kFe2, 0.5},
                                         {kCa, 1.5},
                                         {kSr, 0.1},
                                         {kBa, 0.02},
                                         {kPb, 0.03},
                                         {kNa, 0.04},
                                         {kK, 0.01},
                                         {kP, 0.05},
                                         {kTh, 0.06},
                                         {kU, 0.07}});
    state.sites.reeYSum = 0.2;
    state.sites.m.mn2 = 0.1;
    state.sites.m.fe2 = 0.2;
    state.sites.m.total = 3.0;
    AllocateASites(state);
    const ASiteContents& a = state.sites.a;
    EXPECT_DOUBLE_EQ(a.mn2, 0.3 - 0.1);
    EXPECT_DOUBLE_EQ(a.fe2, 0.5 - 0.2);
    EXPECT_DOUBLE_EQ(a.ca, 1.5);
    EXPECT_DOUBLE_EQ(a.sr, 0.1);
    EXPECT_DOUBLE_EQ(a.ba, 0.02);
    EXPECT_DOUBLE_EQ(a.pb, 0.03);
    EXPECT_DOUBLE_EQ(a.na, 0.04);
    EXPECT_DOUBLE_EQ(a.k, 0.01);
    EXPECT_DOUBLE_EQ(a.p, 0.05);
    EXPECT_DOUBLE_EQ(a.ree, 0.2);
    EXPECT_DOUBLE_EQ(a.th, 0.06);
    EXPECT_DOUBLE_EQ(a.u, 0.07);
    EXPECT_EQ(a.total,
              a.mn2 + a.fe2 + a.sr + a.th + a.u + a.k + a.na + a.p + a.pb + a.ba + a.ca + a.ree);
    // Not Mn2O3-only: no transfer.
    EXPECT_EQ(state.sites.mVacancy, 0.0);
    EXPECT_EQ(state.sites.m.mn2, 0.1);
}

TEST(AllocateASites, ATotalAboveTwoStandsAsItComes) {
    AnalysisState state = StateWithApfu({{kCa, 2.1}, {kNa, 0.2}});
    AllocateASites(state);
    EXPECT_DOUBLE_EQ(state.sites.a.total, 2.3);
}

// A Mn2O3-only analysis whose M holds Al(VI) and the Mn offered to it, with the A deficit as
// AllocateMSites left it.
struct TransferCase {
    std::string name;
    double alVI;       // M Al(VI)
    double mMn3;       // M Mn3+
    double mMn2;       // M Mn2+ (half the deficit)
    double aDeficit;   // A deficit
    double aMn2;       // A Mn2+ after
    double mMn2After;  // M Mn2+ after
    double mMn3After;  // M Mn3+ after
    double mTotal;     // M total after
};

void PrintTo(const TransferCase& c, std::ostream* os) {
    *os << c.name;
}

class MnTransfer : public ::testing::TestWithParam<TransferCase> {};

TEST_P(MnTransfer, MovesManganeseBetweenAAndM) {
    const TransferCase& c = GetParam();
    AnalysisState state = StateWithApfu({{kCa, 1.8}, {kP, 0.05}});
    MarkMn2O3Only(state);
    MSiteContents& m = state.sites.m;
    m.alVI = c.alVI;
    m.mn3 = c.mMn3;
    m.mn2 = c.mMn2;
    m.nb = 0.02;
    m.sn = 0.01;
    m.total = c.alVI + c.mMn3 + c.mMn2 + 0.02 + 0.01;
    state.sites.aDeficit = c.aDeficit;
    const double manganese = c.aDeficit + c.mMn2 + c.mMn3;

    AllocateASites(state);
    const SiteContents& s = state.sites;
    EXPECT_NEAR(s.a.mn2, c.aMn2, 1e-12);
    EXPECT_NEAR(s.m.mn2, c.mMn2After, 1e-12);
    EXPECT_NEAR(s.m.mn3, c.mMn3After, 1e-12);
    EXPECT_NEAR(s.m.total, c.mTotal, 1e-12);
    // Nb and Sn stay in M's total, P in A's; the manganese total is unchanged.
    EXPECT_DOUBLE_EQ(s.m.total, s.m.ti + s.m.alVI + s.m.mn3 + s.m.mn2 + s.m.nb + s.m.sn);
    EXPECT_NEAR(s.a.total, s.a.mn2 + 1.8 + 0.05, 1e-12);
    EXPECT_NEAR(s.a.mn2 + s.m.mn2 + s.m.mn3, manganese, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MnTransfer,
    ::testing::Values(
        // M total 2.9, deficit 0.2: 0.1 moves to M.
        TransferCase{"FillsM", 2.57, 0.2, 0.1, 0.2, 0.1, 0.2, 0.2, 3.0},
        // M total 2.7, deficit 0.2: 0.3 moves, the 0.1 shortfall comes out of M's Mn3+.
        TransferCase{"ShortfallFromMn3", 2.37, 0.2, 0.1, 0.2, 0.0, 0.4, 0.1, 2.9},
        // Negative deficit: only the second step, which adds it to M's Mn3+.
        TransferCase{"NegativeDeficit", 2.07, 0.8, -0.1, -0.2, 0.0, -0.1, 0.6, 2.6},
        // M full: no transfer; A keeps the deficit.
        TransferCase{"MFull", 2.67, 0.2, 0.1, 0.2, 0.2, 0.1, 0.2, 3.0},
        TransferCase{"MOverfull", 2.87, 0.2, 0.1, 0.2, 0.2, 0.1, 0.2, 3.2}),
    [](const auto& info) { return info.param.name; });

TEST(MnTransfer, ARecomputedATotalFallsByTheVacancy) {
    AnalysisState state = StateWithApfu({{kCa, 1.8}});
    MarkMn2O3Only(state);
    state.sites.m.alVI = 2.8;
    state.sites.m.mn2 = 0.1;
    state.sites.m.total = 2.9;
    state.sites.aDeficit = 0.2;
    AllocateASites(state);
    EXPECT_NEAR(state.sites.mVacancy, 0.1, 1e-12);
    EXPECT_NEAR(state.sites.a.total, 1.9, 1e-12);
}

struct SplitCase {
    std::string name;
    double mn2;
    double fe2;
    double na;
    double ca;
    double a1Ca;
    double a1Total;
    double vacancy;
    double a2Ca;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitASiteCase : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitASiteCase, FillsA1ToOneWithCa) {
    const SplitCase& c = GetParam();
    AnalysisState state;
    ASiteContents& a = state.sites.a;
    a.mn2 = c.mn2;
    a.fe2 = c.fe2;
    a.na = c.na;
    a.ca = c.ca;
    SplitASite(state);
    const SiteContents& s = state.sites;
    EXPECT_EQ(s.a1.mn2, c.mn2);
    EXPECT_EQ(s.a1.fe2, c.fe2);
    EXPECT_EQ(s.a1.na, c.na);
    EXPECT_NEAR(s.a1.ca, c.a1Ca, 1e-12);
    EXPECT_NEAR(s.a1.total, c.a1Total, 1e-12);
    EXPECT_NEAR(s.a1.vacancy, c.vacancy, 1e-12);
    EXPECT_NEAR(s.a2.ca, c.a2Ca, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitASiteCase,
    ::testing::Values(SplitCase{"CaFillsA1", 0.0, 0.01, 0.02, 1.95, 0.97, 1.0, 0.0, 0.98},
                      SplitCase{"A1FullBeforeCa", 0.6, 0.3, 0.2, 1.0, 0.0, 1.1, -0.1, 1.0},
                      SplitCase{"A1ExactlyFull", 0.5, 0.5, 0.0, 1.0, 0.0, 1.0, 0.0, 1.0},
                      SplitCase{"CaBelowRoom", 0.0, 0.0, 0.1, 0.5, 0.5, 0.6, 0.4, 0.0},
                      SplitCase{"CaFitsExactly", 0.0, 0.0, 0.25, 0.75, 0.75, 1.0, 0.0, 0.0}),
    [](const auto& info) { return info.param.name; });

TEST(SplitASite, A2HoldsTheRest) {
    AnalysisState state;
    ASiteContents& a = state.sites.a;
    a.ree = 0.8;
    a.th = 0.05;
    a.u = 0.01;
    a.sr = 0.02;
    a.ba = 0.03;
    a.pb = 0.04;
    SplitASite(state);
    const A2SiteContents& a2 = state.sites.a2;
    EXPECT_EQ(a2.ree, 0.8);
    EXPECT_EQ(a2.th, 0.05);
    EXPECT_EQ(a2.u, 0.01);
    EXPECT_EQ(a2.sr, 0.02);
    EXPECT_EQ(a2.ba, 0.03);
    EXPECT_EQ(a2.pb, 0.04);
}

}  // namespace
}  // namespace stelvador
