#pragma once

#include <cstddef>

namespace stelvador {

// Room WriteShortestDecimal needs: "-1.2345678901234567e-308" is 24 characters, and the digits
// are written as 17 characters in whole words, which may reach past the text (never past 24
// bytes in all).
inline constexpr std::size_t kShortestDecimalMaxLength = 40;

// The longest text WriteShortestDecimal writes, as long as the one above.
inline constexpr std::size_t kShortestDecimalLongest = 24;

// Writes a finite value in the shortest decimal form that reads back as the same double, the
// text std::to_chars(first, last, value) gives byte for byte: the fewest digits, the closest
// such digits to the value, and fixed notation unless scientific notation is shorter. out must
// have room for kShortestDecimalMaxLength characters (bytes past the text may be overwritten);
// returns the end of the text.
char* WriteShortestDecimal(char* out, double value);

}  // namespace stelvador
