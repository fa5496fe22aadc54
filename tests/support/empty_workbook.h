#pragma once

#include <filesystem>

namespace stelvador {

// Writes a workbook with one empty sheet, as openpyxl saves a new one (the output workbook a
// program folder holds); false when python3 with openpyxl could not write it.
bool WriteEmptyWorkbook(const std::filesystem::path& path);

}  // namespace stelvador
