#pragma once

#include <string>

namespace stelvador {

class FlexGrid;

// What the Calculate command needs of the results window.
class CalculationResultsWindow {
  public:
    virtual ~CalculationResultsWindow() = default;

    // Status panels are numbered from 1: 1 file, 2 normalization, 3 oxygen, 4 Si = 3.
    virtual void setStatusPanelText(int panel, const std::string& text) = 0;
    // Shows the window, modeless.
    virtual void showWindow() = 0;
    // The results grid, where each analysis's row is appended.
    virtual FlexGrid& resultsGrid() = 0;
};

}  // namespace stelvador
