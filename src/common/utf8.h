#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace stelvador {

// The program holds every text as UTF-8; these read and write its sequences.

// Appends the sequence of a Unicode scalar value. A value that is none (a surrogate, or beyond
// U+10FFFF) is written as U+FFFD, so the text stays valid UTF-8.
void AppendUtf8(std::string& out, char32_t code);

// The scalar value of the sequence that starts at text[at], with at moved past it; nothing,
// with at left where it was, for a sequence that is not UTF-8: a stray continuation byte, a
// byte no sequence starts with, a sequence cut short, a longer form than its value needs (an
// overlong form would smuggle a character past a check of the bytes), a surrogate, or a value
// beyond U+10FFFF. at must be below text.size().
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& at);

}  // namespace stelvador
