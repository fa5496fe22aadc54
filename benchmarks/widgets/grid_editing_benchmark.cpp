// Grid editing on a shown analysis grid (301 x 44, laid out by capCell), with the window's
// events processed after each command so drawing is counted: Paste of a full 300 x 43 block
// after Select All, Select All, Clear All of a full grid, and one character typed on the grid.
#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "entry/cap_cell.h"
#include "platform/flex_grid_view.h"
#include "platform/qt_clipboard.h"
#include "widgets/grid_editing.h"
#include "widgets/main_window_controls.h"

namespace {

using stelvador::FlexGrid;
using stelvador::FlexGridView;
using stelvador::GridEditing;

// A full data block as a spreadsheet copies it: TAB between cells, LF after every row.
QString fullBlock() {
    std::string text;
    for (int r = 1; r <= stelvador::kAnalysisRowCount; ++r) {
        text += "Ep-" + std::to_string(r);
        for (int c = 2; c < stelvador::kAnalysisGridCols; ++c) {
            text += '\t';
            text += std::to_string(c % 50) + "." + std::to_string(100 + (r * c) % 900);
        }
        text += '\n';
    }
    return QString::fromStdString(text);
}

// The data entry window's grid as the user sees it: shown, laid out, with its mirror.
class ShownGrid {
  public:
    ShownGrid() : m_window(std::make_unique<QWidget>()) {
        auto* layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        m_view = new FlexGridView(1001, 45, m_window.get());
        layout->addWidget(m_view);
        m_mirror = stelvador::CreateCellMirror(m_window.get());
        m_editing = new GridEditing(
            stelvador::GridEditingVariant::DataEntry, *m_view, *m_mirror, m_clipboard,
            [](const std::function<void()>& work) { work(); }, m_window.get());
        m_editing->setGridLayout(&stelvador::capCell);
        stelvador::capCell(m_view->grid());
        m_window->resize(1198, 689);
        m_window->show();
        m_view->setFocus();
        QApplication::processEvents();
    }

    FlexGrid& grid() { return m_view->grid(); }
    FlexGridView& view() { return *m_view; }
    GridEditing& editing() { return *m_editing; }

    void fill(const QString& block) {
        QGuiApplication::clipboard()->setText(block);
        m_editing->mnuEditSelectAll_Click();
        m_editing->mnuEditPaste_Click();
        QApplication::processEvents();
    }

  private:
    std::unique_ptr<QWidget> m_window;
    FlexGridView* m_view = nullptr;
    QLineEdit* m_mirror = nullptr;
    stelvador::QtClipboard m_clipboard;
    GridEditing* m_editing = nullptr;
};

void BM_PasteFullBlock(benchmark::State& state) {
    ShownGrid shown;
    QGuiApplication::clipboard()->setText(fullBlock());
    for (auto _ : state) {
        state.PauseTiming();
        shown.editing().mnuEditSelectAll_Click();
        shown.editing().mnuEditDelete_Click();
        QApplication::processEvents();
        state.ResumeTiming();
        shown.editing().mnuEditPaste_Click();
        QApplication::processEvents();
    }
    benchmark::DoNotOptimize(shown.grid().TextMatrix(300, 43));
}
BENCHMARK(BM_PasteFullBlock)->Unit(benchmark::kMillisecond);

void BM_SelectAll(benchmark::State& state) {
    ShownGrid shown;
    shown.fill(fullBlock());
    for (auto _ : state) {
        state.PauseTiming();
        shown.grid().setRow(250);
        shown.grid().setCol(30);
        shown.view().scrollToBottom();
        QApplication::processEvents();
        state.ResumeTiming();
        shown.editing().mnuEditSelectAll_Click();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SelectAll)->Unit(benchmark::kMillisecond);

void BM_ClearAll(benchmark::State& state) {
    ShownGrid shown;
    const QString block = fullBlock();
    for (auto _ : state) {
        state.PauseTiming();
        shown.fill(block);
        state.ResumeTiming();
        shown.editing().mnuClear_Click();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClearAll)->Unit(benchmark::kMillisecond);

// One key typed on the focused grid, through the view's key handling and the KeyPress handler.
void BM_TypeOneCharacter(benchmark::State& state) {
    ShownGrid shown;
    shown.fill(fullBlock());
    shown.grid().setRow(150);
    shown.grid().setCol(20);
    QApplication::processEvents();
    const std::string start = shown.grid().Text();
    for (auto _ : state) {
        state.PauseTiming();
        shown.grid().setText(start);
        QApplication::processEvents();
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QApplication::sendEvent(&shown.view(), &press);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMicrosecond);

}  // namespace
