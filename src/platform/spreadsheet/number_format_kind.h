#pragma once

#include <string_view>

#include "platform/spreadsheet/cell_value_text.h"

namespace stelvador {

// Whether a cell's number format shows dates or times: by the built-in format number, or by
// the date and time letters of a custom format code (outside quotes, escapes and brackets).
DateTimeKind BuiltInFormatKind(int numFmtId);
DateTimeKind FormatCodeKind(std::string_view formatCode);

}  // namespace stelvador
