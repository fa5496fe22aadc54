#include "calculation/classification/dominance_rule.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string_view>
#include <vector>

namespace stelvador {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct DominanceCase {
    std::string_view what;
    std::vector<double> contents;
    int dominant;
};

class DominanceRuleTest : public testing::TestWithParam<DominanceCase> {};

TEST_P(DominanceRuleTest, NamesOnlyAStrictlyLargestContent) {
    const DominanceCase& c = GetParam();
    EXPECT_EQ(DominantIndex(c.contents), c.dominant) << c.what;
}

// The rule as it is stated: a content is dominant when it is strictly greater than each other.
int PairwiseDominantIndex(const std::vector<double>& contents) {
    for (std::size_t i = 0; i < contents.size(); ++i) {
        bool greaterThanAll = true;
        for (std::size_t j = 0; j < contents.size(); ++j) {
            greaterThanAll = greaterThanAll && (j == i || contents[i] > contents[j]);
        }
        if (greaterThanAll) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(DominanceRule, AgreesWithThePairwiseRuleOnEveryCombination) {
    const std::array<double, 6> values = {-1.0, 0.0, 0.5, 1.0, 1e308, kNaN};
    for (std::size_t size = 1; size <= 4; ++size) {
        std::vector<std::size_t> digits(size, 0);
        for (;;) {
            std::vector<double> contents;
            for (const std::size_t d : digits) {
                contents.push_back(values[d]);
            }
            ASSERT_EQ(DominantIndex(contents), PairwiseDominantIndex(contents))
                << testing::PrintToString(contents);
            std::size_t k = 0;
            while (k < size && ++digits[k] == values.size()) {
                digits[k++] = 0;
            }
            if (k == size) {
                break;
            }
        }
    }
}

TEST(DominanceRule, TheTextNamesTheDominantContent) {
    static constexpr std::array<std::string_view, 3> kTexts = {"a", "b", "c"};
    EXPECT_EQ(DominantText(std::array{0.1, 0.7, 0.3}, kTexts), "b");
    EXPECT_EQ(DominantText(std::array{0.7, 0.7, 0.3}, kTexts), "");
    EXPECT_EQ(DominantText(std::array{0.0, 0.0, 0.0}, kTexts), "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DominanceRuleTest,
    testing::Values(DominanceCase{"first largest", {1.0, 0.0, 0.0}, 0},
                    DominanceCase{"last largest", {0.1, 0.2, 0.3}, 2},
                    DominanceCase{"middle largest", {0.1, 0.7, 0.3, 0.2}, 1},
                    DominanceCase{"two share the largest", {0.5, 0.5, 0.0}, -1},
                    DominanceCase{"first and last share the largest", {0.6, 0.1, 0.6}, -1},
                    DominanceCase{"all zero", {0.0, 0.0, 0.0, 0.0}, -1},
                    DominanceCase{"a smaller tie does not matter", {0.2, 0.2, 0.9}, 2},
                    DominanceCase{"no tolerance", {0.5, 0.5 + 1e-15}, 1},
                    DominanceCase{"negative contents compete", {-0.3, -0.1, -0.2}, 1},
                    DominanceCase{"one candidate", {0.0}, 0}, DominanceCase{"no candidate", {}, -1},
                    DominanceCase{"a NaN among them", {0.9, kNaN, 0.1}, -1},
                    DominanceCase{"a NaN first", {kNaN, 0.9, 0.1}, -1},
                    DominanceCase{"all NaN", {kNaN, kNaN}, -1},
                    DominanceCase{
                        "infinity wins", {std::numeric_limits<double>::infinity(), 1e308}, 0}));

}  // namespace
}  // namespace stelvador
