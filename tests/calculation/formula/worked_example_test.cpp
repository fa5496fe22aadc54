#include <gtest/gtest.h>

#include "analysis_input.h"
#include "calculation/formula/molecular_weights.h"

namespace stelvador {
namespace {

using testing::EpidoteInput;
using testing::RunFormulaSteps;

TEST(FormulaWorkedExample, MatchesPublishedDigits) {
    AnalysisState state;
    RunFormulaSteps(state, EpidoteInput());
    const FormulaValues& f = state.formula;

    EXPECT_NEAR(f.analyticalTotal, 97.90, 0.005);
    EXPECT_NEAR(f.oxygenSum, 2.524612, 0.0000005);
    EXPECT_NEAR(f.cationSum, 8.244363, 0.0000005);
    EXPECT_NEAR(f.ferricEstimate, 0.741001, 0.0000005);
    EXPECT_NEAR(f.apfu[kSi], 2.9986, 0.00005);
    EXPECT_NEAR(f.apfu[kAl], 2.2618, 0.00005);
    EXPECT_NEAR(f.apfu[kFe3], 0.7410, 0.00005);
    EXPECT_NEAR(f.apfu[kFe2], 0.0280, 0.00005);
    EXPECT_NEAR(f.apfu[kCa], 1.9706, 0.00005);
    EXPECT_NEAR(f.apfu[kH], 1.0134, 0.00005);
    EXPECT_NEAR(f.apfuTotal, 8.0000, 0.00005);
}

TEST(FormulaWorkedExample, IntermediateValuesFollowTheirDefinitions) {
    AnalysisState state;
    RunFormulaSteps(state, EpidoteInput());
    const FormulaValues& f = state.formula;

    EXPECT_EQ(f.sampleName, "sample");
    EXPECT_DOUBLE_EQ(f.weightPercent[kSi], 37.5);
    EXPECT_DOUBLE_EQ(f.molecularProportion[kSi], 37.5 / 60.0843);
    EXPECT_DOUBLE_EQ(f.cationProportion[kAl], 24.0 / 101.96128 * 2);
    EXPECT_DOUBLE_EQ(f.oxygenProportion[kAl], 24.0 / 101.96128 * 3);
    EXPECT_DOUBLE_EQ(f.cationProportion[kH], 1.9 / 18.01528 * 2);
    EXPECT_DOUBLE_EQ(f.oxygenFactor, 12.5 / f.oxygenSum);
    EXPECT_DOUBLE_EQ(f.cationsPerOxygenBasis[kH], f.cationProportion[kH] * f.oxygenFactor);
    // The estimate came out of the Fe2+ of the analysis; the iron total is unchanged.
    EXPECT_NEAR(f.apfu[kFe3] + f.apfu[kFe2], 8.0 * f.cationsPerOxygenBasis[kFe2] / f.cationSum,
                1e-12);
    EXPECT_DOUBLE_EQ(f.totalIron, f.apfu[kFe3] + f.apfu[kFe2]);
    EXPECT_FALSE(f.siNormalized);
}

TEST(MolecularWeights, HolmiumAndYtterbiumOxidesFromStandardAtomicWeights) {
    constexpr double oxygen = 15.9994;
    EXPECT_NEAR(kConstituentFormulas[kHo].molecularWeight, 2 * 164.93032 + 3 * oxygen, 1e-9);
    EXPECT_NEAR(kConstituentFormulas[kYb].molecularWeight, 2 * 173.054 + 3 * oxygen, 1e-9);
}

TEST(MolecularWeights, HalogensAndWaterCarryNoOxygens) {
    for (const Constituent c : {kF, kCl, kH}) {
        EXPECT_EQ(kConstituentFormulas[c].oxygens, 0);
    }
    EXPECT_EQ(kConstituentFormulas[kH].cations, 2);
    EXPECT_EQ(kConstituentFormulas[kNa].cations, 2);
    EXPECT_EQ(kConstituentFormulas[kP].oxygens, 5);
}

}  // namespace
}  // namespace stelvador
