#include "common/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace stelvador {

namespace {

// Appends "-", the whole part grouped by thousands, "." and three decimals, from the rounded
// value in thousandths as decimal digits (at least four, so at least one whole digit).
void AppendThousandths(std::string& out, bool negative, std::string_view thousandths) {
    // The largest double has 309 whole digits, 102 commas between them, a sign and ".000".
    char text[416];
    char* next = text;
    if (negative) {
        *next++ = '-';
    }
    const std::size_t whole = thousandths.size() - 3;
    const std::size_t first = whole % 3 == 0 ? 3 : whole % 3;
    next = std::copy_n(thousandths.data(), first, next);
    for (std::size_t i = first; i < whole; i += 3) {
        *next++ = ',';
        next = std::copy_n(thousandths.data() + i, 3, next);
    }
    *next++ = '.';
    next = std::copy_n(thousandths.data() + whole, 3, next);
    out.append(text, next);
}

// The value in thousandths as decimal digits: the shortest round-trip form of magnitude, rounded
// at its third decimal, half away from zero.
std::string RoundShortestForm(double magnitude) {
    // "d.ddde-x": the digits, with the point after the first.
    char shortest[32];
    const char* const end =
        std::to_chars(shortest, std::end(shortest), magnitude, std::chars_format::scientific).ptr;
    std::string digits;
    const char* c = shortest;
    for (; *c != 'e'; ++c) {
        if (*c != '.') {
            digits += *c;
        }
    }
    int exponent = 0;
    for (const char* e = c + 2; e != end; ++e) {
        exponent = 10 * exponent + (*e - '0');
    }
    // The digits up to the third decimal; the first one dropped rounds them.
    const int keep = (c[1] == '-' ? -exponent : exponent) + 4;
    if (keep < 0) {
        return "0000";
    }
    if (static_cast<std::size_t>(keep) >= digits.size()) {
        digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');
    } else {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        std::size_t i = digits.size();
        while (up && i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (up) {
            if (i > 0) {
                ++digits[i - 1];
            } else {
                digits.insert(digits.begin(), '1');
            }
        }
    }
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), '0');
    }
    return digits;
}

}  // namespace

void AppendFormattedNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        return;
    }
    // Most cells of a typed analysis.
    if (value == 0) {
        out.append("0.000");
        return;
    }
    const double magnitude = std::fabs(value);

    // Rounding the double itself is much quicker than forming its shortest form, and gives the
    // same where no half-thousandth lies close to it: the shortest form lies within half a unit
    // in the last place of the double, and magnitude x 1000 rounded as a double within half a
    // unit of its own last place. A margin of four times both leaves every case where the two
    // could differ, and magnitudes of 4.5e12 or more, to the shortest form.
    const double thousandths = magnitude * 1000;
    const double below = std::floor(thousandths);
    const double pastHalf = thousandths - below - 0.5;
    if (magnitude < 4.5e12 && std::fabs(pastHalf) > thousandths * 0x1p-50) {
        const auto rounded = static_cast<std::uint64_t>(below) + (pastHalf > 0 ? 1 : 0);
        // Digits written after three zeros, so that at least four are at hand.
        char digits[24] = {'0', '0', '0'};
        char* const end = std::to_chars(digits + 3, std::end(digits), rounded).ptr;
        const char* const begin = end - digits >= 7 ? digits + 3 : end - 4;
        AppendThousandths(out, value < 0 && rounded != 0,
                          std::string_view(begin, static_cast<std::size_t>(end - begin)));
        return;
    }
    const std::string rounded = RoundShortestForm(magnitude);
    // A value that rounds to zero shows no minus sign.
    AppendThousandths(out, value < 0 && rounded != "0000", rounded);
}

std::string FormatNumber(double value) {
    std::string out;
    AppendFormattedNumber(out, value);
    return out;
}

}  // namespace stelvador
