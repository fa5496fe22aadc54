#include "calculation/output/shortest_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace stelvador {
namespace {

std::string ToChars(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Shortest(double value) {
    char buffer[kShortestDecimalMaxLength];
    const char* const end = WriteShortestDecimal(buffer, value);
    return std::string(buffer, static_cast<std::size_t>(end - buffer));
}

struct ShortestCase {
    double value;
    const char* text;
};

class ShortestDecimal : public ::testing::TestWithParam<ShortestCase> {};

// Fixed notation unless scientific is shorter; the fewest digits that read back.
TEST_P(ShortestDecimal, WritesTheShortestRoundTripText) {
    EXPECT_EQ(Shortest(GetParam().value), GetParam().text);
    EXPECT_EQ(Shortest(GetParam().value), ToChars(GetParam().value));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortestDecimal,
    ::testing::Values(ShortestCase{0.1, "0.1"}, ShortestCase{-0.5, "-0.5"}, ShortestCase{1.0, "1"},
                      ShortestCase{100.0, "100"}, ShortestCase{1e5, "1e+05"},
                      ShortestCase{123456.0, "123456"}, ShortestCase{0.001, "0.001"},
                      ShortestCase{0.0001234, "0.0001234"}, ShortestCase{1e-5, "1e-05"},
                      ShortestCase{2.0 / 3.0, "0.6666666666666666"},
                      ShortestCase{0.8724487587925294, "0.8724487587925294"},
                      ShortestCase{1.9761493899857143, "1.9761493899857143"},
                      ShortestCase{9007199254740991.0, "9007199254740991"},
                      ShortestCase{9007199254740992.0, "9007199254740992"},
                      ShortestCase{1e23, "1e+23"}, ShortestCase{5e-324, "5e-324"},
                      ShortestCase{1.7976931348623157e308, "1.7976931348623157e+308"},
                      ShortestCase{2.2250738585072014e-308, "2.2250738585072014e-308"},
                      // Where the point goes: after up to seven whole digits, after more, after
                      // "0." and up to four zeros, scientific notation when it is shorter.
                      ShortestCase{1234567.5, "1234567.5"}, ShortestCase{12345678.5, "12345678.5"},
                      ShortestCase{123456789012.25, "123456789012.25"},
                      ShortestCase{0.00012, "0.00012"}, ShortestCase{0.0001, "1e-04"},
                      ShortestCase{0.000012, "1.2e-05"}, ShortestCase{10000.0, "10000"},
                      ShortestCase{1200000.0, "1200000"}, ShortestCase{12000000.0, "1.2e+07"},
                      ShortestCase{-0.001, "-0.001"},
                      // Powers of two, whose lower neighbour is closer.
                      ShortestCase{0.25, "0.25"}, ShortestCase{2.0, "2"},
                      ShortestCase{0.0009765625, "0.0009765625"},
                      ShortestCase{1.0 / 1099511627776.0, "9.094947017729282e-13"}));

// Values from every range, the halfway points of short decimals and their neighbours, powers of
// two (where the gap below is half the gap above) and whole numbers: always to_chars's text.
TEST(ShortestDecimalAgreement, MatchesToCharsByteForByte) {
    std::mt19937_64 random(20240601);
    auto expectSame = [](double value) {
        ASSERT_EQ(Shortest(value), ToChars(value)) << ToChars(value);
    };
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t mantissa = random() & ((std::uint64_t{1} << 52) - 1);
        const std::uint64_t exponent = 1023 - 45 + random() % 110;
        const std::uint64_t sign = random() & 1;
        expectSame(std::bit_cast<double>(sign << 63 | exponent << 52 | mantissa));
        const std::uint64_t anyExponent = (random() % 0x7FF) << 52;
        expectSame(std::bit_cast<double>((random() & ~(std::uint64_t{0x7FF} << 52)) | anyExponent));
    }
    std::uniform_int_distribution<long> digits(1, 99999999);
    for (int i = 0; i < 50000; ++i) {
        const double value = static_cast<double>(digits(random)) *
                             std::pow(10.0, static_cast<int>(random() % 24) - 16);
        expectSame(value);
        expectSame(std::nextafter(value, 0.0));
        expectSame(std::nextafter(value, std::numeric_limits<double>::infinity()));
    }
    for (int e = -1074; e <= 1023; ++e) {
        const double power = std::ldexp(1.0, e);
        expectSame(power);
        expectSame(std::nextafter(power, 0.0));
        expectSame(std::nextafter(power, std::numeric_limits<double>::infinity()));
    }
    // Mantissas ending in 24 zero bits, from 2^-31 to 2^50: many are exact decimals lying exactly
    // halfway between the two nearest numbers of the shortest length (ties to the even one).
    for (int i = 0; i < 2000; ++i) {
        for (std::uint64_t exponent = 992; exponent <= 1072; ++exponent) {
            const std::uint64_t mantissa =
                random() & ((std::uint64_t{1} << 52) - 1) & ~((std::uint64_t{1} << 24) - 1);
            expectSame(std::bit_cast<double>(exponent << 52 | mantissa));
        }
    }
    for (long whole = 1; whole < 100000; ++whole) {
        expectSame(static_cast<double>(whole));
        expectSame(static_cast<double>(whole) / 1024.0);
    }
}

}  // namespace
}  // namespace stelvador
