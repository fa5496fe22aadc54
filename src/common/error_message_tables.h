#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stelvador {

// Each main window translates pending error numbers with its own table.
enum class ErrorTable { DataEntry, Results };

// The message for the number, or nothing when the window's table does not hold it.
std::optional<std::string_view> ErrorMessage(ErrorTable table, int number);

// What a message box shows for a failure: the table's text for the number (or, when the table
// lacks it, the fallback), and under it, on a second line, the failure's reason when it has one.
std::string FailureMessage(ErrorTable table, int number, std::string_view reason,
                           std::string_view fallback);

}  // namespace stelvador
