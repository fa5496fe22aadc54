// The .xls workbook stream walk on arbitrary bytes: it returns, whatever the input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/spreadsheet/xls_workbook_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)stelvador::ReadXlsStreamFacts(bytes);
    return 0;
}
