#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <cmath>
#include <cstring>
#include <string>

#include "../formula/analysis_input.h"
#include "site_state.h"

namespace stelvador {
namespace {

using testing::AnalysisInput;
using testing::EpidoteInput;
using testing::RunFormulaSteps;
using testing::RunSiteSteps;

constexpr std::size_t kSiteValueCount = sizeof(SiteContents) / sizeof(double);
static_assert(sizeof(SiteContents) == kSiteValueCount * sizeof(double),
              "SiteContents holds doubles only");

std::array<double, kSiteValueCount> SiteValues(const SiteContents& sites) {
    std::array<double, kSiteValueCount> values{};
    std::memcpy(values.data(), &sites, sizeof(SiteContents));
    return values;
}

AnalysisState Calculate(const AnalysisInput& input, bool siNormalization = false) {
    AnalysisState state;
    state.siNormalization = siNormalization;
    RunFormulaSteps(state, input);
    RunSiteSteps(state);
    return state;
}

TEST(SiteChain, EpidoteAnalysis) {
    const AnalysisState state = Calculate(EpidoteInput());
    const SiteContents& s = state.sites;
    const ConstituentValues& apfu = state.formula.apfu;
    // Si 2.9986 and Al 2.2618: T takes 0.0014 Al, the rest is Al(VI) above 1.
    EXPECT_NEAR(s.t.alIV, 3.0 - apfu[kSi], 1e-12);
    EXPECT_NEAR(s.t.total, 3.0, 1e-12);
    EXPECT_NEAR(s.m.alVI, 2.2604, 0.00005);
    EXPECT_NEAR(s.m.fe3, 0.7396, 0.00005);  // fills M to 3
    EXPECT_NEAR(s.m.total, 3.0, 1e-12);
    EXPECT_NEAR(s.a.fe2, 0.0280, 0.00005);
    EXPECT_NEAR(s.a1.ca, 1.0 - s.a.fe2, 1e-12);
    EXPECT_NEAR(s.a2.ca, apfu[kCa] - s.a1.ca, 1e-12);
    EXPECT_NEAR(s.m3.fe3, 0.7396, 0.00005);
    EXPECT_NEAR(s.m3.total, 1.0, 1e-12);
    EXPECT_EQ(state.ions.M2, "Al");
}

struct DegenerateCase {
    std::string name;
    AnalysisInput input;
    bool formed;
};

void PrintTo(const DegenerateCase& c, std::ostream* os) {
    *os << c.name;
}

class DegenerateAnalysis : public ::testing::TestWithParam<DegenerateCase> {};

AnalysisInput Everywhere(const std::string& text) {
    AnalysisInput input{};
    input.texts.fill(text);
    return input;
}

// No site content is ever infinite; without apfu values there are no site contents either.
TEST_P(DegenerateAnalysis, GivesNoInfiniteSiteContent) {
    const DegenerateCase& c = GetParam();
    for (const bool option : {false, true}) {
        const AnalysisState state = Calculate(c.input, option);
        for (const double value : SiteValues(state.sites)) {
            EXPECT_FALSE(std::isinf(value));
        }
        const SiteContents& s = state.sites;
        for (const double value : {s.t.si, s.t.total, s.m.total, s.a.total, s.a1.total, s.m3.total,
                                   s.m3TrivalentSum, s.a2DivalentSum}) {
            EXPECT_EQ(std::isnan(value), !c.formed) << c.name;
        }
        if (!c.formed) {
            EXPECT_EQ(state.ions.M2, "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DegenerateAnalysis,
    ::testing::Values(
        DegenerateCase{"AllEmpty", AnalysisInput{}, false},
        DegenerateCase{"Letters", Everywhere("n.d."), false},
        DegenerateCase{"OnlyWater", AnalysisInput{{kH, "1.9"}}, false},
        DegenerateCase{"BeyondRange", AnalysisInput{{kSi, "37.5"}, {kCa, "1e999"}}, false},
        DegenerateCase{"HugeEverywhere", Everywhere("1e308"), true},
        DegenerateCase{"NegativeEverywhere", Everywhere("-3"), true},
        DegenerateCase{"NegativeLargeCations",
                       AnalysisInput{{kSi, "37.5"}, {kAl, "24"}, {kCa, "-23"}}, true},
        DegenerateCase{"Mn2O3OnlyHuge",
                       AnalysisInput{{kSi, "1e-300"}, {kMn3, "1e308"}, {kMg, "-1e308"}}, true}),
    [](const auto& info) { return info.param.name; });

TEST(FreshStatePerAnalysis, SiteStepsOnAReusedStateGiveWhatAFreshStateGives) {
    const AnalysisInput inputs[] = {
        AnalysisInput{}, AnalysisInput{{kSi, "37.5"}, {kAl, "1e999"}},
        AnalysisInput{{kSi, "36"}, {kAl, "20"}, {kMn3, "8"}, {kCa, "20"}, {kCe, "3"}},
        AnalysisInput{{kSi, "37.5"}, {kAl, "24"}, {kFe3, "12"}, {kMg, "13"}}};
    const AnalysisInput earlier[] = {
        EpidoteInput(),
        AnalysisInput{{kSi, "33"}, {kAl, "16"}, {kMn3, "6"}, {kCa, "11"}, {kLa, "9"}, {kFe2, "9"}}};
    for (const AnalysisInput& first : earlier) {
        for (const AnalysisInput& next : inputs) {
            AnalysisState reused;
            RunFormulaSteps(reused, first);
            RunSiteSteps(reused);
            RunFormulaSteps(reused, next);
            RunSiteSteps(reused);

            const AnalysisState fresh = Calculate(next);
            const auto a = SiteValues(reused.sites);
            const auto b = SiteValues(fresh.sites);
            for (std::size_t i = 0; i < kSiteValueCount; ++i) {
                EXPECT_TRUE((std::isnan(a[i]) && std::isnan(b[i])) || a[i] == b[i]) << i;
            }
            EXPECT_EQ(reused.ions.M2, fresh.ions.M2);
        }
    }
}

}  // namespace
}  // namespace stelvador
