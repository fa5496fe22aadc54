#pragma once

#include <string_view>

namespace stelvador {

// The reading below for a text that is not empty; ConvertCellText is the one to call.
double ConvertNonEmptyCellText(std::string_view text);

// Reads the leading number of a cell text, the same in every locale: leading blanks skipped, an
// optional sign, digits with at most one full stop, an optional exponent (E, optional sign,
// digits); reading stops at the first character that cannot continue the number. A text with no
// leading number reads 0 ("12,5" reads 12, "abc" reads 0). A number beyond the range of a double
// throws RunTimeError 6 (overflow). Inline for the empty text, which most cells of a typed
// analysis hold.
inline double ConvertCellText(std::string_view text) {
    return text.empty() ? 0.0 : ConvertNonEmptyCellText(text);
}

}  // namespace stelvador
