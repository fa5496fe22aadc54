#include <gtest/gtest.h>

#include <ostream>

#include "calculation/analysis_state.h"
#include "calculation/formula/formula_steps.h"

namespace stelvador {
namespace {

AnalysisState StateWithSi(double si, bool option) {
    AnalysisState state;
    state.siNormalization = option;
    FormulaValues& f = state.formula;
    // Eight cations: Si plus the rest in Al; F, Cl and H beside them.
    f.apfu[kSi] = si;
    f.apfu[kAl] = 8.0 - si;
    f.apfu[kF] = 0.2;
    f.apfu[kCl] = 0.1;
    f.apfu[kH] = 1.0;
    f.apfuTotal = 8.0;
    return state;
}

TEST(ApplySiNormalization, ScalesEveryValueByThreeOverSi) {
    AnalysisState state = StateWithSi(3.2, true);
    ApplySiNormalization(state);
    const FormulaValues& f = state.formula;
    EXPECT_TRUE(f.siNormalized);
    EXPECT_DOUBLE_EQ(f.siNormalizationFactor, 0.9375);
    EXPECT_DOUBLE_EQ(f.apfu[kSi], 3.0);
    EXPECT_DOUBLE_EQ(f.apfu[kAl], 4.8 * 0.9375);
    EXPECT_DOUBLE_EQ(f.apfu[kF], 0.2 * 0.9375);
    EXPECT_DOUBLE_EQ(f.apfu[kCl], 0.1 * 0.9375);
    EXPECT_DOUBLE_EQ(f.apfu[kH], 0.9375);
    EXPECT_DOUBLE_EQ(f.apfuTotal, 7.5);
}

struct SiCase {
    double si;
    bool option;
    bool scaled;
};

void PrintTo(const SiCase& c, std::ostream* os) {
    *os << c.si << " " << c.option << " " << c.scaled;
}

class ApplySiNormalizationThreshold : public ::testing::TestWithParam<SiCase> {};

TEST_P(ApplySiNormalizationThreshold, ScalesOnlyAboveTheThresholdWithTheOption) {
    const SiCase& c = GetParam();
    AnalysisState state = StateWithSi(c.si, c.option);
    ApplySiNormalization(state);
    EXPECT_EQ(state.formula.siNormalized, c.scaled);
    if (c.scaled) {
        EXPECT_DOUBLE_EQ(state.formula.apfu[kSi], 3.0);
    } else {
        EXPECT_EQ(state.formula.apfu[kSi], c.si);
        EXPECT_EQ(state.formula.apfuTotal, 8.0);
        EXPECT_EQ(state.formula.siNormalizationFactor, 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplySiNormalizationThreshold,
                         ::testing::Values(SiCase{3.05, true, false}, SiCase{3.0500001, true, true},
                                           SiCase{3.2, false, false}, SiCase{2.9, true, false},
                                           SiCase{3.6, true, true}));

TEST(ApplySiNormalization, SeesTheOptionOfEachAnalysis) {
    AnalysisState state = StateWithSi(3.2, true);
    ApplySiNormalization(state);
    ASSERT_TRUE(state.formula.siNormalized);

    AnalysisState next = StateWithSi(3.2, false);
    next.formula.siNormalized = true;  // as a reused state might hold it
    next.formula.siNormalizationFactor = 0.5;
    ApplySiNormalization(next);
    EXPECT_FALSE(next.formula.siNormalized);
    EXPECT_EQ(next.formula.siNormalizationFactor, 1.0);
}

}  // namespace
}  // namespace stelvador
