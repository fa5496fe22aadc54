#include <gtest/gtest.h>

#include <ostream>

#include <string>

#include "calculation/analysis_state.h"
#include "calculation/formula/formula_steps.h"

namespace stelvador {
namespace {

// EstimateFerricIron works from the wt% FeO and Fe2O3 as read, the cation sum and the apfu
// values; each case gives them directly.
struct FerricCase {
    std::string name;
    double feO;
    double fe2O3;
    double cationSum;
    double si;
    double fe3Before;
    double fe2Before;
    double fe3After;
    double fe2After;
};

void PrintTo(const FerricCase& c, std::ostream* os) {
    *os << c.name;
}

class EstimateFerricIronCase : public ::testing::TestWithParam<FerricCase> {};

TEST_P(EstimateFerricIronCase, SplitsTheIron) {
    const FerricCase& c = GetParam();
    AnalysisState state;
    FormulaValues& f = state.formula;
    f.weightPercent[kFe2] = c.feO;
    f.weightPercent[kFe3] = c.fe2O3;
    f.cationSum = c.cationSum;
    f.apfu[kSi] = c.si;
    f.apfu[kFe3] = c.fe3Before;
    f.apfu[kFe2] = c.fe2Before;
    EstimateFerricIron(state);
    EXPECT_NEAR(f.apfu[kFe3], c.fe3After, 1e-12);
    EXPECT_NEAR(f.apfu[kFe2], c.fe2After, 1e-12);
}

// 25 * (1 - 8 / 8.1) and 25 * (1 - 8 / 8.5).
constexpr double kEstimate81 = 25.0 * (1.0 - 8.0 / 8.1);
constexpr double kEstimate85 = 25.0 * (1.0 - 8.0 / 8.5);

INSTANTIATE_TEST_SUITE_P(
    Cases, EstimateFerricIronCase,
    ::testing::Values(
        FerricCase{"NoFeO", 0.0, 5.0, 8.3, 3.0, 0.6, 0.0, 0.6, 0.0},
        FerricCase{"NoIronAtAll", 0.0, 0.0, 8.3, 3.0, 0.0, 0.0, 0.0, 0.0},
        FerricCase{"BothOxides", 4.0, 5.0, 8.3, 3.0, 0.6, 0.5, 0.6, 0.5},
        FerricCase{"BothOxidesSiAbove305", 4.0, 5.0, 8.3, 3.2, 0.6, 0.5, 0.6, 0.5},
        FerricCase{"CationSumEight", 10.0, 0.0, 8.0, 3.0, 0.0, 0.9, 0.0, 0.9},
        FerricCase{"CationSumBelowEight", 10.0, 0.0, 7.9, 3.0, 0.0, 0.9, 0.0, 0.9},
        FerricCase{"EstimateWithinIron", 10.0, 0.0, 8.1, 3.0, 0.0, 0.9, kEstimate81,
                   0.9 - kEstimate81},
        FerricCase{"EstimateAboveIron", 10.0, 0.0, 8.5, 3.0, 0.0, 1.0, 1.0, 0.0},
        FerricCase{"SiAbove305Exchanges", 10.0, 0.0, 8.1, 3.1, 0.0, 0.9, 0.9 - kEstimate81,
                   kEstimate81},
        // Fe3+ takes the negative Fe2+ left by the estimate; the last step asks for Fe3+ > 0.
        FerricCase{"SiAbove305EstimateAboveIron", 10.0, 0.0, 8.5, 3.1, 0.0, 1.0, 1.0 - kEstimate85,
                   kEstimate85},
        FerricCase{"SiExactly305NoExchange", 10.0, 0.0, 8.1, 3.05, 0.0, 0.9, kEstimate81,
                   0.9 - kEstimate81},
        FerricCase{"SiJustAbove305Exchanges", 10.0, 0.0, 8.1, 3.0500001, 0.0, 0.9,
                   0.9 - kEstimate81, kEstimate81},
        FerricCase{"NegativeFeONoEstimate", -1.0, 0.0, 8.5, 3.0, 0.0, -0.1, 0.0, -0.1}),
    [](const auto& info) { return info.param.name; });

TEST(EstimateFerricIron, RecordsTheEstimateAndTheIronTotal) {
    AnalysisState state;
    FormulaValues& f = state.formula;
    f.weightPercent[kFe2] = 10.0;
    f.cationSum = 8.1;
    f.apfu[kSi] = 3.0;
    f.apfu[kFe2] = 0.9;
    EstimateFerricIron(state);
    EXPECT_DOUBLE_EQ(f.ferricEstimate, kEstimate81);
    EXPECT_DOUBLE_EQ(f.totalIron, 0.9);
}

TEST(EstimateFerricIron, ANegativeEstimateBecomesZero) {
    AnalysisState state;
    FormulaValues& f = state.formula;
    f.weightPercent[kFe2] = 10.0;
    f.cationSum = 7.5;
    f.apfu[kFe2] = 0.9;
    EstimateFerricIron(state);
    EXPECT_EQ(f.ferricEstimate, 0.0);
}

TEST(EstimateFerricIron, AnEarlierEstimateNeverReachesAnAnalysisWithoutOne) {
    AnalysisState state;
    FormulaValues& f = state.formula;
    f.weightPercent[kFe2] = 10.0;
    f.cationSum = 8.5;
    f.apfu[kFe2] = 1.0;
    EstimateFerricIron(state);
    ASSERT_GT(f.ferricEstimate, 0.0);

    f.weightPercent[kFe3] = 3.0;  // both oxides now: no estimate
    f.apfu[kFe3] = 0.4;
    f.apfu[kFe2] = 0.5;
    EstimateFerricIron(state);
    EXPECT_EQ(f.ferricEstimate, 0.0);
    EXPECT_EQ(f.apfu[kFe3], 0.4);
    EXPECT_EQ(f.apfu[kFe2], 0.5);
}

}  // namespace
}  // namespace stelvador
