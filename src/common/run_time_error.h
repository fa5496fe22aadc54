#pragma once

#include <stdexcept>
#include <string>

namespace stelvador {

// A failing platform, file or arithmetic operation. The number is what the error reporter looks
// up in its window's message table; the description is shown when the table lacks the number.
class RunTimeError : public std::runtime_error {
  public:
    explicit RunTimeError(int number, const std::string& description = {});

    int number() const noexcept { return m_number; }

  private:
    int m_number;
};

}  // namespace stelvador
