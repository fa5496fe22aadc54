#include "platform/spreadsheet/shared_strings.h"

#include <algorithm>

namespace stelvador {

void SharedStrings::Add(std::string_view text) {
    m_texts += text;
    m_ends.push_back(m_texts.size());
}

void SharedStrings::AddTooLong() {
    m_tooLong.push_back(m_ends.size());
    m_ends.push_back(m_texts.size());
}

bool SharedStrings::IsTooLong(std::size_t index) const {
    return std::binary_search(m_tooLong.begin(), m_tooLong.end(), index);
}

std::string_view SharedStrings::operator[](std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_texts).substr(begin, m_ends[index] - begin);
}

}  // namespace stelvador
