// The .xls workbook stream walk on arbitrary bytes, as the spreadsheet window's read uses it and
// as the import reads the active sheet by it (every cell, the shared strings they show): it
// returns, whatever the input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/spreadsheet/xls_workbook_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)stelvador::ReadXlsStreamFacts(bytes);
    (void)stelvador::ReadXlsStreamFacts(bytes, stelvador::ActiveSheetRange(301, 44), true);
    return 0;
}
