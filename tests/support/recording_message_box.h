#pragma once

#include <string>
#include <vector>

#include "platform/message_box.h"

namespace stelvador {

// Message box double: shows nothing, records every text in the order shown.
class RecordingMessageBox : public MessageBox {
  public:
    void Show(const std::string& text) override { m_texts.push_back(text); }

    const std::vector<std::string>& texts() const { return m_texts; }
    // The last text shown, or the empty text when none was.
    std::string lastText() const { return m_texts.empty() ? std::string() : m_texts.back(); }
    void clear() { m_texts.clear(); }

  private:
    std::vector<std::string> m_texts;
};

}  // namespace stelvador
