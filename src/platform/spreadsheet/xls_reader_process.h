#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "platform/spreadsheet/workbook_data.h"

namespace stelvador {

// Runs a workbook reader in a child process and returns what it read: a reader that crashes,
// hangs past the time limit or fails turns into RunTimeError 321 (or the reader's own error)
// here, and this process goes on.
// A result longer than maxResultBytes counts as a failure of the reader.
WorkbookData ReadInChildProcess(const std::function<WorkbookData()>& read, int timeLimitMs,
                                std::size_t maxResultBytes = std::size_t(1) << 30);

// The byte form in which the child hands its result over (also used by the tests).
std::string SerializeWorkbook(const WorkbookData& data);
WorkbookData DeserializeWorkbook(const std::string& bytes);

}  // namespace stelvador
