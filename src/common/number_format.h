#pragma once

#include <string>

namespace stelvador {

// Formats a number as "#,##0.000": at least one digit before the point, a comma between
// thousands, exactly three decimals, a leading minus sign when negative; the same in every
// locale. A value whose decimal form lies exactly halfway rounds away from zero; a negative value
// that rounds to zero shows "0.000". A value that is not finite gives the empty text.
std::string FormatNumber(double value);

// The same, appended to out (avoids a temporary where many cells are formatted in a row).
void AppendFormattedNumber(std::string& out, double value);

}  // namespace stelvador
