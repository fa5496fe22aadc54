#pragma once

#include <string>
#include <string_view>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// What a cell holds after a text is written into it, as a spreadsheet application keeps a typed
// value: a text that reads as a decimal number ("38.650", "1,234.568", "-0.004", "12") becomes
// that number, shown as written: its format keeps the text's decimals and its thousands
// grouping. Any other text stays text: signs or blanks around it, a leading zero before
// another digit ("007"), grouping that is not in threes, an exponent, a minus zero.
CellValue WrittenCellValue(std::string_view text);

// The number format that shows a number as its text is written: "0", "0.000", "#,##0.000", ...;
// the empty text (the general format) when the text is not a number written that way.
std::string WrittenNumberFormat(std::string_view text);

}  // namespace stelvador
