#pragma once

#include <string>

namespace stelvador {

// The desktop's open operation: hands a document or a link to the program the desktop has
// registered for it and returns at once; what that program does is not awaited or looked at.
// Nothing goes through a shell command line.
class Shell {
  public:
    virtual ~Shell() = default;

    // A file path, absolute or relative to the current directory.
    virtual void OpenDocument(const std::string& path) = 0;
    // An already encoded link, such as a mailto link.
    virtual void OpenLink(const std::string& url) = 0;
};

// Looks for the document before handing it over, so that a missing one is reported instead
// of vanishing in the desktop's handler: RunTimeError 53 (file not found) when the path names
// no file (the empty path included).
void OpenExistingDocument(Shell& shell, const std::string& path);

}  // namespace stelvador
