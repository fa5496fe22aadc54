#include "entry/calculate_command.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "calculation/chain/calculate_analysis.h"
#include "calculation/output/plot_data_files.h"
#include "common/continue_on_error.h"
#include "common/number_conversion.h"
#include "common/oxide_list.h"
#include "entry/cap_cell.h"
#include "entry/data_file.h"
#include "platform/file_dialog.h"
#include "platform/flex_grid.h"

namespace stelvador {

namespace {

constexpr std::string_view kDataFileFilter = "Epidote(*.epd) |*.epd";
constexpr int kSiO2Column = kFirstOxideColumn;

// A cell of a row or column the grid lacks reads as empty; no other cell stands in for it.
std::string_view CellText(const FlexGrid& grid, int row, int col) {
    if (row < grid.Rows() && col < grid.Cols()) {
        return grid.TextMatrix(row, col);
    }
    return {};
}

// Whether the row holds an analysis: its SiO2 cell reads a non-zero number. A number beyond
// the range of a double is not zero.
bool HoldsAnalysis(const FlexGrid& grid, int row) {
    try {
        return ConvertCellText(CellText(grid, row, kSiO2Column)) != 0.0;
    } catch (const RunTimeError&) {
        return true;
    }
}

// Runs a step on the results window; without one (its creation failed) the step fails as an
// operation on a missing object does.
template <class Step>
void OnResultsWindow(CalculationResultsWindow* results, Step&& step) {
    ContinueOnError([&] {
        if (results == nullptr) {
            throw RunTimeError(error::kObjectRequired);
        }
        step(*results);
    });
}

// The input step: asks for a data file and loads it into the analysis grid's data block. A
// cancelled dialog, a missing file or a file that cannot be read changes no cell, and the grid
// is then calculated as it stands; the failure is left pending.
void LoadDataFileForCalculation(CalculationEntryWindow& window) {
    std::string fileName;
    ContinueOnError([&] {
        FileDialog& dialog = window.fileDialog();
        dialog.setFilter(std::string(kDataFileFilter));
        dialog.ShowOpen();
        fileName = dialog.FileName();
    });
    ContinueOnError([&] { window.showCellMirror(); });
    ContinueOnError([&] { window.setFilePanelText(fileName); });
    ContinueOnError([&] { window.layOutAnalysisGrid(); });
    if (fileName.empty()) {
        return;
    }
    std::string loadedText;
    if (!ContinueOnError([&] { loadedText = ReadDataFile(fileName); })) {
        return;
    }
    ContinueOnError([&] {
        FlexGrid& grid = window.analysisGrid();
        ReplaceDataBlock(grid, loadedText);
        grid.setCellAlignment(FlexGrid::kAlignCenterCenter);
    });
}

// Says which plot data files a failed run left, so that no earlier file is taken for this run's.
std::string PlotFailureReason(int replaced) {
    if (replaced == 0) {
        return "The 13 plot data files were left as they were before this run.";
    }
    return std::to_string(replaced) +
           " of the 13 plot data files hold this run; the others were left as they were before "
           "it.";
}

}  // namespace

void RunCalculateCommand(CalculationEntryWindow& window) {
    window.setScreenTitle("Wait Please");
    EnterContinueOnError();

    CalculationResultsWindow* results = nullptr;
    ContinueOnError([&] { results = &window.resultsWindow(); });
    OnResultsWindow(
        results, [](CalculationResultsWindow& r) { r.setStatusPanelText(2, "Total (A+M+T) = 8"); });
    OnResultsWindow(results,
                    [](CalculationResultsWindow& r) { r.setStatusPanelText(3, "12.5 oxygen"); });
    // The option as it stands when the run starts holds for the whole run.
    const bool siNormalization = window.siNormalizationChecked();
    OnResultsWindow(results, [&](CalculationResultsWindow& r) {
        r.setStatusPanelText(4, siNormalization ? "Si = 3" : "not selected");
    });

    if (!window.gridLoadedChecked()) {
        LoadDataFileForCalculation(window);
    }

    std::string fileName;
    ContinueOnError([&] { fileName = window.fileDialog().FileName(); });
    OnResultsWindow(results, [](CalculationResultsWindow& r) { r.showWindow(); });

    PlotDataFiles plotFiles;
    ContinueOnError([&] { OpenPlotDataFiles(plotFiles, std::filesystem::path(".")); });

    // Every row 1 to 300 whose SiO2 cell reads a non-zero number is an analysis, wherever it
    // lies; the other rows are skipped.
    const FlexGrid& grid = window.analysisGrid();
    AnalysisOutcome outcome;
    std::array<std::string_view, kOxideCount> cells;
    int lastAnalysisRow = 0;
    for (int row = 1; row <= kAnalysisRowCount; ++row) {
        if (!HoldsAnalysis(grid, row)) {
            continue;
        }
        lastAnalysisRow = row;
        const bool calculated = ContinueOnError([&] {
            for (int k = 0; k < kOxideCount; ++k) {
                cells[static_cast<std::size_t>(k)] = CellText(grid, row, kFirstOxideColumn + k);
            }
            CalculateAnalysis(CellText(grid, row, kSampleColumn), cells, siNormalization, outcome);
        });
        if (!calculated) {
            continue;
        }
        OnResultsWindow(results,
                        [&](CalculationResultsWindow& r) { r.setStatusPanelText(1, fileName); });
        OnResultsWindow(results, [&](CalculationResultsWindow& r) {
            r.resultsGrid().AddItem(outcome.row.text);
        });
        ContinueOnError([&] { WritePlotRecords(plotFiles, outcome.state, outcome.row); });
    }

    // The grid's current cell ends where reading left it: the last constituent of the last
    // analysis, or the SiO2 cell of row 300 when there was none, as later commands expect. A
    // grid without that cell keeps its current cell; that is no failure of the run.
    ContinueOnError([&] {
        FlexGrid& analysisGrid = window.analysisGrid();
        const int row = lastAnalysisRow > 0 ? lastAnalysisRow : kAnalysisRowCount;
        const int col = lastAnalysisRow > 0 ? kFirstOxideColumn + kOxideCount - 1 : kSiO2Column;
        if (row < analysisGrid.Rows() && col < analysisGrid.Cols()) {
            analysisGrid.setRow(row);
            analysisGrid.setCol(col);
        }
    });

    ContinueOnError([&] { ClosePlotDataFiles(plotFiles); });
    if (plotFiles.lastFailure() != 0) {
        SetPendingError(plotFiles.lastFailure(), PlotFailureReason(plotFiles.replaced()));
    }
    ContinueOnError([&] { window.setScreenTitle("Data Entry Screen"); });
}

}  // namespace stelvador
