#pragma once

#include <string>

namespace stelvador {

// A sheet column's letters: "A" for column 1, "Z" for 26, "AA" for 27.
std::string SheetColumnLetters(int column);

// "A1", "AB12": the reference of a sheet cell by row and column from 1.
std::string CellReference(int row, int column);

}  // namespace stelvador
