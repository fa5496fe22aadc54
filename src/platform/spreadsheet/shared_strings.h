#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stelvador {

// The shared strings of an .xlsx workbook, kept end to end in one buffer: a few bytes per entry
// however many there are, so a long list of empty entries costs little memory.
class SharedStrings {
  public:
    void Add(std::string_view text);
    // A string longer than a cell holds: its text is not kept.
    void AddTooLong();
    std::size_t size() const { return m_ends.size(); }
    std::string_view operator[](std::size_t index) const;
    bool IsTooLong(std::size_t index) const;
    bool HasTooLong() const { return !m_tooLong.empty(); }

  private:
    std::string m_texts;
    std::vector<std::size_t> m_ends;
    std::vector<std::size_t> m_tooLong;  // ascending
};

}  // namespace stelvador
