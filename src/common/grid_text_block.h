#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stelvador {

// The text form of a rectangle of grid cells: cells left to right separated by TAB, rows top to
// bottom separated by CR.
inline constexpr char kCellSeparator = '\t';
inline constexpr char kRowSeparator = '\r';

using GridTextRows = std::vector<std::vector<std::string>>;

std::string JoinGridTextBlock(const GridTextRows& rows);

// The text block of a rectangle of empty cells, as large as the rectangle: setting it as a
// selection's clip empties the selection's cells. Nothing for a rectangle without cells.
std::string EmptyGridTextBlock(int rows, int cols);

// Splits at every CR and TAB; the empty text is one row of one empty cell.
GridTextRows SplitGridTextBlock(std::string_view text);

}  // namespace stelvador
