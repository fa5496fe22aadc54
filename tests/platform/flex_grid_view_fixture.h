#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTest>

#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"

namespace stelvador {

// What the view reported, in order.
struct GridEvents {
    std::vector<int> keys;
    struct Press {
        int button;
        int shift;
        int x;
        int y;
        int row;  // the grid's current cell when the press was told
        int col;
    };
    std::vector<Press> presses;
    struct ClickAt {
        int row;
        int col;
    };
    std::vector<ClickAt> clicks;
};

// A shown 301 x 44 view laid out like the analysis grid: headings in row 0, row numbers in
// column 0, each data cell naming itself "r,c".
class FlexGridViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_view = std::make_unique<FlexGridView>(301, 44);
        FlexGrid& g = grid();
        for (int c = 0; c < g.Cols(); ++c) {
            // Appended, not "H" + text: GCC 12 at -O3 warns (-Wrestrict, wrongly) inside the
            // library's operator+ on a literal.
            std::string heading = c == 0 ? "Row No" : "H";
            if (c > 0) {
                heading += std::to_string(c);
            }
            g.setTextMatrix(0, c, heading);
        }
        for (int r = 1; r < g.Rows(); ++r) {
            g.setTextMatrix(r, 0, std::to_string(r));
            for (int c = 1; c < g.Cols(); ++c) {
                g.setTextMatrix(r, c, std::to_string(r) + "," + std::to_string(c));
            }
        }
        m_view->resize(800, 500);
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
        QObject::connect(m_view.get(), &FlexGridView::KeyPress, m_view.get(),
                         [this](int key) { m_events.keys.push_back(key); });
        QObject::connect(
            m_view.get(), &FlexGridView::MouseDown, m_view.get(),
            [this](int button, int shift, int x, int y) {
                m_events.presses.push_back({button, shift, x, y, grid().Row(), grid().Col()});
            });
        QObject::connect(m_view.get(), &FlexGridView::Click, m_view.get(), [this] {
            m_events.clicks.push_back({grid().Row(), grid().Col()});
        });
    }

    FlexGrid& grid() { return m_view->grid(); }
    QAbstractItemModel* model() { return m_view->model(); }

    // The centre of grid cell (row, col) in the view's viewport.
    QPoint cellCentre(int row, int col) {
        return m_view->visualRect(model()->index(row - 1, col - 1)).center();
    }

    void expectSelection(int row, int col, int rowSel, int colSel) {
        EXPECT_EQ(grid().Row(), row);
        EXPECT_EQ(grid().Col(), col);
        EXPECT_EQ(grid().RowSel(), rowSel);
        EXPECT_EQ(grid().ColSel(), colSel);
    }

    std::unique_ptr<FlexGridView> m_view;
    GridEvents m_events;
};

}  // namespace stelvador
