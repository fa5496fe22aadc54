#pragma once

#include <optional>
#include <string_view>

namespace stelvador {

// A cell of a grid text block: row and column count from 1 at the block's top-left cell.
struct BlockCell {
    int row = 1;
    int column = 1;
};

// The first cell, in reading order, whose text holds more than kCellTextLimit characters, among
// the block's first rows rows and first columns columns (a paste into a selection of that size
// drops the others, so they are not looked at); nothing when there is none.
std::optional<BlockCell> FindTooLongCell(std::string_view gridTextBlock, int rows, int columns);

}  // namespace stelvador
