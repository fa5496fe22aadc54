#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace stelvador {

// Shell double: opens nothing, records every document and link in the order handed over.
class ScriptedShell : public Shell {
  public:
    void OpenDocument(const std::string& path) override { m_documents.push_back(path); }
    void OpenLink(const std::string& url) override { m_links.push_back(url); }

    const std::vector<std::string>& documents() const { return m_documents; }
    const std::vector<std::string>& links() const { return m_links; }
    void clear() {
        m_documents.clear();
        m_links.clear();
    }

  private:
    std::vector<std::string> m_documents;
    std::vector<std::string> m_links;
};

}  // namespace stelvador
