#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace stelvador {

// The shared string table of an Excel 97-2003 (BIFF8) workbook stream: the data of its SST
// record and of the CONTINUE records that follow it, in order. Gives the wanted strings
// (indices ascending) as UTF-8, reading the table no further than the last of them; a string
// the table does not hold, or holds damaged, is left out. Never throws on damaged input.
std::map<std::uint32_t, std::string> ReadXlsSharedStrings(
    const std::vector<std::string_view>& pieces, const std::vector<std::uint32_t>& wanted);

}  // namespace stelvador
