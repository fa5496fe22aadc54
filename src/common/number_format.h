#pragma once

#include <string>

namespace stelvador {

// Formats a number as "#,##0.000": at least one digit before the point, a comma between
// thousands, exactly three decimals, a leading minus sign when negative; the same in every
// locale. The value is rounded as its shortest round-trip decimal form reads, half away from
// zero, so 1.0005 shows 1.001 although the double lies just below the half. A negative value
// that rounds to zero shows "0.000". A value that is not finite gives the empty text.
std::string FormatNumber(double value);

// The same, appended to out.
void AppendFormattedNumber(std::string& out, double value);

}  // namespace stelvador
