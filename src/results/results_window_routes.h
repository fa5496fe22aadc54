#pragma once

#include <functional>

namespace stelvador {

// Where the results window's commands lead beyond the window itself, handed in by the program
// (or by a test). A route left empty is the window's own: nothing for the data entry window,
// the application's quit for the end of the program.
struct ResultsWindowRoutes {
    // Brings the data entry window up, modeless.
    std::function<void()> showDataEntryWindow;
    // Ends the program: every window closes and no further command runs.
    std::function<void()> endProgram;
};

}  // namespace stelvador
