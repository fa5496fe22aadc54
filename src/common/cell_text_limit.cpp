#include "common/cell_text_limit.h"

#include "common/sheet_cell_reference.h"

namespace stelvador {

namespace {

constexpr bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

constexpr std::string_view kTooLong = " holds more than 32,767 characters.";

}  // namespace

std::size_t CountCharacters(std::string_view utf8) noexcept {
    std::size_t count = 0;
    for (const char byte : utf8) {
        count += IsContinuationByte(static_cast<unsigned char>(byte)) ? 0 : 1;
    }
    return count;
}

bool ExceedsCellTextLimit(std::string_view utf8) noexcept {
    // Every character takes at least one byte and at most four.
    if (utf8.size() <= kCellTextLimit) {
        return false;
    }
    if (utf8.size() > 4 * kCellTextLimit) {
        return true;
    }
    return CountCharacters(utf8) > kCellTextLimit;
}

std::string DescribeTooLongGridCell(int row, int column, std::string_view heading) {
    std::string text = "Row " + std::to_string(row) + ", column " + std::to_string(column);
    if (!heading.empty()) {
        text += " (";
        text += heading;
        text += ')';
    }
    text += kTooLong;
    return text;
}

std::string DescribeTooLongSheetCell(int row, int column) {
    return "Cell " + CellReference(row, column) + std::string(kTooLong);
}

}  // namespace stelvador
