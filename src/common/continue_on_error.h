#pragma once

#include <new>
#include <string>
#include <utility>

#include "common/error_numbers.h"
#include "common/project_variables.h"
#include "common/run_time_error.h"

namespace stelvador {

// Entering continue-on-error mode clears any pending failure.
inline void EnterContinueOnError() {
    Project().pendingError = 0;
    Project().pendingReason.clear();
}

inline int PendingError() {
    return Project().pendingError;
}

inline const std::string& PendingReason() {
    return Project().pendingReason;
}

// Makes the number (and the reason, which may be empty) the pending failure.
inline void SetPendingError(int number, std::string reason = {}) {
    Project().pendingError = number;
    Project().pendingReason = std::move(reason);
}

// Runs one step of a command in continue-on-error mode: a step that fails is abandoned, its
// number becomes the pending error number, and the command goes on. Returns whether it succeeded.
template <class Step>
bool ContinueOnError(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const RunTimeError& e) {
        SetPendingError(e.number(), e.reason());
    } catch (const std::bad_alloc&) {
        SetPendingError(error::kOutOfMemory);
    }
    return false;
}

}  // namespace stelvador
