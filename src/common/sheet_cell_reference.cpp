#include "common/sheet_cell_reference.h"

namespace stelvador {

std::string SheetColumnLetters(int column) {
    std::string letters;
    for (int rest = column; rest > 0; rest = (rest - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    }
    return letters;
}

std::string CellReference(int row, int column) {
    return SheetColumnLetters(column) + std::to_string(row);
}

}  // namespace stelvador
