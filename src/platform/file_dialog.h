#pragma once

#include <string>

namespace stelvador {

// The common file dialog as the program uses it: a filter of "Description|*.ext" pairs, shown
// modally to open or to save; FileName is the chosen path, or the empty text when cancelled. A
// chosen file makes its folder the process's current directory.
class FileDialog {
  public:
    virtual ~FileDialog() = default;

    void setFilter(const std::string& filter) { m_filter = filter; }
    const std::string& Filter() const { return m_filter; }
    const std::string& FileName() const { return m_fileName; }
    void setFileName(const std::string& name) { m_fileName = name; }

    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;

  private:
    std::string m_filter;
    std::string m_fileName;
};

}  // namespace stelvador
