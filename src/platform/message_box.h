#pragma once

#include <string>

namespace stelvador {

// The program's message box: a text, an OK button only, no icon, caption "Stelvador". Show
// returns when the user has closed it.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void Show(const std::string& text) = 0;
};

}  // namespace stelvador
