#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "site_state.h"

namespace stelvador {
namespace {

// The M contents as AllocateASites leaves them; M3, M2 and M1 are split from these alone.
struct MContents {
    double alVI = 0.0;
    double ti = 0.0;
    double fe3 = 0.0;
    double mn3 = 0.0;
    double v = 0.0;
    double cr = 0.0;
    double mg = 0.0;
    double fe2 = 0.0;
    double mn2 = 0.0;
    double ni = 0.0;
};

AnalysisState SplitOctahedral(const MContents& c) {
    AnalysisState state;
    MSiteContents& m = state.sites.m;
    m.alVI = c.alVI;
    m.ti = c.ti;
    m.fe3 = c.fe3;
    m.mn3 = c.mn3;
    m.v = c.v;
    m.cr = c.cr;
    m.mg = c.mg;
    m.fe2 = c.fe2;
    m.mn2 = c.mn2;
    m.ni = c.ni;
    AllocateM3(state);
    AllocateM2M1(state);
    return state;
}

TEST(OctahedralSites, EpidoteLike) {
    const AnalysisState state =
        SplitOctahedral({.alVI = 2.2, .ti = 0.02, .fe3 = 0.75, .mn3 = 0.01, .mg = 0.02});
    const SiteContents& s = state.sites;
    EXPECT_NEAR(s.m3.uncappedPart, 0.02, 1e-15);
    EXPECT_NEAR(s.m3.mn3, 0.01, 1e-15);
    EXPECT_NEAR(s.m3.fe3, 0.75, 1e-15);
    EXPECT_EQ(s.m3.v, 0.0);
    EXPECT_EQ(s.m3.cr, 0.0);
    EXPECT_NEAR(s.m3.ti, 0.02, 1e-15);
    EXPECT_NEAR(s.m3.al, 0.2, 1e-12);
    EXPECT_NEAR(s.m3.total, 1.0, 1e-12);
    EXPECT_NEAR(s.rests.al, 2.0, 1e-12);
    EXPECT_EQ(s.m2.al, 1.0);
    EXPECT_NEAR(s.m1.al, 1.0, 1e-12);
    EXPECT_EQ(s.rests.fe3, 0.0);
    EXPECT_EQ(s.rests.mn3, 0.0);
    EXPECT_EQ(state.ions.M2, "Al");
    EXPECT_NEAR(s.m3TrivalentSum, 0.96, 1e-12);
    EXPECT_NEAR(s.m3DivalentSum, 0.02, 1e-15);
    EXPECT_NEAR(s.m1TrivalentSum, 1.0, 1e-12);
}

TEST(OctahedralSites, AllaniteLike) {
    const AnalysisState state = SplitOctahedral({.alVI = 1.9, .fe3 = 0.3, .fe2 = 0.8});
    const SiteContents& s = state.sites;
    EXPECT_DOUBLE_EQ(s.m3.fe2, 0.8);
    EXPECT_NEAR(s.m3.fe3, 0.2, 1e-12);
    EXPECT_EQ(s.m3.al, 0.0);
    EXPECT_DOUBLE_EQ(s.rests.al, 1.9);
    EXPECT_EQ(s.m2.al, 1.0);
    EXPECT_NEAR(s.m1.al, 0.9, 1e-12);
    EXPECT_NEAR(s.m1.fe3, 0.1, 1e-12);
    EXPECT_EQ(state.ions.M2, "Al");
}

TEST(OctahedralSites, AlPoor) {
    const AnalysisState state = SplitOctahedral({.alVI = 0.8, .fe3 = 2.2});
    const SiteContents& s = state.sites;
    EXPECT_EQ(s.m3.fe3, 1.0);
    EXPECT_EQ(s.m3.al, 0.0);
    EXPECT_DOUBLE_EQ(s.rests.al, 0.8);
    EXPECT_DOUBLE_EQ(s.m2.al, 0.8);
    EXPECT_EQ(s.m1.al, 0.0);
    EXPECT_NEAR(s.m1.fe3, 1.2, 1e-12);
    EXPECT_EQ(state.ions.M2, "Fe3+");
}

struct AlCase {
    std::string name;
    MContents m;
    double m3Al;
    double m2Al;
    double m1Al;
};

void PrintTo(const AlCase& c, std::ostream* os) {
    *os << c.name;
}

class OctahedralAl : public ::testing::TestWithParam<AlCase> {};

TEST_P(OctahedralAl, DividesAlOverM3M2AndM1) {
    const AlCase& c = GetParam();
    const AnalysisState state = SplitOctahedral(c.m);
    EXPECT_NEAR(state.sites.m3.al, c.m3Al, 1e-12);
    EXPECT_NEAR(state.sites.m2.al, c.m2Al, 1e-12);
    EXPECT_NEAR(state.sites.m1.al, c.m1Al, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, OctahedralAl,
                         ::testing::Values(
                             // Al(VI) exactly 1 with room in M3: the capped take applies.
                             AlCase{"AlVIExactlyOne", {.alVI = 1.0, .fe3 = 0.6}, 0.4, 0.6, 0.0},
                             // Al(VI) 0.99: none in M3, all of it at M2.
                             AlCase{"AlVIBelowOne", {.alVI = 0.99, .fe3 = 0.6}, 0.0, 0.99, 0.0},
                             AlCase{"AlRestExactlyOne", {.alVI = 1.5, .fe3 = 0.5}, 0.5, 1.0, 0.0},
                             AlCase{"AlRestAboveOne", {.alVI = 2.5, .fe3 = 0.5}, 0.5, 1.0, 1.0}),
                         [](const auto& info) { return info.param.name; });

struct M2StringCase {
    std::string name;
    MContents m;
    std::string expected;
};

void PrintTo(const M2StringCase& c, std::ostream* os) {
    *os << c.name;
}

class M2DominantIon : public ::testing::TestWithParam<M2StringCase> {};

TEST_P(M2DominantIon, NamesTheStrictlyLargestRest) {
    AnalysisState state;
    state.ions.M2 = "Cr";  // as an earlier analysis might have left it
    MSiteContents& m = state.sites.m;
    const MContents& c = GetParam().m;
    m.alVI = c.alVI;
    m.fe3 = c.fe3;
    m.mn3 = c.mn3;
    m.v = c.v;
    m.cr = c.cr;
    m.mg = c.mg;
    m.fe2 = c.fe2;
    m.ti = c.ti;
    AllocateM3(state);
    AllocateM2M1(state);
    EXPECT_EQ(state.ions.M2, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, M2DominantIon,
    ::testing::Values(
        M2StringCase{"TieOfAlAndFe3", {.alVI = 1.5, .fe3 = 1.5, .mg = 1.0}, ""},
        M2StringCase{"AllRestsZero", {.alVI = 1.0}, ""}, M2StringCase{"NothingAtAll", {}, ""},
        // M3 full with divalent cations: the whole trivalent contents are left.
        M2StringCase{"V", {.alVI = 0.4, .v = 0.9, .cr = 0.2, .fe2 = 1.1}, "V"},
        M2StringCase{"Cr", {.alVI = 0.4, .v = 0.2, .cr = 0.9, .fe2 = 1.1}, "Cr"},
        M2StringCase{"Mn3", {.alVI = 0.4, .fe3 = 0.3, .mn3 = 0.9, .mg = 1.0}, "Mn3+"},
        // The uncapped Al rest of 2 counts as 2.
        M2StringCase{"UncappedAlRest", {.alVI = 2.0, .fe3 = 1.5, .mg = 1.0}, "Al"},
        // Ti is no candidate.
        M2StringCase{"TiIsNoCandidate", {.alVI = 0.5, .ti = 2.0, .fe3 = 0.6, .mg = 1.0}, "Fe3+"}),
    [](const auto& info) { return info.param.name; });

TEST(OctahedralSites, DivalentPartAboveOneLeavesM3NoTrivalentCations) {
    const AnalysisState state = SplitOctahedral(
        {.alVI = 1.2, .ti = 0.1, .fe3 = 0.5, .v = 0.1, .mg = 0.4, .fe2 = 0.5, .mn2 = 0.3});
    const SiteContents& s = state.sites;
    for (const double content : {s.m3.mn3, s.m3.fe3, s.m3.v, s.m3.cr, s.m3.ti, s.m3.al}) {
        EXPECT_EQ(content, 0.0);
    }
    EXPECT_NEAR(s.m3.total, 1.2, 1e-12);
    EXPECT_DOUBLE_EQ(s.rests.fe3, 0.5);
    EXPECT_DOUBLE_EQ(s.m1.fe3, 0.5);
    EXPECT_DOUBLE_EQ(s.m1.v, 0.1);
    EXPECT_NEAR(s.m1.al, 0.2, 1e-12);
    EXPECT_EQ(s.m1.mg, 0.0);
    EXPECT_EQ(s.m1.fe2, 0.0);
    EXPECT_EQ(s.m1.mn2, 0.0);
    EXPECT_EQ(s.m1DivalentSum, 0.0);
}

TEST(OctahedralSites, ANegativeMn3IsTakenWholeWhileM3HasRoom) {
    const AnalysisState state = SplitOctahedral({.alVI = 2.0, .fe3 = 0.5, .mn3 = -0.1});
    const SiteContents& s = state.sites;
    EXPECT_DOUBLE_EQ(s.m3.mn3, -0.1);
    EXPECT_EQ(s.rests.mn3, 0.0);
    EXPECT_EQ(s.m1.mn3, 0.0);
    EXPECT_NEAR(s.m3.al, 0.6, 1e-12);  // the negative Mn3+ left room for more Al
}

TEST(OctahedralSites, ANegativeMn3RestWhenM3IsFull) {
    const AnalysisState state = SplitOctahedral({.alVI = 2.0, .mn3 = -0.1, .mg = 1.0});
    const SiteContents& s = state.sites;
    EXPECT_EQ(s.m3.mn3, 0.0);
    EXPECT_DOUBLE_EQ(s.rests.mn3, -0.1);
    EXPECT_EQ(s.m1.mn3, 0.0);
}

TEST(OctahedralSites, ANegativeMn2LeavesMoreRoom) {
    const AnalysisState state = SplitOctahedral({.alVI = 2.0, .fe3 = 1.0, .mn2 = -0.2});
    EXPECT_DOUBLE_EQ(state.sites.m3.uncappedPart, -0.2);
    EXPECT_DOUBLE_EQ(state.sites.m3.fe3, 1.0);
    EXPECT_NEAR(state.sites.m3.al, 0.2, 1e-12);
}

TEST(OctahedralSites, SiteSumsFollowTheirDefinitions) {
    AnalysisState state;
    A2SiteContents& a2 = state.sites.a2;
    a2.ca = 0.9;
    a2.sr = 0.05;
    a2.pb = 0.02;
    a2.ba = 0.01;
    a2.ree = 0.3;
    a2.th = 0.02;
    a2.u = 0.01;
    MSiteContents& m = state.sites.m;
    m.alVI = 2.0;
    m.fe2 = 0.3;
    m.mg = 0.1;
    m.zn = 0.02;
    m.cu = 0.01;
    m.ni = 0.05;
    m.mn2 = 0.04;
    m.nb = 0.03;
    m.sn = 0.02;
    m.fe3 = 0.2;
    m.cr = 0.1;
    AllocateM3(state);
    AllocateM2M1(state);
    const SiteContents& s = state.sites;
    EXPECT_DOUBLE_EQ(s.a2DivalentSum, 0.9 + 0.05 + 0.02 + 0.01);
    EXPECT_DOUBLE_EQ(s.a2ReeThUSum, 0.3 + 0.02 + 0.01);
    EXPECT_DOUBLE_EQ(s.m3DivalentSum, 0.04 + 0.3 + 0.1 + 0.01 + 0.02);  // no Ni, Nb, Sn
    EXPECT_DOUBLE_EQ(s.m3TrivalentSum, s.m3.mn3 + s.m3.fe3 + s.m3.v + s.m3.cr + s.m3.al);
    EXPECT_DOUBLE_EQ(s.m1TrivalentSum, s.m1.v + s.m1.cr + s.m1.al + s.m1.fe3 + s.m1.mn3);
    EXPECT_DOUBLE_EQ(s.m3.uncappedPart, 0.04 + 0.03 + 0.02 + 0.3 + 0.02 + 0.01 + 0.05 + 0.1);
}

}  // namespace
}  // namespace stelvador
