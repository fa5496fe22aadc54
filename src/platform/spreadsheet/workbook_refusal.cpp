#include "platform/spreadsheet/workbook_refusal.h"

#include "common/cell_text_limit.h"
#include "common/error_numbers.h"

namespace stelvador {

namespace {

[[noreturn]] void Refuse(const std::string& reason) {
    throw RunTimeError(error::kInvalidFileFormat, reason, reason);
}

}  // namespace

void RefuseNotAWorkbook() {
    Refuse("The file is not a workbook.");
}

void RefusePasswordProtected() {
    Refuse("The workbook is protected with a password.");
}

void RefuseChartSheet() {
    Refuse("The active sheet is a chart, not a worksheet.");
}

std::string DamagedReason(std::string_view what) {
    return "The file is damaged: " + std::string(what) + ".";
}

std::string TooMuchReason(std::string_view what) {
    return "The workbook holds more than this program reads: " + std::string(what) + ".";
}

void RefuseDamaged(std::string_view what) {
    Refuse(DamagedReason(what));
}

void RefuseTooMuch(std::string_view what) {
    Refuse(TooMuchReason(what));
}

SheetCellTooLong::SheetCellTooLong(int row, int column)
    : RunTimeError(error::kInvalidFileFormat, DescribeTooLongSheetCell(row, column),
                   DescribeTooLongSheetCell(row, column)),
      m_row(row),
      m_column(column) {}

}  // namespace stelvador
