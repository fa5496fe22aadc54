#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <string>

#include "analysis_input.h"

namespace stelvador {
namespace {

using testing::AnalysisInput;

struct CellCase {
    std::string text;
    double expected;  // NaN: the number cannot be held
};

void PrintTo(const CellCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" -> " << c.expected;
}

class ReadAnalysisCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(ReadAnalysisCell, ConvertsTheCellText) {
    const CellCase& c = GetParam();
    AnalysisState state;
    ReadAnalysis(state, "x", AnalysisInput{{kCa, c.text}}.views());
    const double wt = state.formula.weightPercent[kCa];
    if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::isnan(wt));
        EXPECT_TRUE(std::isnan(state.formula.molecularProportion[kCa]));
    } else {
        EXPECT_DOUBLE_EQ(wt, c.expected);
        EXPECT_DOUBLE_EQ(state.formula.molecularProportion[kCa], c.expected / 56.0774);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadAnalysisCell,
    ::testing::Values(CellCase{"", 0.0}, CellCase{"23.00", 23.0}, CellCase{"12,5", 12.0},
                      CellCase{" 1.5E1", 15.0}, CellCase{"abc", 0.0}, CellCase{"-2.5", -2.5},
                      CellCase{"1e308", 1e308}, CellCase{"1e999", std::nan("")},
                      CellCase{"-1e999", std::nan("")}, CellCase{"1e-999", 0.0}));

TEST(ReadAnalysis, KeepsTheSampleNameAndReadsEveryColumnInOrder) {
    AnalysisInput input{};
    for (int i = 0; i < kOxideCount; ++i) {
        input.texts[i] = std::to_string(i + 1);
    }
    AnalysisState state;
    ReadAnalysis(state, " Ep 12/a ", input.views());
    EXPECT_EQ(state.formula.sampleName, " Ep 12/a ");
    for (int i = 0; i < kOxideCount; ++i) {
        EXPECT_DOUBLE_EQ(state.formula.weightPercent[i], i + 1.0) << i;
    }
}

TEST(ReadAnalysis, ReadingAgainReplacesEveryValue) {
    AnalysisState state;
    ReadAnalysis(state, "a long sample name beyond the short-text size",
                 testing::EpidoteInput().views());
    ReadAnalysis(state, "b", AnalysisInput{{kMg, "3"}}.views());
    EXPECT_EQ(state.formula.sampleName, "b");
    EXPECT_EQ(state.formula.weightPercent[kSi], 0.0);
    EXPECT_EQ(state.formula.molecularProportion[kCa], 0.0);
    EXPECT_EQ(state.formula.weightPercent[kMg], 3.0);
}

TEST(ComputeOxideTotal, SubtractsTheOxygenEquivalentsOfFluorineAndChlorine) {
    AnalysisState state;
    ReadAnalysis(state, "x",
                 AnalysisInput{{kSi, "37.5"}, {kF, "1.2"}, {kCl, "0.4"}, {kH, "1.9"}}.views());
    ComputeOxideTotal(state);
    const FormulaValues& f = state.formula;
    EXPECT_DOUBLE_EQ(f.oxygenEquivalentF, 1.2 * (16 / 37.996806));
    EXPECT_DOUBLE_EQ(f.oxygenEquivalentCl, 0.4 * (16 / 70.9054));
    EXPECT_DOUBLE_EQ(f.analyticalTotal,
                     37.5 + 1.2 + 0.4 + 1.9 - f.oxygenEquivalentF - f.oxygenEquivalentCl);
}

TEST(ComputeOxideTotal, AValueBeyondRangeLeavesNoTotal) {
    AnalysisState state;
    ReadAnalysis(state, "x", AnalysisInput{{kSi, "37.5"}, {kAl, "9e999"}}.views());
    ComputeOxideTotal(state);
    EXPECT_TRUE(std::isnan(state.formula.analyticalTotal));
}

TEST(ComputeOxideTotal, AnOverflowingSumIsNoNumberRatherThanInfinite) {
    AnalysisState state;
    ReadAnalysis(state, "x", AnalysisInput{{kSi, "1.7e308"}, {kAl, "1.7e308"}}.views());
    ComputeOxideTotal(state);
    EXPECT_TRUE(std::isnan(state.formula.analyticalTotal));
}

}  // namespace
}  // namespace stelvador
