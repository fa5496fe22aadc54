#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stelvador {

// Data files and plot data files hold one byte per character in Windows-1252; the program holds
// text as UTF-8.

// Nothing when the text holds a character Windows-1252 cannot hold (or is not valid UTF-8);
// failedAt, when given, then receives the byte offset of the first such character.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8,
                                             std::size_t* failedAt = nullptr);

// Every byte has a meaning; the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) are kept as the control characters of the same number.
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace stelvador
