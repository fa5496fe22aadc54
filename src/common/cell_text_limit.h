#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace stelvador {

// A cell's text holds at most this many characters, a spreadsheet cell's limit, wherever a text
// enters a grid (a data file, a paste, an import, the spreadsheet window, typing): a longer text
// would make every later step slow and the windows unusable.
inline constexpr std::size_t kCellTextLimit = 32767;

// The characters of a UTF-8 text (a byte that does not start a sequence counts as a character,
// so a text that is not valid UTF-8 is never counted short).
std::size_t CountCharacters(std::string_view utf8) noexcept;

// Whether the text holds more than kCellTextLimit characters; stops counting past the limit.
bool ExceedsCellTextLimit(std::string_view utf8) noexcept;

// The reason shown under a refusal, for a cell of a grid: row and column as the grid numbers
// them, and the column's heading when not empty:
// "Row 4, column 1 (Sample No) holds more than 32,767 characters."
std::string DescribeTooLongGridCell(int row, int column, std::string_view heading = {});

// The same for a cell of a worksheet, by its reference: "Cell B5 holds more than 32,767
// characters."
std::string DescribeTooLongSheetCell(int row, int column);

}  // namespace stelvador
