#pragma once

#include <string>

#include "common/run_time_error.h"
#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// The byte form in which the .xls reader executable hands its answer to the program over a pipe:
// a workbook it read, or the run-time error it met.

// The whole answer: a mark, then the workbook or the error's number and description.
std::string WorkbookAnswer(const WorkbookData& data);
// A failure keeps its reason, and a cell too long for a cell stays that (SheetCellTooLong).
std::string FailureAnswer(int number, const std::string& description,
                          const std::string& reason = {});
std::string FailureAnswer(const RunTimeError& failure);

// The workbook of an answer, or the answer's error thrown as RunTimeError; a damaged answer
// throws 321. The answer is consumed (it can be large).
WorkbookData WorkbookFromAnswer(std::string answer);

}  // namespace stelvador
