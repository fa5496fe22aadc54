#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stelvador {

// Translates a file dialog filter of "Description|pattern" pairs ("Epidote(*.epd) |*.epd",
// "Excel|*.xls;*.xlsx|All|*.*") into Qt name filters ("Epidote(*.epd)", "Excel (*.xls *.xlsx)",
// "All (*.*)"). A description that already ends in its own patterns in parentheses is kept as
// it is; otherwise the patterns are added in parentheses, since Qt reads a filter's patterns
// from its last parentheses. Blanks around descriptions and patterns are dropped; a pair
// without patterns matches every file; a description without a pattern part is a pair without
// patterns. The empty filter gives no name filters.
std::vector<std::string> QtNameFilters(std::string_view filter);

}  // namespace stelvador
