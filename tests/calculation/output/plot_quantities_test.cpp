#include "calculation/output/compute_plot_quantities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calculation/analysis_state.h"

namespace stelvador {
namespace {

// An epidote-like formula with every value the plot quantities read.
class PlotQuantitiesTest : public ::testing::Test {
  protected:
    PlotQuantitiesTest() {
        ConstituentValues& apfu = state.formula.apfu;
        apfu[kAl] = 2.25;
        apfu[kCr] = 0.05;
        apfu[kV] = 0.02;
        apfu[kFe3] = 0.6;
        apfu[kMn3] = 0.01;
        apfu[kFe2] = 0.1;
        apfu[kMg] = 0.3;
        apfu[kMn2] = 0.1;
        apfu[kTh] = 0.02;
        apfu[kU] = 0.01;
        apfu[kSr] = 0.05;
        state.sites.reeYSum = 0.7;
        state.sites.m.alVI = 2.0;
        state.sites.a2.ca = 0.9;
        state.sites.a1.vacancy = 0.05;
        M3SiteContents& m3 = state.sites.m3;
        m3.mn3 = 0.01;
        m3.fe3 = 0.5;
        m3.v = 0.02;
        m3.cr = 0.05;
        m3.al = 0.1;
        m3.mn2 = 0.03;
        m3.fe2 = 0.1;
        m3.zn = 0.01;
        m3.cu = 0.02;
        m3.ni = 0.04;
        m3.mg = 0.3;
    }

    AnalysisState state;
};

TEST_F(PlotQuantitiesTest, TernaryRatiosShareOneDenominatorAndDoubleTheFirstCation) {
    ComputePlotQuantities(state);
    const PlotQuantities& p = state.plot;
    const double dCr = 0.6 + 2.25 / 3 + 0.05;
    EXPECT_DOUBLE_EQ(p.crAlFeCr, 2 * 0.05 / dCr);
    EXPECT_DOUBLE_EQ(p.crAlFeAl, (2.25 / 3) / dCr);
    EXPECT_DOUBLE_EQ(p.crAlFeFe3, 0.6 / dCr);
    EXPECT_DOUBLE_EQ(p.crAlFeCr + p.crAlFeAl + p.crAlFeFe3, 1 + 0.05 / dCr);
    const double dV = 0.6 + 2.25 / 3 + 0.02;
    EXPECT_DOUBLE_EQ(p.vAlFeV, 2 * 0.02 / dV);
    EXPECT_DOUBLE_EQ(p.vAlFeAl, 0.75 / dV);
    EXPECT_DOUBLE_EQ(p.vAlFeFe3, 0.6 / dV);
    const double dMn = 0.6 + 2.25 / 3 + 0.01;
    EXPECT_DOUBLE_EQ(p.mnAlFeMn3, 2 * 0.01 / dMn);
    EXPECT_DOUBLE_EQ(p.mnAlFeAl, 0.75 / dMn);
    EXPECT_DOUBLE_EQ(p.mnAlFeFe3, 0.6 / dMn);
    EXPECT_DOUBLE_EQ(p.feMgMnFe2, 0.1 / 0.5);
    EXPECT_DOUBLE_EQ(p.feMgMnMg, 0.3 / 0.5);
    EXPECT_DOUBLE_EQ(p.feMgMnMn2, 0.1 / 0.5);
}

TEST_F(PlotQuantitiesTest, SumsAndVacancyItems) {
    ComputePlotQuantities(state);
    const PlotQuantities& p = state.plot;
    EXPECT_DOUBLE_EQ(p.reeThU, 0.7 + 0.02 + 0.01);
    EXPECT_DOUBLE_EQ(p.reeThSr, 0.7 + 0.02 + 0.05);
    EXPECT_DOUBLE_EQ(p.alFe3MinusOne, 2.25 + 0.6 - 1);
    EXPECT_DOUBLE_EQ(p.fe2OverFe2Mg, 0.1 / 0.4);
    EXPECT_DOUBLE_EQ(p.fe3OverFe3AlVI, 0.6 / 2.6);
    EXPECT_DOUBLE_EQ(p.alTotal, 2.25);
    EXPECT_DOUBLE_EQ(p.m3TrivalentSum, 0.01 + 0.5 + 0.02 + 0.05 + 0.1);
    // Ni belongs to this sum, unlike the M3 divalent sum of the subgroup rules.
    EXPECT_DOUBLE_EQ(p.m3DivalentSumWithNi, 0.03 + 0.1 + 0.01 + 0.02 + 0.04 + 0.3);
    EXPECT_DOUBLE_EQ(p.caM3A1Vacancy, 0.9 + 0.68 - 0.1);
    EXPECT_DOUBLE_EQ(p.reeM3A1Vacancy, 0.7 + 0.5 - 0.1);
    EXPECT_DOUBLE_EQ(p.fourA1Vacancy, 0.2);
    EXPECT_DOUBLE_EQ(p.divalentSum, 0.1 + 0.1 + 0.3);
    EXPECT_DOUBLE_EQ(p.trivalentSum, 0.6 + 0.01 + 0.02 + 0.05);
}

TEST_F(PlotQuantitiesTest, ReeThSrAboveOneIsOneWhileReeThUStays) {
    state.sites.reeYSum = 1.2 - 0.02 - 0.01;
    state.formula.apfu[kSr] = 0.01;
    ComputePlotQuantities(state);
    EXPECT_DOUBLE_EQ(state.plot.reeThU, 1.2);
    EXPECT_EQ(state.plot.reeThSr, 1.0);

    state.sites.reeYSum = 0.5;
    state.formula.apfu[kTh] = 0.25;
    state.formula.apfu[kSr] = 0.25;
    ComputePlotQuantities(state);
    EXPECT_EQ(state.plot.reeThSr, 1.0);
}

TEST_F(PlotQuantitiesTest, NoFe2OrNoFe3GivesZeroShares) {
    state.formula.apfu[kFe2] = 0;
    state.formula.apfu[kMg] = 0;
    state.formula.apfu[kFe3] = -0.1;
    ComputePlotQuantities(state);
    EXPECT_EQ(state.plot.fe2OverFe2Mg, 0.0);
    EXPECT_EQ(state.plot.fe3OverFe3AlVI, 0.0);
}

TEST_F(PlotQuantitiesTest, ZeroDenominatorsLeaveTheRatiosUnformed) {
    // Fe3+ + Al/3 + cation and Fe2+ + Mg + Mn2+ all zero.
    ConstituentValues& apfu = state.formula.apfu;
    apfu[kAl] = 0;
    apfu[kFe3] = 0;
    apfu[kCr] = 0;
    apfu[kV] = 0;
    apfu[kMn3] = 0;
    apfu[kFe2] = 0;
    apfu[kMg] = 0;
    apfu[kMn2] = 0;
    ComputePlotQuantities(state);
    const PlotQuantities& p = state.plot;
    for (const double ratio :
         {p.crAlFeCr, p.crAlFeAl, p.crAlFeFe3, p.vAlFeV, p.vAlFeAl, p.vAlFeFe3, p.mnAlFeMn3,
          p.mnAlFeAl, p.mnAlFeFe3, p.feMgMnFe2, p.feMgMnMg, p.feMgMnMn2}) {
        EXPECT_TRUE(std::isnan(ratio));
    }
    EXPECT_EQ(p.alFe3MinusOne, -1.0);
    EXPECT_EQ(p.divalentSum, 0.0);
}

TEST_F(PlotQuantitiesTest, AllUnformedInputsGiveUnformedQuantitiesAndNoCrash) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    state.formula.apfu.fill(nan);
    state.sites.reeYSum = nan;
    state.sites.m.alVI = nan;
    ComputePlotQuantities(state);
    const PlotQuantities& p = state.plot;
    for (const double q :
         {p.crAlFeCr, p.feMgMnFe2, p.reeThU, p.reeThSr, p.alFe3MinusOne, p.fe2OverFe2Mg,
          p.fe3OverFe3AlVI, p.alTotal, p.reeM3A1Vacancy, p.divalentSum, p.trivalentSum}) {
        EXPECT_TRUE(std::isnan(q));
    }
}

TEST_F(PlotQuantitiesTest, ResultsBeyondTheRangeOfADoubleAreUnformed) {
    state.formula.apfu[kFe2] = 1e308;
    state.formula.apfu[kMn2] = 1e308;
    state.formula.apfu[kCr] = 1e308;
    ComputePlotQuantities(state);
    EXPECT_TRUE(std::isnan(state.plot.divalentSum));
    EXPECT_TRUE(std::isnan(state.plot.feMgMnFe2));
    EXPECT_TRUE(std::isnan(state.plot.crAlFeCr));  // 2 Cr overflows
    EXPECT_TRUE(std::isfinite(state.plot.crAlFeFe3));
}

}  // namespace
}  // namespace stelvador
