#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>

#include "flex_grid_view_fixture.h"
#include "platform/flex_grid_table_model.h"

namespace stelvador {
namespace {

std::string shown(QAbstractItemModel* model, int row, int col) {
    return model->index(row, col).data(Qt::DisplayRole).toString().toStdString();
}

// Every grid cell as the view shows it: the model's cells, the header sections and the corner.
void expectViewMatchesGrid(FlexGridView& view) {
    const FlexGrid& g = view.grid();
    QAbstractItemModel* model = view.model();
    ASSERT_EQ(model->rowCount(), g.Rows() - 1);
    ASSERT_EQ(model->columnCount(), g.Cols() - 1);
    for (int r = 1; r < g.Rows(); ++r) {
        for (int c = 1; c < g.Cols(); ++c) {
            ASSERT_EQ(shown(model, r - 1, c - 1), g.TextMatrix(r, c)) << r << "," << c;
        }
        ASSERT_EQ(model->headerData(r - 1, Qt::Vertical).toString().toStdString(),
                  g.TextMatrix(r, 0))
            << "row heading " << r;
    }
    for (int c = 1; c < g.Cols(); ++c) {
        ASSERT_EQ(model->headerData(c - 1, Qt::Horizontal).toString().toStdString(),
                  g.TextMatrix(0, c))
            << "column heading " << c;
    }
    auto* adapter = qobject_cast<FlexGridTableModel*>(model);
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->cornerText().toStdString(), g.TextMatrix(0, 0));
}

TEST_F(FlexGridViewTest, ShowsGridTextsInCellsAndHeaders) {
    expectViewMatchesGrid(*m_view);
    grid().setTextMatrix(3, 5, "Sämple Ø1");
    EXPECT_EQ(shown(model(), 2, 4), "Sämple Ø1");
    grid().setRow(7);
    grid().setCol(2);
    grid().setText("12.5");
    EXPECT_EQ(shown(model(), 6, 1), "12.5");
    grid().setTextMatrix(0, 2, "SiO2");
    EXPECT_EQ(model()->headerData(1, Qt::Horizontal).toString(), "SiO2");
    grid().setTextMatrix(9, 0, "nine");
    EXPECT_EQ(model()->headerData(8, Qt::Vertical).toString(), "nine");
}

TEST_F(FlexGridViewTest, CellChangesAreSignalledForTheirRectangle) {
    QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
    grid().setRow(2);
    grid().setCol(3);
    grid().setRowSel(4);
    grid().setColSel(5);
    grid().setClip("a\tb\tc\rd\te\tf\rg\th\ti");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model()->index(1, 2));
    EXPECT_EQ(changed[0][1].toModelIndex(), model()->index(3, 4));
    EXPECT_EQ(shown(model(), 3, 4), "i");
}

// Operations that change the grid's shape; after each the view must show exactly the grid.
struct ShapeCase {
    const char* name;
    std::function<void(FlexGrid&)> change;
};

class FlexGridViewShapeTest : public FlexGridViewTest,
                              public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(FlexGridViewShapeTest, ViewKeepsInStep) {
    GetParam().change(grid());
    expectViewMatchesGrid(*m_view);
    if (grid().Rows() < 2 || grid().Cols() < 2) {
        return;
    }
    // The view's selection still follows the grid's after the change.
    grid().setRow(1);
    grid().setCol(1);
    EXPECT_EQ(m_view->selectionModel()->currentIndex(), model()->index(0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FlexGridViewShapeTest,
    ::testing::Values(ShapeCase{"AppendRow", [](FlexGrid& g) { g.AddItem("301\tnew\t1.5"); }},
                      ShapeCase{"InsertRow", [](FlexGrid& g) { g.AddItem("", 5); }},
                      ShapeCase{"InsertAboveHeadings",
                                [](FlexGrid& g) { g.AddItem("a\tb\tc", 0); }},
                      ShapeCase{"InsertAtFirstDataRow", [](FlexGrid& g) { g.AddItem("x", 1); }},
                      ShapeCase{"RemoveRow", [](FlexGrid& g) { g.RemoveItem(5); }},
                      ShapeCase{"RemoveLastRow", [](FlexGrid& g) { g.RemoveItem(g.Rows() - 1); }},
                      ShapeCase{"RemoveDownToOneDataRow",
                                [](FlexGrid& g) {
                                    while (g.Rows() > 2) {
                                        g.RemoveItem(1);
                                    }
                                }},
                      ShapeCase{"FewerRows", [](FlexGrid& g) { g.setRows(10); }},
                      ShapeCase{"OnlyHeadingRow", [](FlexGrid& g) { g.setRows(1); }},
                      ShapeCase{"MoreRows", [](FlexGrid& g) { g.setRows(400); }},
                      ShapeCase{"FewerCols", [](FlexGrid& g) { g.setCols(3); }},
                      ShapeCase{"MoreCols", [](FlexGrid& g) { g.setCols(135); }},
                      ShapeCase{"Clear", [](FlexGrid& g) { g.Clear(); }},
                      ShapeCase{"ReshapeWithSelectionOutside",
                                [](FlexGrid& g) {
                                    g.setRow(300);
                                    g.setCol(43);
                                    g.setRows(101);
                                    g.setCols(43);
                                }}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return info.param.name; });

TEST_F(FlexGridViewTest, AppendingKeepsRowCountsEqualAllTheWay) {
    FlexGridView results(2, 135);
    std::string row = "Sample";
    for (int c = 1; c < 131; ++c) {
        row += '\t';
        row += std::to_string(c);
        row += ".000";
    }
    for (int i = 0; i < 300; ++i) {
        results.grid().AddItem(row);
        ASSERT_EQ(results.model()->rowCount(), results.grid().Rows() - 1);
    }
    EXPECT_EQ(results.grid().Rows(), 302);
    EXPECT_EQ(shown(results.model(), 300, 129), "130.000");
    EXPECT_EQ(results.model()->headerData(300, Qt::Vertical).toString(), "Sample");
}

TEST_F(FlexGridViewTest, AlignmentFollowsCellAlignment) {
    grid().setRow(0);
    grid().setCol(7);
    grid().setCellAlignment(FlexGrid::kAlignRightTop);
    grid().setRow(4);
    grid().setCol(0);
    grid().setCellAlignment(FlexGrid::kAlignCenterCenter);
    grid().setRow(2);
    grid().setCol(3);
    grid().setCellAlignment(FlexGrid::kAlignCenterCenter);
    grid().setTextMatrix(5, 5, "1,234.567");
    grid().setTextMatrix(5, 6, "Epidote");
    const auto alignment = [](const QVariant& value) { return Qt::Alignment(value.toInt()); };
    EXPECT_EQ(alignment(model()->headerData(6, Qt::Horizontal, Qt::TextAlignmentRole)),
              Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(alignment(model()->headerData(3, Qt::Vertical, Qt::TextAlignmentRole)),
              Qt::AlignCenter);
    EXPECT_EQ(alignment(model()->index(1, 2).data(Qt::TextAlignmentRole)), Qt::AlignCenter);
    EXPECT_EQ(alignment(model()->index(4, 4).data(Qt::TextAlignmentRole)),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(alignment(model()->index(4, 5).data(Qt::TextAlignmentRole)),
              Qt::AlignLeft | Qt::AlignVCenter);
}

TEST_F(FlexGridViewTest, ProgramSelectionShowsInView) {
    grid().setRow(5);
    grid().setCol(3);
    grid().setRowSel(8);
    grid().setColSel(2);
    QItemSelectionModel* selection = m_view->selectionModel();
    EXPECT_EQ(selection->currentIndex(), model()->index(4, 2));
    const QModelIndexList cells = selection->selectedIndexes();
    EXPECT_EQ(cells.size(), 4 * 2);
    EXPECT_TRUE(selection->isSelected(model()->index(4, 1)));
    EXPECT_TRUE(selection->isSelected(model()->index(7, 2)));
    EXPECT_FALSE(selection->isSelected(model()->index(8, 2)));
    EXPECT_FALSE(selection->isSelected(model()->index(4, 3)));

    // Select All from the fixed corner selects every cell of the view.
    grid().setRow(0);
    grid().setCol(0);
    grid().setRowSel(grid().Rows() - 1);
    grid().setColSel(grid().Cols() - 1);
    EXPECT_FALSE(selection->currentIndex().isValid());
    EXPECT_EQ(selection->selectedIndexes().size(), 300 * 43);
}

TEST_F(FlexGridViewTest, ArrowKeysMoveCurrentCellAndShiftExtendsSelection) {
    grid().setRow(5);
    grid().setCol(3);
    QTest::keyClick(m_view.get(), Qt::Key_Down);
    expectSelection(6, 3, 6, 3);
    QTest::keyClick(m_view.get(), Qt::Key_Right);
    expectSelection(6, 4, 6, 4);
    QTest::keyClick(m_view.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(m_view.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(m_view.get(), Qt::Key_Down, Qt::ShiftModifier);
    expectSelection(6, 4, 8, 5);
    EXPECT_EQ(grid().Clip(), "6,4\t6,5\r7,4\t7,5\r8,4\t8,5");
    // A plain move starts again from the current cell.
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    expectSelection(5, 4, 5, 4);
    QTest::keyClick(m_view.get(), Qt::Key_Home);
    expectSelection(5, 1, 5, 1);
    QTest::keyClick(m_view.get(), Qt::Key_End, Qt::ControlModifier);
    expectSelection(300, 43, 300, 43);
    EXPECT_TRUE(m_view->viewport()->rect().intersects(m_view->visualRect(model()->index(299, 42))));
    QTest::keyClick(m_view.get(), Qt::Key_Home, Qt::ControlModifier);
    expectSelection(1, 1, 1, 1);
    // Keys stop at the grid's edges and never enter the fixed row or column.
    QTest::keyClick(m_view.get(), Qt::Key_Up);
    QTest::keyClick(m_view.get(), Qt::Key_Left);
    expectSelection(1, 1, 1, 1);
    QTest::keyClick(m_view.get(), Qt::Key_PageDown);
    EXPECT_GT(grid().Row(), 2);
    EXPECT_TRUE(m_events.keys.empty());
}

TEST_F(FlexGridViewTest, ArrowFromFixedCellEntersScrollingCells) {
    grid().setRow(0);
    grid().setCol(43);
    QTest::keyClick(m_view.get(), Qt::Key_Down);
    expectSelection(1, 43, 1, 43);
}

struct TypedKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int code;
};

TEST_F(FlexGridViewTest, TypedKeysReachKeyPressAndEditNothing) {
    const std::vector<TypedKey> keys = {
        {Qt::Key_A, Qt::NoModifier, 'a'},        {Qt::Key_5, Qt::NoModifier, '5'},
        {Qt::Key_Period, Qt::NoModifier, '.'},   {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13}, {Qt::Key_Backspace, Qt::NoModifier, 8},
        {Qt::Key_Tab, Qt::NoModifier, 9},        {Qt::Key_C, Qt::ControlModifier, 3},
        {Qt::Key_V, Qt::ControlModifier, 22},    {Qt::Key_X, Qt::ControlModifier, 24},
        {Qt::Key_Space, Qt::NoModifier, 32},     {Qt::Key_Escape, Qt::NoModifier, 27},
    };
    grid().setRow(3);
    grid().setCol(2);
    m_view->setFocus();
    for (const TypedKey& typed : keys) {
        m_events.keys.clear();
        QTest::keyClick(m_view.get(), typed.key, typed.modifiers);
        ASSERT_EQ(m_events.keys.size(), 1u) << typed.code;
        EXPECT_EQ(m_events.keys.front(), typed.code);
    }
    m_events.keys.clear();
    QTest::keyClicks(m_view.get(), "Ep");
    EXPECT_EQ(m_events.keys, (std::vector<int>{'E', 'p'}));
    m_events.keys.clear();
    QTest::keyClick(m_view.get(), Qt::Key_Delete);
    QTest::keyClick(m_view.get(), Qt::Key_F2);
    EXPECT_TRUE(m_events.keys.empty());
    // The view never edits a cell nor moves on its own for a typed key; Tab kept the focus.
    EXPECT_EQ(grid().TextMatrix(3, 2), "3,2");
    expectSelection(3, 2, 3, 2);
    EXPECT_TRUE(m_view->hasFocus());
}

TEST_F(FlexGridViewTest, KeyPressHandlerMovingCurrentCellScrollsItIntoView) {
    QObject::connect(m_view.get(), &FlexGridView::KeyPress, m_view.get(), [this](int key) {
        if (key == 13) {
            grid().setRow(250);
            grid().setCol(40);
        }
    });
    QTest::keyClick(m_view.get(), Qt::Key_Return);
    EXPECT_TRUE(
        m_view->viewport()->rect().contains(m_view->visualRect(model()->index(249, 39)).center()));
}

TEST_F(FlexGridViewTest, VisibleShowsAndHidesTheView) {
    grid().setVisible(false);
    EXPECT_FALSE(m_view->isVisible());
    grid().setVisible(true);
    EXPECT_TRUE(m_view->isVisible());
}

TEST_F(FlexGridViewTest, TopRowScrollsThatRowToTheTop) {
    grid().setTopRow(100);
    EXPECT_EQ(m_view->rowAt(0), 99);
    grid().setTopRow(1);
    EXPECT_EQ(m_view->rowAt(0), 0);
}

TEST_F(FlexGridViewTest, TopRowWrittenWhileHiddenHoldsWhenShownAgain) {
    grid().setVisible(false);
    grid().setRow(1);
    grid().setCol(1);
    grid().setRowSel(300);
    grid().setColSel(43);
    grid().setTopRow(40);
    grid().setVisible(true);
    QApplication::processEvents();
    EXPECT_EQ(m_view->rowAt(0), 39);
}

TEST_F(FlexGridViewTest, RowHeightMinIsTheLeastRowHeight) {
    const int pixels = m_view->twipsToPixels(600);
    EXPECT_EQ(pixels, qRound(600.0 * m_view->logicalDpiY() / 1440.0));
    grid().setRowHeightMin(600);
    QApplication::processEvents();
    EXPECT_GE(m_view->verticalHeader()->minimumSectionSize(), pixels);
    for (int row : {0, 1, 150, 299}) {
        EXPECT_GE(m_view->rowHeight(row), pixels) << row;
    }
    grid().AddItem("new");
    EXPECT_GE(m_view->rowHeight(300), pixels);
}

TEST_F(FlexGridViewTest, GrabOfLaidOutGridShowsSomething) {
    const QImage image = m_view->grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 100);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 2u);
}

TEST_F(FlexGridViewTest, CornerTextWidensRowHeadings) {
    FlexGridView results(2, 135);
    results.grid().setTextMatrix(0, 0, "Stelvador");
    auto* adapter = qobject_cast<FlexGridTableModel*>(results.model());
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->cornerText(), "Stelvador");
    EXPECT_GE(results.verticalHeader()->minimumWidth(),
              results.verticalHeader()->fontMetrics().horizontalAdvance("Stelvador"));
}

TEST(FlexGridViewLifetimeTest, GridWithoutFixedCellsShowsNoHeaders) {
    FlexGridView view(3, 4, 0, 0);
    view.grid().setTextMatrix(0, 0, "first");
    EXPECT_EQ(view.model()->rowCount(), 3);
    EXPECT_EQ(view.model()->columnCount(), 4);
    EXPECT_EQ(shown(view.model(), 0, 0), "first");
    EXPECT_TRUE(view.horizontalHeader()->isHidden());
    EXPECT_TRUE(view.verticalHeader()->isHidden());
}

}  // namespace
}  // namespace stelvador
