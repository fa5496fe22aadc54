#include "common/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <system_error>

namespace stelvador {

namespace {

using number_format_detail::kDigitTexts;
using number_format_detail::kPointDecimals;

// Writes value (below 1000) as exactly three digits: those of ".ddd" after the point.
char* writeThreeDigits(char* out, unsigned value) {
    std::memcpy(out, &kDigitTexts[kPointDecimals + 4 * value + 1], 3);
    return out + 3;
}

// Writes value (below 1000) without leading zeros.
char* writeUpToThreeDigits(char* out, unsigned value) {
    std::memcpy(out, &kDigitTexts[4 * value], 3);
    return out + kDigitTexts[4 * value + 3];
}

// Writes "integer part, grouped . three decimals" from the value in thousandths. The text is at
// most 26 characters, so the four-byte copies below, which may write one byte past the digits
// they place, stay well inside the caller's room.
char* writeThousandths(char* out, bool negative, std::uint64_t thousandths) {
    if (negative) {
        *out++ = '-';
    }
    if (thousandths < 1000000) {
        return WriteThousandthsBelowAThousand(out, static_cast<std::uint32_t>(thousandths));
    }
    const auto decimals = static_cast<unsigned>(thousandths % 1000);
    std::uint64_t whole = thousandths / 1000;
    if (whole < 1000) {
        out = writeUpToThreeDigits(out, static_cast<unsigned>(whole));
    } else {
        // Groups of three from the right; below 2^53 thousandths there are at most five.
        std::array<unsigned, 8> groups{};
        int count = 0;
        while (whole >= 1000) {
            groups[static_cast<std::size_t>(count++)] = static_cast<unsigned>(whole % 1000);
            whole /= 1000;
        }
        out = writeUpToThreeDigits(out, static_cast<unsigned>(whole));
        while (count > 0) {
            *out++ = ',';
            out = writeThreeDigits(out, groups[static_cast<std::size_t>(--count)]);
        }
    }
    *out++ = '.';
    return writeThreeDigits(out, decimals);
}

// Writes the integer digits with a comma between thousands.
char* writeGrouped(char* out, std::string_view digits) {
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) {
            *out++ = ',';
        }
        *out++ = digits[i];
    }
    return out;
}

// Rounds the shortest round-trip decimal form of magnitude (> 0) to three decimals, half away
// from zero, and writes it. Used where the binary value alone cannot settle the rounding; kept
// out of line so the usual path stays small.
[[gnu::noinline]] char* writeFromShortestDecimal(char* out, bool negative, double magnitude) {
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
        kept =
            digits.substr(0, std::min<std::size_t>(digits.size(), static_cast<std::size_t>(keep)));
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
        *out++ = '-';
    }
    out = writeGrouped(out, std::string_view(kept).substr(0, kept.size() - 3));
    *out++ = '.';
    std::memcpy(out, kept.data() + kept.size() - 3, 3);
    return out + 3;
}

// Every value the usual path leaves: not finite, 999.999 or more, or near a half.
[[gnu::noinline]] char* writeGeneral(char* out, double value) {
    if (!std::isfinite(value)) {
        return out;
    }
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0) {
        std::memcpy(out, "0.000", 5);
        return out + 5;
    }
    const bool negative = std::signbit(value);
    // Below 2^53 thousandths the scaled value and its fraction are exact enough to decide the
    // rounding, except right at a half, where the decimal form decides.
    const double scaled = magnitude * 1000.0;
    if (scaled < 9.0e15) {
        // Truncation is the floor here, and the fraction is exact.
        const auto truncated = static_cast<std::int64_t>(scaled);
        const double fraction = scaled - static_cast<double>(truncated);
        const auto whole = static_cast<std::uint64_t>(truncated);
        const double margin = scaled * 4.0e-16 + 1.0e-12;
        if (std::fabs(fraction - 0.5) > margin) {
            const std::uint64_t thousandths = whole + (fraction > 0.5 ? 1u : 0u);
            // A negative value that rounds to zero shows no minus sign.
            return writeThousandths(out, negative && thousandths != 0, thousandths);
        }
    }
    return writeFromShortestDecimal(out, negative, magnitude);
}

}  // namespace

char* WriteFormattedNonZeroNumber(char* out, double value) {
    if (char* const end = WriteUsualFormattedNumber(out, value)) {
        return end;
    }
    return writeGeneral(out, value);
}

void AppendFormattedNumber(std::string& out, double value) {
    char buffer[kFormattedNumberMaxLength];
    const char* const end = WriteFormattedNumber(buffer, value);
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

std::string FormatNumber(double value) {
    std::string out;
    AppendFormattedNumber(out, value);
    return out;
}

}  // namespace stelvador
