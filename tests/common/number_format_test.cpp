#include "common/number_format.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace stelvador {
namespace {

struct FormatCase {
    double value;
    const char* expected;
};

class NumberFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(NumberFormat, ShowsThreeDecimalsWithThousandsSeparators) {
    EXPECT_EQ(FormatNumber(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberFormat,
    ::testing::Values(
        FormatCase{1234.5678, "1,234.568"}, FormatCase{-0.25, "-0.250"},
        FormatCase{0.0004, "0.000"}, FormatCase{-0.0004, "0.000"}, FormatCase{0.0, "0.000"},
        FormatCase{-0.0, "0.000"}, FormatCase{0.0005, "0.001"}, FormatCase{-0.0005, "-0.001"},
        FormatCase{1.0005, "1.001"}, FormatCase{2.0625, "2.063"}, FormatCase{-2.0625, "-2.063"},
        FormatCase{0.9995, "1.000"}, FormatCase{999.9995, "1,000.000"}, FormatCase{8.0, "8.000"},
        FormatCase{2.998612, "2.999"}, FormatCase{123456789.0, "123,456,789.000"},
        FormatCase{1000000.0, "1,000,000.000"}, FormatCase{100.0, "100.000"},
        FormatCase{1e20, "100,000,000,000,000,000,000.000"},
        FormatCase{-1234567.8915, "-1,234,567.892"}, FormatCase{0.00049999, "0.000"}));

TEST(NumberFormatLimits, NonFiniteValuesGiveTheEmptyText) {
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(FormatNumber(-std::numeric_limits<double>::infinity()), "");
    EXPECT_EQ(FormatNumber(std::nan("")), "");
}

TEST(NumberFormatLimits, LargestDoubleKeepsEveryDigit) {
    const std::string text = FormatNumber(1e308);
    EXPECT_EQ(text.substr(0, 4), "100,");
    EXPECT_EQ(text.substr(text.size() - 4), ".000");
    EXPECT_EQ(text.size(), 309u + 102u + 4u);
}

TEST(NumberFormatLimits, IgnoresTheLocale) {
    const char* previous = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(FormatNumber(1234.5678), "1,234.568");
    if (previous != nullptr) {
        std::setlocale(LC_ALL, "C");
    }
}

TEST(NumberFormatCells, WritesTheUsualCells) {
    const FormatCase cases[] = {
        {1.5, "1.500"},       {-0.25, "-0.250"},     {0.0004, "0.000"},       {-0.0004, "0.000"},
        {999.998, "999.998"}, {123.4567, "123.457"}, {-99.99951, "-100.000"}, {0.0, "0.000"},
        {-0.0, "0.000"},      {5e-324, "0.000"},     {0.9996, "1.000"},       {10.0, "10.000"}};
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace stelvador
