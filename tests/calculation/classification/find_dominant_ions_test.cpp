#include "calculation/analysis_state.h"
#include "calculation/classification/classification_steps.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <string_view>

namespace stelvador {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// --- A1 ---

struct A1Case {
    double ca, mn2, fe2, na;
    std::string_view a1;
};

class A1DominanceTest : public testing::TestWithParam<A1Case> {};

TEST_P(A1DominanceTest, NamesTheLargestOfCaMnFe) {
    const A1Case& c = GetParam();
    AnalysisState state;
    state.sites.a1.ca = c.ca;
    state.sites.a1.mn2 = c.mn2;
    state.sites.a1.fe2 = c.fe2;
    state.sites.a1.na = c.na;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.A1, c.a1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, A1DominanceTest,
    testing::Values(A1Case{1.0, 0.0, 0.0, 0.0, "Ca"}, A1Case{0.5, 0.5, 0.0, 0.0, ""},
                    A1Case{0.0, 0.0, 0.0, 0.0, ""},
                    // A1 Na is no candidate, however large.
                    A1Case{0.4, 0.0, 0.0, 0.6, "Ca"}, A1Case{0.2, 0.6, 0.1, 0.0, "Mn2+"},
                    A1Case{0.1, 0.2, 0.3, 0.0, "Fe2+"}, A1Case{0.3, 0.3, 0.3, 0.0, ""},
                    A1Case{kNaN, 0.5, 0.1, 0.0, ""}));

// --- A2 divalent and A2 ---

struct A2Case {
    double ca, sr, ba, pb, ree, th, u;
    std::string_view a2Divalent;
    std::string_view a2;
};

class A2DominanceTest : public testing::TestWithParam<A2Case> {};

TEST_P(A2DominanceTest, NamesTheDivalentIonAndTheReeTest) {
    const A2Case& c = GetParam();
    AnalysisState state;
    A2SiteContents& a2 = state.sites.a2;
    a2.ca = c.ca;
    a2.sr = c.sr;
    a2.ba = c.ba;
    a2.pb = c.pb;
    a2.ree = c.ree;
    a2.th = c.th;
    a2.u = c.u;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.A2Divalent, c.a2Divalent);
    EXPECT_EQ(state.ions.A2, c.a2);
}

INSTANTIATE_TEST_SUITE_P(Cases, A2DominanceTest,
                         testing::Values(
                             // ca    sr    ba    pb    ree   th     u
                             A2Case{0.0, 0.0, 0.0, 0.0, 0.8, 0.0, 0.0, "", "(REE)3+"},
                             A2Case{0.0, 0.0, 0.0, 0.0, 0.8, 0.01, 0.0, "", "REE+Th"},
                             // REE equal to the largest divalent content fail the test.
                             A2Case{0.5, 0.1, 0.0, 0.0, 0.5, 0.0, 0.0, "Ca", "Ca"},
                             A2Case{0.1, 0.5, 0.0, 0.0, 0.5, 0.2, 0.0, "Sr", "Sr"},
                             // A2 Th is no rival and is not added to the REE.
                             A2Case{0.3, 0.0, 0.0, 0.0, 0.4, 0.5, 0.0, "Ca", "REE+Th"},
                             A2Case{0.5, 0.0, 0.0, 0.0, 0.3, 0.3, 0.0, "Ca", "Ca"},
                             // Neither is A2 U.
                             A2Case{0.5, 0.0, 0.0, 0.0, 0.6, 0.0, 0.9, "Ca", "(REE)3+"},
                             A2Case{0.9, 0.1, 0.0, 0.0, 0.05, 0.02, 0.0, "Ca", "Ca"},
                             A2Case{0.1, 0.6, 0.1, 0.0, 0.0, 0.0, 0.0, "Sr", "Sr"},
                             A2Case{0.1, 0.0, 0.7, 0.0, 0.0, 0.0, 0.0, "Ba", "Ba"},
                             A2Case{0.1, 0.0, 0.0, 0.7, 0.0, 0.0, 0.0, "Pb", "Pb"},
                             // A divalent tie leaves both strings empty where the REE do not win.
                             A2Case{0.4, 0.4, 0.0, 0.0, 0.1, 0.0, 0.0, "", ""},
                             A2Case{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "", ""},
                             // A negative A2 Th names nothing at A2, even where the REE lead.
                             A2Case{0.1, 0.0, 0.0, 0.0, 0.8, -0.01, 0.0, "Ca", ""},
                             A2Case{0.1, 0.0, 0.0, 0.0, 0.8, kNaN, 0.0, "Ca", ""},
                             // REE that could not be formed do not lead; the divalent ion stands.
                             A2Case{0.1, 0.0, 0.0, 0.0, kNaN, 0.0, 0.0, "Ca", "Ca"}));

// --- M3 ---

struct M3Case {
    double mn2, fe2, mg, zn, cu, mn3, fe3, v, cr, al, ni, nb, sn, ti;
    std::string_view divalent;
    std::string_view trivalent;
    std::string_view m3;
};

class M3DominanceTest : public testing::TestWithParam<M3Case> {};

TEST_P(M3DominanceTest, NamesThePartsAndTheWholeSite) {
    const M3Case& c = GetParam();
    AnalysisState state;
    M3SiteContents& m3 = state.sites.m3;
    m3.mn2 = c.mn2;
    m3.fe2 = c.fe2;
    m3.mg = c.mg;
    m3.zn = c.zn;
    m3.cu = c.cu;
    m3.mn3 = c.mn3;
    m3.fe3 = c.fe3;
    m3.v = c.v;
    m3.cr = c.cr;
    m3.al = c.al;
    m3.ni = c.ni;
    m3.nb = c.nb;
    m3.sn = c.sn;
    m3.ti = c.ti;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.M3Divalent, c.divalent);
    EXPECT_EQ(state.ions.M3Trivalent, c.trivalent);
    EXPECT_EQ(state.ions.M3, c.m3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, M3DominanceTest,
    testing::Values(
        //     mn2  fe2  mg   zn   cu   mn3  fe3  v    cr   al   ni   nb   sn   ti
        M3Case{0.0, 0.6, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.1, 0.0, 0.0, 0.0, 0.0, "Fe2+", "Al",
               "Fe2+"},
        // M3 Ni, Nb, Sn and Ti are no candidates, however large.
        M3Case{0.0, 0.0, 0.05, 0.0, 0.0, 0.0, 0.04, 0.0, 0.0, 0.0, 0.9, 0.0, 0.0, 0.0, "Mg", "Fe3+",
               "Mg"},
        M3Case{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.9, 0.9, 0.0, "", "", ""},
        M3Case{0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.8, 0.0, 0.0, 0.0, 0.0, 0.9, "", "Cr",
               "Cr"},
        // The whole site names the largest of the ten even where each part has a winner.
        M3Case{0.0, 0.0, 0.3, 0.0, 0.0, 0.0, 0.6, 0.0, 0.0, 0.1, 0.0, 0.0, 0.0, 0.0, "Mg", "Fe3+",
               "Fe3+"},
        M3Case{0.0, 0.0, 0.0, 0.0, 0.5, 0.0, 0.0, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "Cu", "V",
               "Cu"},
        M3Case{0.0, 0.0, 0.0, 0.7, 0.1, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "Zn", "",
               "Zn"},
        M3Case{0.0, 0.0, 0.0, 0.5, 0.5, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "", "", ""},
        // Each part has its winner, but the two tie over the whole site.
        M3Case{0.3, 0.0, 0.0, 0.0, 0.0, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "Mn2+", "Mn3+",
               ""},
        M3Case{0.0, 0.0, 0.0, 0.0, 0.0, 0.9, 0.1, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "", "Mn3+",
               "Mn3+"},
        // A negative content competes like any other.
        M3Case{-0.2, -0.1, -0.3, -0.3, -0.3, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, "Fe2+",
               "", ""}));

// --- M1 ---

struct M1Case {
    double v, cr, fe3, al, mn3;
    std::string_view m1;
};

class M1DominanceTest : public testing::TestWithParam<M1Case> {};

TEST_P(M1DominanceTest, NamesTheLargestTrivalentContent) {
    const M1Case& c = GetParam();
    AnalysisState state;
    M1SiteContents& m1 = state.sites.m1;
    m1.v = c.v;
    m1.cr = c.cr;
    m1.fe3 = c.fe3;
    m1.al = c.al;
    m1.mn3 = c.mn3;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.M1, c.m1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, M1DominanceTest,
    testing::Values(M1Case{0.0, 0.0, 0.6, 0.6, 0.0, ""}, M1Case{0.0, 0.0, 0.1, 1.0, 0.0, "Al"},
                    M1Case{0.0, 0.0, 1.2, 0.0, 0.0, "Fe3+"}, M1Case{0.5, 0.1, 0.0, 0.2, 0.0, "V"},
                    M1Case{0.0, 0.7, 0.0, 0.2, 0.0, "Cr"}, M1Case{0.0, 0.0, 0.0, 0.3, 0.8, "Mn3+"},
                    M1Case{0.0, 0.0, 0.0, 0.0, 0.0, ""}));

TEST(M1Dominance, DivalentContentsCompeteWhenPresent) {
    AnalysisState state;
    state.sites.m1.al = 0.2;
    state.sites.m1.mg = 0.5;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.M1, "Mg");
}

// --- O4 ---

struct O4Case {
    double fluorine;
    std::string_view o4;
};

class O4AnionTest : public testing::TestWithParam<O4Case> {};

TEST_P(O4AnionTest, IsFluorineFromHalfAnAtomOn) {
    AnalysisState state;
    state.formula.apfu[kF] = GetParam().fluorine;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.O4, GetParam().o4);
}

INSTANTIATE_TEST_SUITE_P(Cases, O4AnionTest,
                         testing::Values(O4Case{0.0, "O"}, O4Case{0.49, "O"}, O4Case{0.5, "F"},
                                         O4Case{1.2, "F"}, O4Case{-0.1, "O"},
                                         // A fluorine content that could not be formed names no
                                         // anion.
                                         O4Case{kNaN, ""}));

// --- the analysis as a whole ---

TEST(FindDominantIons, LeavesTheM2StringAsTheSiteAllocationSetIt) {
    AnalysisState state;
    state.ions.M2 = "Fe3+";
    state.sites.m3.al = 0.9;
    FindDominantIons(state);
    EXPECT_EQ(state.ions.M2, "Fe3+");
}

TEST(FindDominantIons, AnAnalysisWhoseContentsCouldNotBeFormedGetsNoIon) {
    AnalysisState state;
    SiteContents& s = state.sites;
    for (double* value :
         {&s.a1.ca,  &s.a1.mn2, &s.a1.fe2, &s.a1.na,  &s.a2.ca,  &s.a2.sr,
          &s.a2.ba,  &s.a2.pb,  &s.a2.ree, &s.a2.th,  &s.a2.u,   &s.m3.mn2,
          &s.m3.fe2, &s.m3.mg,  &s.m3.zn,  &s.m3.cu,  &s.m3.mn3, &s.m3.fe3,
          &s.m3.v,   &s.m3.cr,  &s.m3.al,  &s.m1.v,   &s.m1.cr,  &s.m1.fe3,
          &s.m1.al,  &s.m1.mn3, &s.m1.mg,  &s.m1.fe2, &s.m1.mn2, &state.formula.apfu[kF]}) {
        *value = kNaN;
    }
    FindDominantIons(state);
    for (const std::string_view* text :
         {&state.ions.A1, &state.ions.A2, &state.ions.A2Divalent, &state.ions.M1, &state.ions.M3,
          &state.ions.M3Divalent, &state.ions.M3Trivalent, &state.ions.O4}) {
        EXPECT_EQ(*text, "");
    }
}

TEST(FindDominantIons, ATieInALaterAnalysisLeavesNoEarlierIon) {
    AnalysisState first;
    first.sites.a1.ca = 0.9;
    first.sites.m3.fe3 = 0.8;
    first.sites.m1.al = 1.0;
    FindDominantIons(first);
    ASSERT_EQ(first.ions.A1, "Ca");

    AnalysisState second;
    second.sites.a1.ca = 0.5;
    second.sites.a1.mn2 = 0.5;
    FindDominantIons(second);
    EXPECT_EQ(second.ions.A1, "");

    // The same holds when one state is taken on to the next analysis: every string is assigned.
    first.sites.a1 = second.sites.a1;
    first.sites.m3 = second.sites.m3;
    first.sites.m1 = second.sites.m1;
    FindDominantIons(first);
    EXPECT_EQ(first.ions.A1, "");
    EXPECT_EQ(first.ions.M3, "");
    EXPECT_EQ(first.ions.M3Trivalent, "");
    EXPECT_EQ(first.ions.M1, "");
}

}  // namespace
}  // namespace stelvador
