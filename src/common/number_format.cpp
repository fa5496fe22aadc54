#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace stelvador {

namespace {

// Writes the integer digits with a comma between thousands.
void appendGrouped(std::string& out, std::string_view digits) {
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            out.push_back(',');
        }
        out.push_back(digits[i]);
    }
}

// Writes "integer part, grouped . three decimals" from the value in thousandths, building the
// text backwards in a small buffer so that a row of many numbers costs one append each.
void appendThousandths(std::string& out, bool negative, std::uint64_t thousandths) {
    char buffer[40];
    char* end = buffer + sizeof buffer;
    char* p = end;
    for (int i = 0; i < 3; ++i) {
        *--p = static_cast<char>('0' + thousandths % 10);
        thousandths /= 10;
    }
    *--p = '.';
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) {
            *--p = ',';
        }
        *--p = static_cast<char>('0' + thousandths % 10);
        thousandths /= 10;
        ++digits;
    } while (thousandths != 0);
    if (negative) {
        *--p = '-';
    }
    out.append(p, static_cast<std::size_t>(end - p));
}

// Rounds the shortest round-trip decimal form of magnitude (> 0) to three decimals, half away
// from zero, and writes it. Used where the binary value alone cannot settle the rounding.
void appendFromShortestDecimal(std::string& out, bool negative, double magnitude) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, ePos)) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0),
                    text.data() + text.size(), exponent);
    // digits d0 d1 d2 ... stand for d0.d1d2... x 10^exponent; the decimal point sits after
    // (exponent + 1) digits. Keep every digit up to the third decimal.
    const int keep = exponent + 1 + 3;
    std::string kept;
    bool roundUp = false;
    if (keep <= 0) {
        kept = "0";
        roundUp = keep == 0 && digits[0] >= '5';
    } else {
        kept = digits.substr(0, std::min<std::size_t>(digits.size(), static_cast<std::size_t>(keep)));
        kept.append(static_cast<std::size_t>(keep) - kept.size(), '0');
        roundUp = static_cast<std::size_t>(keep) < digits.size() &&
                  digits[static_cast<std::size_t>(keep)] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
        } else {
            ++kept[static_cast<std::size_t>(i)];
        }
    }
    // kept now holds the value in thousandths as a decimal integer text.
    while (kept.size() < 4) {
        kept.insert(kept.begin(), '0');
    }
    const bool isZero = kept.find_first_not_of('0') == std::string::npos;
    if (negative && !isZero) {
        out.push_back('-');
    }
    appendGrouped(out, std::string_view(kept).substr(0, kept.size() - 3));
    out.push_back('.');
    out.append(kept, kept.size() - 3, 3);
}

}  // namespace

void AppendFormattedNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        return;
    }
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        out.append("0.000");
        return;
    }
    // Below 2^53 thousandths the scaled value and its fraction are exact enough to decide the
    // rounding, except right at a half, where the decimal form decides.
    const double scaled = magnitude * 1000.0;
    if (scaled < 9.0e15) {
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        const double margin = scaled * 4.0e-16 + 1.0e-12;
        if (std::fabs(fraction - 0.5) > margin) {
            const auto thousandths =
                static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1u : 0u);
            // A negative value that rounds to zero shows no minus sign.
            appendThousandths(out, negative && thousandths != 0, thousandths);
            return;
        }
    }
    appendFromShortestDecimal(out, negative, magnitude);
}

std::string FormatNumber(double value) {
    std::string out;
    AppendFormattedNumber(out, value);
    return out;
}

}  // namespace stelvador
