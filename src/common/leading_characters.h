#pragma once

#include <cstddef>
#include <string_view>

namespace stelvador {

// The first count characters of a UTF-8 text, or the whole text when it holds no more: a view
// shows that much of a long text, so drawing it costs no more than a short one.
std::string_view LeadingCharacters(std::string_view utf8, std::size_t count) noexcept;

}  // namespace stelvador
