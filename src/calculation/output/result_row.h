#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace stelvador {

inline constexpr int kResultCellCount = 131;

// One analysis's line of the results grid: 131 cells joined by one TAB each, no TAB before the
// first cell or after the last, no line end. Number cells hold "#,##0.000" texts; a quantity
// that cannot be formed is an empty cell.
struct ResultRow {
    std::string text;
    // cellStart[c] is where cell c begins in text; cellStart[131] is text.size() + 1, so cell c
    // runs from cellStart[c] to cellStart[c + 1] - 1.
    std::array<std::uint32_t, kResultCellCount + 1> cellStart{};

    std::string_view cell(int c) const {
        const std::uint32_t begin = cellStart[static_cast<std::size_t>(c)];
        const std::uint32_t end = cellStart[static_cast<std::size_t>(c) + 1] - 1;
        return std::string_view(text).substr(begin, end - begin);
    }
};

struct AnalysisState;

// Builds the result row of one analysis. First corrects the M3 dominant-ion string of the
// allanites named "Allanite-(Ce)", "Allanite-(La)" or "Allanite-(Y)" from "V" to "Fe2+" in the
// state itself, so the plot records see the corrected string too.
ResultRow BuildResultRow(AnalysisState& state);

// The same, reusing row's storage.
void BuildResultRow(AnalysisState& state, ResultRow& row);

}  // namespace stelvador
