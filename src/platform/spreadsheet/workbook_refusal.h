#pragma once

#include <string>
#include <string_view>

#include "common/run_time_error.h"

namespace stelvador {

// Why a workbook is refused. Each refusal is RunTimeError 321 (invalid file format) whose
// reason, shown under the table's text, says what is wrong with the file.

[[noreturn]] void RefuseNotAWorkbook();
[[noreturn]] void RefusePasswordProtected();
[[noreturn]] void RefuseChartSheet();
// "The file is damaged: <what>."
[[noreturn]] void RefuseDamaged(std::string_view what);
// "The workbook holds more than this program reads: <what>."
[[noreturn]] void RefuseTooMuch(std::string_view what);

std::string DamagedReason(std::string_view what);
std::string TooMuchReason(std::string_view what);

// A cell whose text is longer than a cell can hold: the first such cell of the sheet read,
// by its row and column from 1. Its reason names the cell ("Cell B5 holds more than 32,767
// characters."); the import tells it apart from other refusals, as it changes nothing.
class SheetCellTooLong : public RunTimeError {
  public:
    SheetCellTooLong(int row, int column);

    int row() const noexcept { return m_row; }
    int column() const noexcept { return m_column; }

  private:
    int m_row;
    int m_column;
};

}  // namespace stelvador
