#pragma once

#include <string>

#include "widgets/calculation_results_window.h"

namespace stelvador {

class FileDialog;
class FlexGrid;

// What the Calculate command needs of the data entry window: its public operations and the
// controls it reads and writes.
class CalculationEntryWindow {
  public:
    virtual ~CalculationEntryWindow() = default;

    virtual void setScreenTitle(const std::string& title) = 0;
    // Status panel 1 of the data entry window.
    virtual void setFilePanelText(const std::string& text) = 0;
    virtual void showCellMirror() = 0;
    virtual FlexGrid& analysisGrid() = 0;
    virtual FileDialog& fileDialog() = 0;
    // Lays the analysis grid out again (size, headings, row numbers); clears no data cell.
    virtual void layOutAnalysisGrid() = 0;
    // The Si = 3 option (check mark of mnuSiNorm).
    virtual bool siNormalizationChecked() const = 0;
    // The loaded-grid mark (check mark of mnuOpen, set by Open File).
    virtual bool gridLoadedChecked() const = 0;
    // The results window; its first use creates and loads it.
    virtual CalculationResultsWindow& resultsWindow() = 0;
};

// The Calculate command: loads a data file into the analysis grid unless the loaded-grid mark
// is set, calculates every row 1 to 300 whose SiO2 cell reads a non-zero number, appends one
// result row per analysis to the results grid and writes the 13 plot data files into the
// current directory. Runs in continue-on-error mode: a failing step is skipped and its number
// is left pending for the caller's error reporter. Never throws a RunTimeError.
void RunCalculateCommand(CalculationEntryWindow& window);

}  // namespace stelvador
