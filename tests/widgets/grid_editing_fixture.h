#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "common/run_time_error.h"
#include "entry/cap_cell.h"
#include "platform/flex_grid_view.h"
#include "platform/qt_clipboard.h"
#include "results/results_grid_layout.h"
#include "widgets/grid_editing.h"
#include "widgets/main_window_controls.h"

namespace stelvador {

// Every cell of a grid, row by row.
using GridCells = std::vector<std::vector<std::string>>;

inline GridCells CellsOf(const FlexGrid& grid) {
    GridCells cells(static_cast<std::size_t>(grid.Rows()));
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            cells[static_cast<std::size_t>(r)].push_back(grid.TextMatrix(r, c));
        }
    }
    return cells;
}

// A window as both main windows hold their grid: the grid view, the cell mirror left of the
// client area, an Edit menu for the pop-up, the real clipboard, and a handler top that records
// what reached it. The data entry variant starts from the analysis grid's design size laid out
// by capCell; the results variant from the results grid's layout.
class GridEditingWindow {
  public:
    explicit GridEditingWindow(GridEditingVariant variant) : m_window(std::make_unique<QWidget>()) {
        auto* layout = new QVBoxLayout(m_window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        if (variant == GridEditingVariant::DataEntry) {
            m_view = new FlexGridView(1001, 45, m_window.get());
            capCell(m_view->grid());
        } else {
            m_view = new FlexGridView(kResultsGridLayoutRows, kResultsGridColumns, m_window.get());
            LayOutResultsGrid(m_view->grid(), 255);
        }
        layout->addWidget(m_view);
        m_mirror = CreateCellMirror(m_window.get());
        m_editMenu = new QMenu(QStringLiteral("Edit"), m_window.get());
        m_editMenu->addAction(QStringLiteral("Cut"));
        m_editMenu->addAction(QStringLiteral("Copy"));
        m_editMenu->addAction(QStringLiteral("Paste"));
        m_editing = new GridEditing(
            variant, *m_view, *m_mirror, m_clipboard,
            [this](const std::function<void()>& work) {
                ++m_eventsRun;
                try {
                    work();
                } catch (const RunTimeError& e) {
                    m_reported.push_back(e.number());
                }
            },
            m_window.get());
        if (variant == GridEditingVariant::DataEntry) {
            m_editing->setGridLayout(&capCell);
        }
        m_editing->setPopUpMenu(m_editMenu);
        m_window->resize(1000, 600);
        m_window->show();
    }

    FlexGrid& grid() { return m_view->grid(); }

    std::unique_ptr<QWidget> m_window;
    FlexGridView* m_view = nullptr;
    QLineEdit* m_mirror = nullptr;
    QMenu* m_editMenu = nullptr;
    QtClipboard m_clipboard;
    GridEditing* m_editing = nullptr;
    int m_eventsRun = 0;
    std::vector<int> m_reported;
};

class GridEditingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_window = std::make_unique<GridEditingWindow>(GridEditingVariant::DataEntry);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window->m_window.get()));
    }
    void TearDown() override {
        m_window->m_editMenu->hide();
        m_window.reset();
    }

    FlexGrid& grid() { return m_window->grid(); }
    GridEditing& editing() { return *m_window->m_editing; }
    FlexGridView& view() { return *m_window->m_view; }
    QLineEdit& mirror() { return *m_window->m_mirror; }

    // Selects from (row, col) to (rowSel, colSel) as a drag would.
    void select(int row, int col, int rowSel, int colSel) {
        grid().setRow(row);
        grid().setCol(col);
        grid().setRowSel(rowSel);
        grid().setColSel(colSel);
    }
    void current(int row, int col) { select(row, col, row, col); }

    // Fills the data block, each cell naming itself "r,c".
    void fillDataBlock() {
        for (int r = 1; r < grid().Rows(); ++r) {
            for (int c = 1; c < grid().Cols(); ++c) {
                grid().setTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
            }
        }
    }

    static QString clipboardText() { return QGuiApplication::clipboard()->text(); }
    static void setClipboardText(const QString& text) {
        QGuiApplication::clipboard()->setText(text);
    }

    std::unique_ptr<GridEditingWindow> m_window;
};

}  // namespace stelvador
