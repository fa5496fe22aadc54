#pragma once

#include <new>
#include <utility>

#include "common/error_numbers.h"
#include "common/project_variables.h"
#include "common/run_time_error.h"

namespace stelvador {

// Entering continue-on-error mode clears any pending failure.
inline void EnterContinueOnError() {
    Project().pendingError = 0;
}

inline int PendingError() {
    return Project().pendingError;
}

// Runs one step of a command in continue-on-error mode: a step that fails is abandoned, its
// number becomes the pending error number, and the command goes on. Returns whether it succeeded.
template <class Step>
bool ContinueOnError(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const RunTimeError& e) {
        Project().pendingError = e.number();
    } catch (const std::bad_alloc&) {
        Project().pendingError = error::kOutOfMemory;
    }
    return false;
}

}  // namespace stelvador
