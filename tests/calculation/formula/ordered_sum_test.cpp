#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "calculation/formula/ordered_sum.h"

namespace stelvador {
namespace {

double NaiveSum(const std::array<double, 42>& values, std::size_t count) {
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        sum += values[i];
    }
    return sum;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Zero terms, signed zeros and cancellations give the plain left-to-right sum to the last bit.
TEST(OrderedSum, EqualsTheLeftToRightSumBitForBit) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> magnitude(-300.0, 300.0);
    std::uniform_int_distribution<int> kind(0, 5);
    for (int trial = 0; trial < 2000; ++trial) {
        std::array<double, 42> values{};
        for (double& v : values) {
            switch (kind(random)) {
                case 0:
                case 1:
                    v = 0.0;
                    break;
                case 2:
                    v = -0.0;
                    break;
                case 3:
                    v = magnitude(random) * 1e-3;
                    break;
                default:
                    v = magnitude(random);
            }
        }
        for (const std::size_t count : {std::size_t{39}, std::size_t{42}}) {
            EXPECT_TRUE(SameBits(OrderedSum(values, count), NaiveSum(values, count)));
        }
    }
}

TEST(OrderedSum, KeepsNoNumberAndTurnsOverflowIntoIt) {
    std::array<double, 42> values{};
    values[3] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(OrderedSum(values)));
    values[3] = 1.7e308;
    values[40] = 1.7e308;
    EXPECT_TRUE(std::isnan(OrderedSum(values)));
    EXPECT_EQ(OrderedSum(values, 39), 1.7e308);
}

TEST(OrderedSum, CancellingTermsGiveZero) {
    std::array<double, 42> values{};
    values[0] = 0.1;
    values[5] = -0.1;
    EXPECT_EQ(OrderedSum(values), 0.0);
    EXPECT_FALSE(std::signbit(OrderedSum(values)));
}

}  // namespace
}  // namespace stelvador
