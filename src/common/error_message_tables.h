#pragma once

#include <optional>
#include <string_view>

namespace stelvador {

// Each main window translates pending error numbers with its own table.
enum class ErrorTable { DataEntry, Results };

// The message for the number, or nothing when the window's table does not hold it.
std::optional<std::string_view> ErrorMessage(ErrorTable table, int number);

}  // namespace stelvador
