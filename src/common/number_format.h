#pragma once

#include <cstddef>
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

}  // namespace stelvador
