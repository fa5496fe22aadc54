#include "common/number_conversion.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/run_time_error.h"

namespace stelvador {
namespace {

struct ConversionCase {
    const char* text;
    double expected;
};

class CellTextConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(CellTextConversion, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(ConvertCellText(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CellTextConversion,
    ::testing::Values(
        ConversionCase{"37.50", 37.5}, ConversionCase{"", 0.0}, ConversionCase{"12,5", 12.0},
        ConversionCase{" 1.5E1", 15.0}, ConversionCase{"abc", 0.0}, ConversionCase{"nan", 0.0},
        ConversionCase{"inf", 0.0}, ConversionCase{"0x10", 0.0}, ConversionCase{"-0.25", -0.25},
        ConversionCase{"+.5", 0.5}, ConversionCase{".", 0.0}, ConversionCase{"-", 0.0},
        ConversionCase{"1.2.3", 1.2}, ConversionCase{"2e", 2.0}, ConversionCase{"2e+", 2.0},
        ConversionCase{"2E-1x", 0.2}, ConversionCase{"   ", 0.0}, ConversionCase{"7 8", 7.0},
        ConversionCase{"1e-400", 0.0}, ConversionCase{"1e308", 1e308}, ConversionCase{"0.0", 0.0},
        ConversionCase{"12abc", 12.0}));

TEST(CellTextConversion, BeyondTheRangeOfADoubleIsAnOverflow) {
    for (const char* text : {"1e309", "-1e400",
                             "1"
                             "000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000000000000"
                             "0000000000000000000000000000000000000000"}) {
        try {
            ConvertCellText(text);
            ADD_FAILURE() << text;
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), 6);
        }
    }
}

double FromChars(std::string_view text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Plain decimal texts of up to 20 digits with the point anywhere, signed or not, with and
// without an exponent or a trailing letter: the very double the standard reading gives.
TEST(CellTextConversion, ReadsEveryPlainDecimalAsTheStandardReadingDoes) {
    std::mt19937_64 random(4242);
    for (int i = 0; i < 200000; ++i) {
        // Built by appending only: GCC 12 at -O3 warns (-Wrestrict, wrongly) inside the
        // library's string insert and its operator+ on a literal.
        const int digitCount = 1 + static_cast<int>(random() % 20);
        std::vector<char> digitChars;
        for (int d = 0; d < digitCount; ++d) {
            digitChars.push_back(static_cast<char>('0' + random() % 10));
        }
        const auto point = static_cast<std::size_t>(random() % (digitChars.size() + 2));
        std::string digits;
        for (std::size_t at = 0; at <= digitChars.size(); ++at) {
            if (at == point) {
                digits += '.';
            }
            if (at < digitChars.size()) {
                digits += digitChars[at];
            }
        }
        const bool negative = random() % 3 == 0;
        std::string text;
        if (negative) {
            text += '-';
        }
        text += digits;
        if (random() % 8 == 0) {
            text += 'e';
            text += std::to_string(static_cast<int>(random() % 40) - 20);
        }
        const double expected = negative ? -FromChars(text.substr(1)) : FromChars(text);
        if (random() % 4 == 0) {
            text += "x";
        }
        ASSERT_TRUE(SameBits(ConvertCellText(text), expected)) << text;
        ASSERT_TRUE(SameBits(ConvertCellText(" " + text), expected)) << text;
    }
}

}  // namespace
}  // namespace stelvador
