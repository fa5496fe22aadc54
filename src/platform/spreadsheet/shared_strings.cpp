#include "platform/spreadsheet/shared_strings.h"

namespace stelvador {

void SharedStrings::Add(std::string_view text) {
    m_texts += text;
    m_ends.push_back(m_texts.size());
}

std::string_view SharedStrings::operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_texts).substr(begin, m_ends[index] - begin);
}

}  // namespace stelvador
