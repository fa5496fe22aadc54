#pragma once

#include <string>

#include "widgets/calculation_results_window.h"

namespace stelvador {

// The data entry window's way to the results window, a window it does not include: the
// program hands it in. The window is created and loaded at its first use and lives until it is
// unloaded (closed); the next use creates it afresh.
class ResultsWindowLink {
  public:
    virtual ~ResultsWindowLink() = default;

    // The results window, created and loaded when it is not loaded.
    virtual CalculationResultsWindow& window() = 0;
    virtual bool isLoaded() const = 0;
    // Unloads the window when it is loaded: its rows are discarded.
    virtual void unload() = 0;
    // Asks every spreadsheet application of the program to quit (the global application's
    // Quit), as the Exit commands do; false when the user cancels the question about unsaved
    // workbooks, and then every application runs on as it was.
    virtual bool quitSpreadsheetApplications() = 0;
    // The program folder that holds the program's workbooks.
    virtual std::string programFolder() const = 0;
};

}  // namespace stelvador
