#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>

#include "analysis_input.h"
#include "calculation/formula/finite_or_nan.h"
#include "calculation/formula/molecular_weights.h"
#include "calculation/formula/ordered_sum.h"

namespace stelvador {
namespace {

using testing::AnalysisInput;

// The formula steps up to the cation normalization written out over all 42 constituents, every
// value computed for itself: what the steps that visit only the listed constituents must give to
// the bit.
FormulaValues WholeComputation(const FormulaValues& read) {
    FormulaValues f = read;
    for (int i = 0; i < kOxideCount; ++i) {
        f.molecularProportion[i] = f.weightPercent[i] / kMolecularWeights[i];
    }
    f.oxygenEquivalentF = FiniteOrNaN(f.weightPercent[kF] * (16.0 / 37.996806));
    f.oxygenEquivalentCl = FiniteOrNaN(f.weightPercent[kCl] * (16.0 / 70.9054));
    double total = OrderedSum(f.weightPercent);
    total -= f.oxygenEquivalentF;
    total -= f.oxygenEquivalentCl;
    f.analyticalTotal = FiniteOrNaN(total);
    for (int i = 0; i < kOxideCount; ++i) {
        f.cationProportion[i] = f.molecularProportion[i] * kCationsPerFormula[i];
    }
    for (int i = 0; i < kOxideOnlyCount; ++i) {
        f.oxygenProportion[i] = f.molecularProportion[i] * kOxygensPerFormula[i];
    }
    f.oxygenSum = OrderedSum(f.oxygenProportion);
    f.oxygenFactor = FiniteOrNaN(12.5 / f.oxygenSum);
    for (int i = 0; i < kOxideCount; ++i) {
        f.cationsPerOxygenBasis[i] = FiniteOrNaN(f.cationProportion[i] * f.oxygenFactor);
    }
    f.cationSum = OrderedSum(f.cationsPerOxygenBasis, kOxideOnlyCount);
    for (int i = 0; i < kOxideCount; ++i) {
        f.apfu[i] = FiniteOrNaN((8.0 * f.cationsPerOxygenBasis[i]) / f.cationSum);
    }
    f.apfuTotal = OrderedSum(f.apfu, kOxideOnlyCount);
    return f;
}

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

void ExpectSameBits(const ConstituentValues& actual, const ConstituentValues& expected,
                    const char* what) {
    for (int i = 0; i < kOxideCount; ++i) {
        EXPECT_EQ(Bits(actual[i]), Bits(expected[i])) << what << " " << kOxideList[i];
    }
}

struct ListedCase {
    const char* name;
    AnalysisInput input;
};

void PrintTo(const ListedCase& c, std::ostream* out) {
    *out << c.name;
}

class ListedConstituents : public ::testing::TestWithParam<ListedCase> {};

// Zeros of either sign (a negative oxygen sum turns the zeros of the absent constituents into
// -0), no oxygen basis (NaN everywhere), values beyond range and only F, Cl and H2O: every
// per-constituent value and every sum is the one the whole computation gives.
TEST_P(ListedConstituents, GiveEveryValueOfTheWholeComputation) {
    AnalysisState state;
    ReadAnalysis(state, "x", GetParam().input.views());
    const FormulaValues expected = WholeComputation(state.formula);
    ComputeOxideTotal(state);
    NormalizeToOxygens(state);
    NormalizeToCations(state);
    const FormulaValues& f = state.formula;
    ExpectSameBits(f.molecularProportion, expected.molecularProportion, "molecular proportion");
    ExpectSameBits(f.cationProportion, expected.cationProportion, "cation proportion");
    ExpectSameBits(f.cationsPerOxygenBasis, expected.cationsPerOxygenBasis, "per 12.5 O");
    ExpectSameBits(f.apfu, expected.apfu, "apfu");
    for (int i = 0; i < kOxideOnlyCount; ++i) {
        EXPECT_EQ(Bits(f.oxygenProportion[i]), Bits(expected.oxygenProportion[i])) << i;
    }
    EXPECT_EQ(Bits(f.analyticalTotal), Bits(expected.analyticalTotal));
    EXPECT_EQ(Bits(f.oxygenSum), Bits(expected.oxygenSum));
    EXPECT_EQ(Bits(f.oxygenFactor), Bits(expected.oxygenFactor));
    EXPECT_EQ(Bits(f.cationSum), Bits(expected.cationSum));
    EXPECT_EQ(Bits(f.apfuTotal), Bits(expected.apfuTotal));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListedConstituents,
    ::testing::Values(
        ListedCase{"Epidote", testing::EpidoteInput()}, ListedCase{"Empty", AnalysisInput{}},
        ListedCase{"ZeroTexts", AnalysisInput{{kSi, "0"}, {kAl, "-0"}, {kCa, "0.000"}}},
        ListedCase{"NegativeZeroBeside",
                   AnalysisInput{{kSi, "37.5"}, {kAl, "-0"}, {kF, "-0"}, {kCa, "23"}}},
        ListedCase{"NegativeOxygenSum", AnalysisInput{{kSi, "-37.5"}, {kCa, "-23"}, {kH, "2"}}},
        ListedCase{"NegativeCationSum", AnalysisInput{{kSi, "-37.5"}, {kAl, "80"}, {kNa, "-40"}}},
        ListedCase{"OnlyHalogensAndWater", AnalysisInput{{kF, "1.2"}, {kCl, "0.4"}, {kH, "1.9"}}},
        ListedCase{"BeyondRange", AnalysisInput{{kSi, "37.5"}, {kAl, "9e999"}, {kCa, "23"}}},
        ListedCase{"Overflowing", AnalysisInput{{kSi, "1.7e308"}, {kAl, "1.7e308"}}},
        ListedCase{"Tiny", AnalysisInput{{kSi, "1e-320"}, {kLu, "4.9e-324"}, {kCa, "1e-300"}}},
        ListedCase{"Letters", AnalysisInput{{kSi, "abc"}, {kAl, "24"}, {kCa, "x1"}}}),
    [](const ::testing::TestParamInfo<ListedCase>& info) { return std::string(info.param.name); });

// The list holds exactly the constituents read as anything but +0, in oxide-list order, the 39
// oxides' ones first; reading again replaces it.
TEST(ListedConstituentsRead, HoldsTheConstituentsNotReadAsPositiveZero) {
    AnalysisState state;
    ReadAnalysis(state, "a", testing::EpidoteInput().views());
    ReadAnalysis(
        state, "b",
        AnalysisInput{{kAl, "-0"}, {kMg, "3"}, {kCa, "0"}, {kY, "9e999"}, {kH, "2"}}.views());
    const FormulaValues& f = state.formula;
    ASSERT_EQ(f.listedCount, 4);
    EXPECT_EQ(f.listedOxideCount, 3);
    EXPECT_EQ(f.listed[0], kAl);
    EXPECT_EQ(f.listed[1], kMg);
    EXPECT_EQ(f.listed[2], kY);
    EXPECT_EQ(f.listed[3], kH);
}

}  // namespace
}  // namespace stelvador
