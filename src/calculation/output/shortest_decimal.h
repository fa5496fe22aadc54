#pragma once

#include <cstddef>

namespace stelvador {

// Room WriteShortestDecimal needs: "-1.2345678901234567e-308" is 24 characters, and the digits
// are written in whole words, which may reach up to seven bytes past the text.
inline constexpr std::size_t kShortestDecimalMaxLength = 40;

// Writes a finite value in the shortest decimal form that reads back as the same double, the
// text std::to_chars(first, last, value) gives byte for byte: the fewest digits, the closest
// such digits to the value, and fixed notation unless scientific notation is shorter. out must
// have room for kShortestDecimalMaxLength characters (bytes past the text may be overwritten);
// returns the end of the text.
char* WriteShortestDecimal(char* out, double value);

}  // namespace stelvador
