#pragma once

#include <string>

namespace stelvador {

// The program's project-wide variables, kept together in one object.
struct ProjectVariables {
    // The name last taken from a file dialog, or the plot document last opened.
    std::string LastFileName;
    // The number of the most recent failure skipped in continue-on-error mode; 0 when none.
    int pendingError = 0;
    // What the pending failure knows of its cause, shown under its message; empty when nothing.
    std::string pendingReason;
};

ProjectVariables& Project();

}  // namespace stelvador
