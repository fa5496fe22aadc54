#include "common/too_long_cell.h"

#include "common/cell_text_limit.h"
#include "common/grid_text_block.h"

namespace stelvador {

std::optional<BlockCell> FindTooLongCell(std::string_view gridTextBlock, int rows, int columns) {
    constexpr char kSeparators[] = {kCellSeparator, kRowSeparator, '\0'};
    BlockCell cell;
    std::size_t start = 0;
    while (cell.row <= rows) {
        const std::size_t end = gridTextBlock.find_first_of(kSeparators, start);
        const std::size_t length =
            (end == std::string_view::npos ? gridTextBlock.size() : end) - start;
        if (cell.column <= columns && ExceedsCellTextLimit(gridTextBlock.substr(start, length))) {
            return cell;
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
        if (gridTextBlock[end] == kCellSeparator) {
            ++cell.column;
        } else {
            ++cell.row;
            cell.column = 1;
        }
    }
    return std::nullopt;
}

}  // namespace stelvador
