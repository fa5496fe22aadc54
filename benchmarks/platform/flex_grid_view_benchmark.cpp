// Appending result rows to a shown grid view: 300 rows of 135 columns, one AddItem at a time,
// as the Calculate command fills the results grid.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QHeaderView>

#include "platform/flex_grid_view.h"

namespace {

std::string resultRow(int index) {
    std::string row = "Sample " + std::to_string(index);
    for (int c = 1; c < 131; ++c) {
        row += '\t';
        row += std::to_string(c % 17) + "." + std::to_string(100 + index % 900);
    }
    return row;
}

// A shown results-sized grid: 2 rows (column numbers and headings) of 135 columns.
void layOut(stelvador::FlexGridView& view) {
    stelvador::FlexGrid& grid = view.grid();
    grid.setRowHeightMin(255);
    for (int c = 0; c < grid.Cols(); ++c) {
        grid.setRow(0);
        grid.setCol(c);
        grid.setCellAlignment(stelvador::FlexGrid::kAlignCenterCenter);
        grid.setText(c == 0 ? "Stelvador" : std::to_string(c));
    }
    grid.setRow(0);
    grid.setCol(0);
    view.resize(1200, 700);
    view.show();
    QApplication::processEvents();
}

// Appends rows of 135 cells to a shown grid, then lays out and paints what is shown. Args: the
// number of rows, and whether the window's events are processed after every row (a grid that
// repaints while the rows arrive) or only once at the end (as one Calculate run does).
void BM_AppendRows(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const bool processEachRow = state.range(1) != 0;
    std::vector<std::string> texts;
    for (int i = 0; i < rows; ++i) {
        texts.push_back(resultRow(i));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<stelvador::FlexGridView>(2, 135);
        layOut(*view);
        state.ResumeTiming();
        for (const std::string& text : texts) {
            view->grid().AddItem(text);
            if (processEachRow) {
                QApplication::processEvents();
            }
        }
        QApplication::processEvents();
        view->viewport()->repaint();
        benchmark::DoNotOptimize(view->model()->rowCount());
        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_AppendRows)
    ->ArgNames({"rows", "processEachRow"})
    ->Args({300, 0})
    ->Args({300, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
