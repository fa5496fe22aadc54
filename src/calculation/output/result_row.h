#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculation/output/result_columns.h"

namespace stelvador {

// One analysis's line of the results grid: the cells of kResultColumns joined by one TAB each, no
// TAB before the first cell or after the last, no line end.
struct ResultRow {
    std::string text;
    // cellStart[c] is where cell c begins in text; cellStart[131] is text.size() + 1, so cell c
    // runs from cellStart[c] to cellStart[c + 1] - 1.
    std::array<std::uint32_t, kResultCellCount + 1> cellStart{};

    std::string_view cell(std::size_t c) const {
        const std::uint32_t begin = cellStart[c];
        const std::uint32_t end = cellStart[c + 1] - 1;
        return std::string_view(text).substr(begin, end - begin);
    }
};

// Builds the result row of one analysis: each number cell in the format "#,##0.000" (empty when
// the quantity could not be formed), each text as it stands, with TAB, CR and LF shown as
// blanks so that no text can split its cell or end the row.
ResultRow BuildResultRow(const AnalysisState& state);

// The same, reusing row's storage.
void BuildResultRow(const AnalysisState& state, ResultRow& row);

}  // namespace stelvador
