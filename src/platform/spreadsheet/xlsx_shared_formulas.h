#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace stelvador {

// A formula filled over a range is stored once, in its first cell, and the other cells of the
// range only say that they share it. When that first cell is rewritten with a value, the
// others would share a formula no cell holds (a spreadsheet program then calls the file
// damaged): each of them gets the formula as its own, moved to where it stands.

// The worksheet part with the cells that share a formula whose first cell is among the cells
// (row, column) to be rewritten holding that formula themselves; every other byte as it was.
std::string WithOrphanedSharedFormulasResolved(std::string_view sheetXml,
                                               const std::set<std::pair<int, int>>& rewritten);

// The formula as it reads in a cell rows down and columns right of the cell it was written for:
// its relative references (A1, B$2, $C3, A:B, 3:4) move, absolute parts stay, texts, sheet
// names, names and functions are untouched; a reference moved off the sheet becomes #REF!.
std::string ShiftedFormula(std::string_view formula, int rows, int columns);

}  // namespace stelvador
