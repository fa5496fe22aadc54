#include <gtest/gtest.h>

#include <ostream>

#include "site_state.h"

namespace stelvador {
namespace {

using testing::StateWithApfu;

struct TCase {
    double si;
    double al;
    double alIV;
    double total;
};

void PrintTo(const TCase& c, std::ostream* os) {
    *os << c.si << " " << c.al << " " << c.alIV << " " << c.total;
}

class AllocateTSiteCase : public ::testing::TestWithParam<TCase> {};

TEST_P(AllocateTSiteCase, FillsTWithSiThenAl) {
    const TCase& c = GetParam();
    AnalysisState state = StateWithApfu({{kSi, c.si}, {kAl, c.al}});
    AllocateTSite(state);
    EXPECT_DOUBLE_EQ(state.sites.t.si, c.si);
    EXPECT_NEAR(state.sites.t.alIV, c.alIV, 1e-15);
    EXPECT_NEAR(state.sites.t.total, c.total, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(Cases, AllocateTSiteCase,
                         ::testing::Values(TCase{3.0, 2.0, 0.0, 3.0}, TCase{2.9, 0.05, 0.05, 2.95},
                                           TCase{2.9, 2.0, 0.1, 3.0}, TCase{3.1, 2.0, 0.0, 3.1},
                                           TCase{2.5, 0.5, 0.5, 3.0},  // Si + Al exactly 3
                                           TCase{2.9, -0.2, -0.2, 2.7}));

TEST(AllocateTSite, FormsTheReeYSumInItsOrder) {
    AnalysisState state = StateWithApfu(
        {{kLa, 0.1}, {kCe, 0.2}, {kNd, 0.05}, {kLu, 0.01}, {kY, 0.03}, {kTh, 0.5}, {kU, 0.4}});
    AllocateTSite(state);
    EXPECT_DOUBLE_EQ(state.sites.reeYSum, 0.1 + 0.2 + 0.05 + 0.01 + 0.03);
}

struct FerricCase {
    double si;
    double al;
    double fe3;
    double fe3After;
};

void PrintTo(const FerricCase& c, std::ostream* os) {
    *os << c.si << " " << c.al << " " << c.fe3 << " " << c.fe3After;
}

class AdjustFerricForM2Case : public ::testing::TestWithParam<FerricCase> {};

TEST_P(AdjustFerricForM2Case, LowersFe3ByTheM2Deficit) {
    const FerricCase& c = GetParam();
    AnalysisState state = StateWithApfu({{kSi, c.si}, {kAl, c.al}, {kFe3, c.fe3}});
    AllocateTSite(state);
    AdjustFerricForM2(state);
    EXPECT_NEAR(state.formula.apfu[kFe3], c.fe3After, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdjustFerricForM2Case,
                         ::testing::Values(FerricCase{3.0, 0.8, 1.0, 0.8},
                                           FerricCase{2.9, 1.0, 1.0, 0.9},
                                           FerricCase{3.0, 0.2, 0.5, 0.0},  // not -0.3
                                           FerricCase{3.0, 1.0, 0.7, 0.7},  // Al(VI) exactly 1
                                           FerricCase{3.0, 0.5, 0.0, 0.0},  // no Fe3+
                                           FerricCase{2.5, 0.4, 1.5, 0.5},  // all Al at T
                                           FerricCase{2.5, 0.4, 0.7, 0.0},
                                           FerricCase{3.0, 2.2, 0.8, 0.8},
                                           FerricCase{3.0, 0.5, -0.2, 0.0}));

TEST(AdjustFerricForM2, RecordsTheDeficitOnlyWhenItApplies) {
    AnalysisState state = StateWithApfu({{kSi, 3.0}, {kAl, 0.8}, {kFe3, 1.0}});
    AllocateTSite(state);
    AdjustFerricForM2(state);
    EXPECT_NEAR(state.sites.m2Deficit, 0.2, 1e-15);

    state.formula.apfu[kAl] = 2.0;
    AdjustFerricForM2(state);
    EXPECT_EQ(state.sites.m2Deficit, 0.0);
}

}  // namespace
}  // namespace stelvador
