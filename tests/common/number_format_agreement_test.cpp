// The number format against its definition spelt out slowly, over many values: seconds of
// work, so these run with the slow tests.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "common/number_format.h"

namespace stelvador {
namespace {

// The definition spelt out slowly: the shortest round-trip decimal form, rounded to three
// decimals half away from zero, grouped by thousands.
std::string ReferenceFormat(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, e)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    const int exponent = std::stoi(text.substr(e + 1));
    // Thousandths: the digits up to the third decimal, then the next digit rounds.
    const int keep = exponent + 4;
    std::string kept = keep > 0 ? digits.substr(0, static_cast<std::size_t>(keep)) : "";
    while (static_cast<int>(kept.size()) < keep) {
        kept.push_back('0');
    }
    const char next = keep >= 0 && static_cast<std::size_t>(keep) < digits.size()
                          ? digits[static_cast<std::size_t>(keep)]
                          : '0';
    if (value == 0.0) {
        kept.clear();
    }
    if (next >= '5') {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i--)] = '0';
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    while (kept.size() < 4) {
        kept.insert(kept.begin(), '0');
    }
    const std::string whole = kept.substr(0, kept.size() - 3);
    std::string out;
    if (std::signbit(value) && kept.find_first_not_of('0') != std::string::npos) {
        out.push_back('-');
    }
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(whole[i]);
    }
    return out + "." + kept.substr(kept.size() - 3);
}

// Random values of every size, the halfway points between thousandths and their neighbours:
// the formatter gives the slow definition's text, and appending gives the same.
TEST(NumberFormatAgreement, MatchesTheDecimalRoundingDefinition) {
    std::mt19937_64 random(777);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    auto expectSame = [](double value) {
        const std::string expected = ReferenceFormat(value);
        ASSERT_EQ(FormatNumber(value), expected) << std::setprecision(17) << value;
        std::string appended = "x";
        AppendFormattedNumber(appended, value);
        ASSERT_EQ(appended, "x" + expected);
    };
    for (int i = 0; i < 100000; ++i) {
        expectSame(unit(random) * std::pow(10.0, static_cast<int>(random() % 40) - 8));
        const double half = (static_cast<double>(random() % 20000000) + 0.5) / 1000.0;
        expectSame(half);
        expectSame(-half);
        expectSame(std::nextafter(half, 0.0));
        expectSame(std::nextafter(half, 1e300));
    }
    for (const double value : {9.0e12, 8.999999999999999e12, 9.007199254740993e15, 1e300, -1e300,
                               5e-324, std::numeric_limits<double>::max()}) {
        expectSame(value);
    }
}

// Values are rounded from the double where no half-thousandth lies close, else from the shortest
// form: around the halves, at the limit of 4.5e12 and at the limits of a thousand and a
// thousandth, on both sides of each, the text is the definition's.
TEST(NumberFormatAgreement, QuickRoundingAgreesAtItsBorders) {
    auto expectSame = [](double value) {
        const std::string expected = ReferenceFormat(value);
        ASSERT_EQ(FormatNumber(value), expected) << std::setprecision(17) << value;
    };
    auto aroundEachUlp = [&](double value) {
        double up = value;
        double down = value;
        for (int i = 0; i < 40; ++i) {
            expectSame(up);
            expectSame(-up);
            expectSame(down);
            expectSame(-down);
            up = std::nextafter(up, 1e300);
            down = std::nextafter(down, 0.0);
        }
    };
    for (const double edge :
         {999.999, 999.9995, 1000.0, 999.9985, 0.0005, 0.0015, 0.9995, 1.0005, 123.4565, 998.9995,
          0.001, 1e-300, 5e-324, 4.5e12, 4499999999999.9995, 1234567.8915}) {
        aroundEachUlp(edge);
    }
    // A little off each half, for small halves and for those near a thousand.
    std::mt19937_64 random(2024);
    for (int i = 0; i < 20000; ++i) {
        const auto k = static_cast<double>(i < 10000 ? random() % 2000 : 999000 + random() % 1000);
        for (const double offset :
             {3e-10, 4e-10, 4.1e-10, 5e-10, 9e-10, 9.3e-10, 9.4e-10, 1e-9, 2e-9, 1e-7}) {
            expectSame((k + 0.5 + offset) / 1000.0);
            expectSame((k + 0.5 - offset) / 1000.0);
            expectSame(-(k + 0.5 + offset) / 1000.0);
        }
        aroundEachUlp((k + 0.5) / 1000.0);
    }
    // Halves of every size up to the limit, where a unit in the last place is a large part of a
    // thousandth.
    for (int i = 0; i < 20000; ++i) {
        const auto k = static_cast<double>(random() % (std::uint64_t{1} << (10 + i % 43)));
        aroundEachUlp((k + 0.5) / 1000.0);
    }
}

}  // namespace
}  // namespace stelvador
