#include "calculation/analysis_state.h"
#include "classification_test_support.h"

#include <gtest/gtest.h>

namespace stelvador {
namespace {

using testing_support::Classify;

// Site contents as the octahedral split leaves them for three typical analyses, with calcium at
// A1 and the A2 content each names; the classification then names their ions, subgroup and
// species.
class WorkedExamples : public testing::Test {
  protected:
    WorkedExamples() {
        m_state.sites.a1.ca = 0.97;
        m_state.sites.a1.na = 0.02;
        m_state.sites.a1.fe2 = 0.01;
        m_state.formula.apfu[kF] = 0.02;
    }

    void CalciumAtA2() {
        m_state.sites.a2.ca = 0.98;
        m_state.sites.a2DivalentSum = 0.98;
    }

    AnalysisState m_state;
};

TEST_F(WorkedExamples, EpidoteLike) {
    CalciumAtA2();
    M3SiteContents& m3 = m_state.sites.m3;
    m3.mg = 0.02;
    m3.uncappedPart = 0.02;
    m3.mn3 = 0.01;
    m3.fe3 = 0.75;
    m3.ti = 0.02;
    m3.al = 0.2;
    m3.total = 1.0;
    m_state.sites.m2.al = 1.0;
    m_state.sites.m1.al = 1.0;
    m_state.ions.M2 = "Al";
    m_state.sites.m3TrivalentSum = 0.96;
    m_state.sites.m3DivalentSum = 0.02;
    m_state.sites.m1TrivalentSum = 1.0;
    Classify(m_state);
    EXPECT_EQ(m_state.ions.A1, "Ca");
    EXPECT_EQ(m_state.ions.A2, "Ca");
    EXPECT_EQ(m_state.ions.M1, "Al");
    EXPECT_EQ(m_state.ions.M2, "Al");
    EXPECT_EQ(m_state.ions.M3, "Fe3+");
    EXPECT_EQ(m_state.ions.M3Divalent, "Mg");
    EXPECT_EQ(m_state.ions.M3Trivalent, "Fe3+");
    EXPECT_EQ(m_state.ions.O4, "O");
    EXPECT_EQ(m_state.subgroup, "Clinozoisite subgroup");
    EXPECT_EQ(m_state.species, "Epidote");
}

TEST_F(WorkedExamples, AllaniteLike) {
    m_state.sites.a2.ree = 0.85;
    m_state.sites.a2.th = 0.02;
    m_state.sites.a2.ca = 0.1;
    m_state.sites.a2DivalentSum = 0.1;
    m_state.sites.a2ReeThUSum = 0.87;
    m_state.formula.apfu[kCe] = 0.4;
    m_state.formula.apfu[kLa] = 0.2;
    m_state.formula.apfu[kNd] = 0.15;
    m_state.formula.apfu[kY] = 0.05;
    M3SiteContents& m3 = m_state.sites.m3;
    m3.fe2 = 0.8;
    m3.uncappedPart = 0.8;
    m3.fe3 = 0.2;
    m3.total = 1.0;
    m_state.sites.m2.al = 1.0;
    m_state.sites.m1.al = 0.9;
    m_state.sites.m1.fe3 = 0.1;
    m_state.ions.M2 = "Al";
    m_state.sites.m3TrivalentSum = 0.2;
    m_state.sites.m3DivalentSum = 0.8;
    m_state.sites.m1TrivalentSum = 1.0;
    Classify(m_state);
    EXPECT_EQ(m_state.ions.A2Divalent, "Ca");
    EXPECT_EQ(m_state.ions.A2, "REE+Th");
    EXPECT_EQ(m_state.ions.M1, "Al");
    EXPECT_EQ(m_state.ions.M3, "Fe2+");
    EXPECT_EQ(m_state.ions.M3Divalent, "Fe2+");
    EXPECT_EQ(m_state.ions.M3Trivalent, "Fe3+");
    EXPECT_EQ(m_state.subgroup, "Allanite subgroup");
    EXPECT_EQ(m_state.species, "Allanite-(Ce)");
}

TEST_F(WorkedExamples, AluminiumPoor) {
    CalciumAtA2();
    m_state.sites.m3.fe3 = 1.0;
    m_state.sites.m3.total = 1.0;
    m_state.sites.m2.al = 0.8;
    m_state.sites.m1.fe3 = 1.2;
    m_state.ions.M2 = "Fe3+";
    m_state.sites.m3TrivalentSum = 1.0;
    m_state.sites.m1TrivalentSum = 1.2;
    Classify(m_state);
    EXPECT_EQ(m_state.ions.M1, "Fe3+");
    EXPECT_EQ(m_state.ions.M2, "Fe3+");
    EXPECT_EQ(m_state.ions.M3, "Fe3+");
    EXPECT_EQ(m_state.ions.M3Divalent, "");
    EXPECT_EQ(m_state.subgroup, "Clinozoisite subgroup");
    EXPECT_EQ(m_state.species, "Ferriepidote");
}

}  // namespace
}  // namespace stelvador
