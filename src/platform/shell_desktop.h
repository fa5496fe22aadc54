#pragma once

#include "platform/shell.h"

namespace stelvador {

// The shell on this desktop: QDesktopServices opens the document or link with the handler the
// desktop has registered for it; its answer is ignored.
class DesktopShell : public Shell {
  public:
    void OpenDocument(const std::string& path) override;
    void OpenLink(const std::string& url) override;
};

}  // namespace stelvador
