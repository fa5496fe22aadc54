#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/workbook_read_scope.h"

namespace stelvador {

struct ProgramFiles;

// The name of the .xls reader executable, which lies where the program installed it (see
// program_files.h).
inline constexpr char kXlsReaderName[] = "stelvador-xls-reader";

// How long the reader may take, and the most memory it may map.
inline constexpr int kXlsReaderTimeLimitMs = 20000;
inline constexpr std::size_t kXlsReaderMemoryBytes = std::size_t(2) << 30;

// Reads an Excel 97-2003 (.xls) workbook through the .xls reader executable of the running
// program (never one in the current folder), so that a damaged
// file that makes the .xls library crash, hang or run out of memory costs only that process:
// any of these is RunTimeError 321 here, and the program goes on. The reader's own failures
// come back with their number, description and reason (321 for anything it cannot read).
// Reads as much of the workbook as the scope takes.
WorkbookData ReadXlsWorkbook(const std::string& path, const WorkbookReadScope& scope = {},
                             std::size_t cellLimit = kMaxWorkbookCells,
                             std::size_t textLimit = kMaxWorkbookTextBytes);

// Runs a reader program, given by its whole path, with its arguments (no shell) and takes the
// workbook it writes to its standard output (see workbook_transfer.h). A program that is not
// there or cannot start (the reason names its path), dies, exits with a status other than 0,
// runs past the time limit or writes more than maxResultBytes is RunTimeError 321.
WorkbookData ReadInChildProcess(const std::string& program,
                                const std::vector<std::string>& arguments, int timeLimitMs,
                                std::size_t maxResultBytes);

// The path of the .xls reader among the program's files; empty when their folder is unknown.
std::string XlsReaderPath(const ProgramFiles& files);

}  // namespace stelvador
