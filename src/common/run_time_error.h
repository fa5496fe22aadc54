#pragma once

#include <stdexcept>
#include <string>

namespace stelvador {

// A failing platform, file or arithmetic operation. The number is what the error reporter looks
// up in its window's message table; the description is shown when the table lacks the number.
// The reason, when the failure knows one ("The workbook is protected with a password."), is shown
// on a second line under the table's text.
class RunTimeError : public std::runtime_error {
  public:
    explicit RunTimeError(int number, const std::string& description = {}, std::string reason = {});

    int number() const noexcept { return m_number; }
    const std::string& reason() const noexcept { return m_reason; }

  private:
    int m_number;
    std::string m_reason;
};

}  // namespace stelvador
