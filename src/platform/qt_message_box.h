#pragma once

#include <string>

#include "platform/message_box.h"

class QWidget;

namespace stelvador {

// The message box on screen: the text, an OK button, no icon, caption "Stelvador", modal to
// the parent window (or to the application when there is none).
class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void Show(const std::string& text) override;

  private:
    QWidget* m_parent;
};

}  // namespace stelvador
