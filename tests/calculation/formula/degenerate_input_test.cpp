#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <string>

#include "analysis_input.h"

namespace stelvador {
namespace {

using testing::AnalysisInput;
using testing::EpidoteInput;
using testing::RunFormulaSteps;

// Every computed value is a finite number or NaN; none is infinite.
void ExpectNoInfinity(const FormulaValues& f) {
    const auto check = [](double v, const std::string& what) {
        EXPECT_FALSE(std::isinf(v)) << what;
    };
    for (int i = 0; i < kOxideCount; ++i) {
        const std::string at = std::string(kOxideList[i]);
        check(f.weightPercent[i], "wt% " + at);
        check(f.molecularProportion[i], "molecular proportion " + at);
        check(f.cationProportion[i], "cation proportion " + at);
        check(f.cationsPerOxygenBasis[i], "cations per 12.5 oxygens " + at);
        check(f.apfu[i], "apfu " + at);
    }
    for (int i = 0; i < kOxideOnlyCount; ++i) {
        check(f.oxygenProportion[i], "oxygen proportion " + std::string(kOxideList[i]));
    }
    check(f.oxygenEquivalentF, "O=F");
    check(f.oxygenEquivalentCl, "O=Cl");
    check(f.analyticalTotal, "total");
    check(f.oxygenSum, "oxygen sum");
    check(f.oxygenFactor, "oxygen factor");
    check(f.cationSum, "cation sum");
    check(f.apfuTotal, "apfu total");
    check(f.ferricEstimate, "ferric estimate");
    check(f.totalIron, "total iron");
}

void ExpectAllApfuNaN(const FormulaValues& f) {
    for (int i = 0; i < kOxideCount; ++i) {
        EXPECT_TRUE(std::isnan(f.apfu[i])) << kOxideList[i];
    }
    EXPECT_TRUE(std::isnan(f.apfuTotal));
}

struct NoBasisCase {
    std::string name;
    AnalysisInput input;
};

void PrintTo(const NoBasisCase& c, std::ostream* os) {
    *os << c.name;
}

class AnalysisWithoutOxygenBasis : public ::testing::TestWithParam<NoBasisCase> {};

// An analysis whose 39 oxides are all 0 has no oxygen basis: no apfu value can be formed.
TEST_P(AnalysisWithoutOxygenBasis, GivesNoApfuValues) {
    AnalysisState state;
    RunFormulaSteps(state, GetParam().input);
    const FormulaValues& f = state.formula;
    EXPECT_EQ(f.oxygenSum, 0.0);
    EXPECT_TRUE(std::isnan(f.oxygenFactor));
    EXPECT_TRUE(std::isnan(f.cationSum));
    ExpectAllApfuNaN(f);
    EXPECT_FALSE(std::isnan(f.analyticalTotal));
    ExpectNoInfinity(f);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AnalysisWithoutOxygenBasis,
    ::testing::Values(NoBasisCase{"AllEmpty", AnalysisInput{}},
                      NoBasisCase{"AllZero", AnalysisInput{{kSi, "0"}, {kAl, "0.0"}, {kCa, "0"}}},
                      NoBasisCase{"LettersOnly", AnalysisInput{{kSi, "abc"}, {kCa, "n.d."}}},
                      NoBasisCase{"OnlyWaterAndHalogens",
                                  AnalysisInput{{kF, "0.5"}, {kCl, "0.2"}, {kH, "1.9"}}}),
    [](const auto& info) { return info.param.name; });

TEST(AnalysisWithoutOxygenBasis, KeepsItsOwnAnalyticalTotal) {
    AnalysisState state;
    RunFormulaSteps(state, AnalysisInput{{kF, "0.5"}, {kH, "1.9"}});
    EXPECT_NEAR(state.formula.analyticalTotal, 2.4 - 0.5 * (16 / 37.996806), 1e-12);
}

struct ExtremeCase {
    std::string name;
    AnalysisInput input;
    bool apfuFormed;
};

void PrintTo(const ExtremeCase& c, std::ostream* os) {
    *os << c.name;
}

class ExtremeAnalysis : public ::testing::TestWithParam<ExtremeCase> {};

TEST_P(ExtremeAnalysis, NeverGivesAnInfiniteValue) {
    AnalysisState state;
    state.siNormalization = true;
    RunFormulaSteps(state, GetParam().input);
    ExpectNoInfinity(state.formula);
    EXPECT_EQ(std::isnan(state.formula.apfu[kSi]), !GetParam().apfuFormed);
}

AnalysisInput Everywhere(const std::string& text) {
    AnalysisInput input{};
    input.texts.fill(text);
    return input;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExtremeAnalysis,
    ::testing::Values(
        ExtremeCase{"BeyondRange", AnalysisInput{{kSi, "37.5"}, {kAl, "1e400"}}, false},
        ExtremeCase{"HugeEverywhere", Everywhere("1e308"), true},
        ExtremeCase{"HugeSilica", AnalysisInput{{kSi, "1e308"}, {kAl, "24"}}, true},
        ExtremeCase{"TinyEverywhere", Everywhere("4.9e-324"), false},
        ExtremeCase{"NegativeEverywhere", Everywhere("-5"), true},
        ExtremeCase{"NegativeSilica", AnalysisInput{{kSi, "-37.5"}, {kAl, "24"}, {kFe2, "11.5"}},
                    true},
        // The oxygens of SiO2 and CaO cancel, so there is no oxygen basis.
        ExtremeCase{"CancellingOxygens",
                    AnalysisInput{{kSi, "60.0843"}, {kCa, "-112.1548"}, {kFe2, "0"}}, false},
        // The cations cancel while the oxygens do not: the cation sum is 0.
        ExtremeCase{"CancellingCations", AnalysisInput{{kSi, "60.0843"}, {kMg, "-40.3044"}},
                    false}),
    [](const auto& info) { return info.param.name; });

TEST(ExtremeAnalysis, NegativeValuesAreCalculatedAsGiven) {
    AnalysisState state;
    RunFormulaSteps(state, AnalysisInput{{kSi, "37.5"}, {kAl, "24"}, {kMg, "-1"}});
    const FormulaValues& f = state.formula;
    EXPECT_LT(f.apfu[kMg], 0.0);
    EXPECT_NEAR(f.apfuTotal, 8.0, 1e-12);
}

// Steps run on a state that held another analysis give what a fresh state gives: no value of an
// earlier analysis survives, not even where a value cannot be formed.
TEST(FreshStatePerAnalysis, AReusedStateHoldsNothingOfTheEarlierAnalysis) {
    const AnalysisInput inputs[] = {AnalysisInput{}, AnalysisInput{{kSi, "38"}, {kAl, "1e999"}},
                                    AnalysisInput{{kSi, "37.5"}, {kFe3, "12"}, {kCa, "23"}},
                                    AnalysisInput{{kH, "1.9"}}};
    for (const AnalysisInput& next : inputs) {
        AnalysisState reused;
        reused.siNormalization = true;
        RunFormulaSteps(reused, EpidoteInput());
        RunFormulaSteps(reused, next);

        AnalysisState fresh;
        fresh.siNormalization = true;
        RunFormulaSteps(fresh, next);

        const auto same = [](double a, double b) {
            return (std::isnan(a) && std::isnan(b)) || a == b;
        };
        for (int i = 0; i < kOxideCount; ++i) {
            EXPECT_TRUE(same(reused.formula.apfu[i], fresh.formula.apfu[i])) << kOxideList[i];
            EXPECT_TRUE(same(reused.formula.weightPercent[i], fresh.formula.weightPercent[i]));
        }
        EXPECT_TRUE(same(reused.formula.oxygenFactor, fresh.formula.oxygenFactor));
        EXPECT_TRUE(same(reused.formula.analyticalTotal, fresh.formula.analyticalTotal));
        EXPECT_TRUE(same(reused.formula.ferricEstimate, fresh.formula.ferricEstimate));
        EXPECT_TRUE(same(reused.formula.apfuTotal, fresh.formula.apfuTotal));
    }
}

TEST(NormalizeToCations, TheCationValuesAddUpToEight) {
    AnalysisState state;
    RunFormulaSteps(state, AnalysisInput{{kSi, "37.1"},
                                         {kTi, "0.3"},
                                         {kAl, "22.4"},
                                         {kFe3, "13.2"},
                                         {kMn2, "0.2"},
                                         {kCa, "23.1"},
                                         {kNa, "0.05"},
                                         {kCe, "0.4"},
                                         {kF, "0.1"},
                                         {kH, "1.9"}});
    EXPECT_NEAR(state.formula.apfuTotal, 8.0, 1e-12);
    EXPECT_DOUBLE_EQ(state.formula.apfu[kF],
                     8.0 * state.formula.cationsPerOxygenBasis[kF] / state.formula.cationSum);
}

}  // namespace
}  // namespace stelvador
