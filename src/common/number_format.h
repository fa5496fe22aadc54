#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace stelvador {

// Formats a number as "#,##0.000": at least one digit before the point, a comma between
// thousands, exactly three decimals, a leading minus sign when negative; the same in every
// locale. A value whose decimal form lies exactly halfway rounds away from zero; a negative value
// that rounds to zero shows "0.000". A value that is not finite gives the empty text.
std::string FormatNumber(double value);

// The same, appended to out (avoids a temporary where many cells are formatted in a row).
void AppendFormattedNumber(std::string& out, double value);

// The longest text FormatNumber can give: the largest double has 309 integer digits, 102 commas
// between them, a sign and ".000".
inline constexpr std::size_t kFormattedNumberMaxLength = 416;

// Any value but an exact zero; WriteFormattedNumber below is the one to call.
char* WriteFormattedNonZeroNumber(char* out, double value);

// The same, written at out, which must have room for kFormattedNumberMaxLength characters;
// returns the end of the text written (out itself for a value that is not finite). Inline for the
// exact zero, which most cells of a typed analysis hold.
inline char* WriteFormattedNumber(char* out, double value) {
    if (value == 0.0) {
        std::memcpy(out, "0.000", 5);
        return out + 5;
    }
    return WriteFormattedNonZeroNumber(out, value);
}

namespace number_format_detail {

// Four bytes per entry. Entries 0 to 999: the whole part without leading zeros, left-aligned,
// with the digit count in the last byte, so one four-byte copy and one add write it. Entries 1000
// to 1999: ".000" to ".999", the point and the three decimals as one four-byte copy.
inline constexpr std::array<char, 8000> kDigitTexts = [] {
    std::array<char, 8000> texts{};
    for (int i = 0; i < 1000; ++i) {
        const char digits[3] = {static_cast<char>('0' + i / 100),
                                static_cast<char>('0' + i / 10 % 10),
                                static_cast<char>('0' + i % 10)};
        const int skip = i < 10 ? 2 : (i < 100 ? 1 : 0);
        for (int d = skip; d < 3; ++d) {
            texts[static_cast<std::size_t>(4 * i + d - skip)] = digits[d];
        }
        texts[static_cast<std::size_t>(4 * i + 3)] = static_cast<char>(3 - skip);
        texts[static_cast<std::size_t>(4000 + 4 * i)] = '.';
        for (int d = 0; d < 3; ++d) {
            texts[static_cast<std::size_t>(4000 + 4 * i + 1 + d)] = digits[d];
        }
    }
    return texts;
}();
inline constexpr std::size_t kPointDecimals = 4000;

// The usual path works on fixed = |value| * 1000 * 2^32: exactly 2^32 times the magnitude in
// thousandths (scaled) as the general path forms it (where scaled is too small for that, both
// paths give 0.000). Usual values have scaled below 999,999, so they round to less than 1,000
// and need no grouping.
inline constexpr double kFixedScale = 1000.0 * 4294967296.0;
inline constexpr double kUsualFixedLimit = 999999.0 * 4294967296.0;

// floor(fixed) + 2^31 holds the thousandths, rounded half up, above 32 bits of fraction; its low
// 32 bits lie within kNearHalf of 0 (modulo 2^32) only when the fraction of scaled lies within
// kNearHalf * 2^-32 (9.3e-10) of a half. The general path rounds every fraction farther than
// 4.02e-10 from a half (its margin, scaled * 4e-16 + 1e-12, below 999,999) by the binary value
// to the same nearest thousandth, so outside that band both paths give the same text; inside it
// the general path decides.
inline constexpr std::uint32_t kNearHalf = 4;

}  // namespace number_format_detail

// Writes a value below 1,000, given in thousandths (below 1,000,000), as "d.ddd" to "ddd.ddd":
// at most 7 characters, none past the end returned.
inline char* WriteThousandthsBelowAThousand(char* out, std::uint32_t thousandths) {
    using namespace number_format_detail;
    const std::size_t whole = thousandths / 1000;
    const std::size_t decimals = thousandths - static_cast<std::uint32_t>(whole) * 1000;
    // The point and decimals overwrite the digit count byte of the whole part.
    std::memcpy(out, &kDigitTexts[4 * whole], 4);
    out += kDigitTexts[4 * whole + 3];
    std::memcpy(out, &kDigitTexts[kPointDecimals + 4 * decimals], 4);
    return out + 4;
}

// The usual number, written without a call: a value below 999.999 in magnitude whose fraction of
// a thousandth is not within 9.3e-10 of a half. Writes at most 8 characters, none past the end
// returned, the same text as WriteFormattedNumber; returns nullptr, having written nothing, for
// any other value (a NaN and an infinity too), which WriteFormattedNumber writes.
inline char* WriteUsualFormattedNumber(char* out, double value) {
    using namespace number_format_detail;
    const double fixed = std::fabs(value) * kFixedScale;
    if (!(fixed < kUsualFixedLimit)) {
        return nullptr;
    }
    // Below 2^52: the conversion is the floor, and adding the half cannot overflow.
    const std::uint64_t rounded =
        static_cast<std::uint64_t>(static_cast<std::int64_t>(fixed)) + (std::uint64_t{1} << 31);
    if (static_cast<std::uint32_t>(rounded + kNearHalf) < 2 * kNearHalf) {
        return nullptr;
    }
    const auto thousandths = static_cast<std::uint32_t>(rounded >> 32);
    // A negative value that rounds to zero shows no minus sign.
    if (std::bit_cast<std::int64_t>(value) < 0 && thousandths != 0) {
        *out++ = '-';
    }
    return WriteThousandthsBelowAThousand(out, thousandths);
}

}  // namespace stelvador
