#include "platform/spreadsheet/silenced_standard_error.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace stelvador {

SilencedStandardError::SilencedStandardError() {
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere < 0) {
        return;  // nothing to silence with: the lines stay visible, nothing else changes
    }
    std::fflush(stderr);
    m_saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (m_saved >= 0 && ::dup2(nowhere, STDERR_FILENO) < 0) {
        ::close(m_saved);
        m_saved = -1;
    }
    ::close(nowhere);
}

SilencedStandardError::~SilencedStandardError() {
    if (m_saved < 0) {
        return;
    }
    std::fflush(stderr);
    ::dup2(m_saved, STDERR_FILENO);
    ::close(m_saved);
}

}  // namespace stelvador
