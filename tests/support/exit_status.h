#pragma once

#include <sys/wait.h>

namespace stelvador {

// The exit status of a child that std::system or pclose waited for; -1 when it did not exit
// normally (killed by a signal, or not started).
inline int ExitStatus(int waitResult) {
    return WIFEXITED(waitResult) ? WEXITSTATUS(waitResult) : -1;
}

}  // namespace stelvador
