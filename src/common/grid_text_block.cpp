#include "common/grid_text_block.h"

namespace stelvador {

std::string JoinGridTextBlock(const GridTextRows& rows) {
    std::string text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) {
            text.push_back(kRowSeparator);
        }
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (c > 0) {
                text.push_back(kCellSeparator);
            }
            text.append(rows[r][c]);
        }
    }
    return text;
}

std::string EmptyGridTextBlock(int rows, int cols) {
    if (rows < 1 || cols < 1) {
        return {};
    }
    const std::string row(static_cast<std::size_t>(cols - 1), kCellSeparator);
    std::string block;
    block.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (int r = 0; r < rows; ++r) {
        if (r > 0) {
            block.push_back(kRowSeparator);
        }
        block.append(row);
    }
    return block;
}

GridTextRows SplitGridTextBlock(std::string_view text) {
    GridTextRows rows(1);
    rows.back().emplace_back();
    for (const char c : text) {
        if (c == kRowSeparator) {
            rows.emplace_back();
            rows.back().emplace_back();
        } else if (c == kCellSeparator) {
            rows.back().emplace_back();
        } else {
            rows.back().back().push_back(c);
        }
    }
    return rows;
}

}  // namespace stelvador
