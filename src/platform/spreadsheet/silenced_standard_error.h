#pragma once

namespace stelvador {

// While it lives, what this process writes to standard error goes nowhere: a library that prints
// its own error lines (libxlsxwriter's "[ERROR] ...") keeps them out of the user's terminal,
// since the error code it returns is what the program reports. Restored when it goes away.
class SilencedStandardError {
  public:
    SilencedStandardError();
    SilencedStandardError(const SilencedStandardError&) = delete;
    SilencedStandardError& operator=(const SilencedStandardError&) = delete;
    ~SilencedStandardError();

  private:
    int m_saved = -1;
};

}  // namespace stelvador
