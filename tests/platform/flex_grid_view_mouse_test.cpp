#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMouseEvent>

#include "flex_grid_view_fixture.h"

namespace stelvador {
namespace {

void sendMove(QWidget* widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

TEST_F(FlexGridViewTest, LeftPressMakesPressedCellCurrentBeforeMouseDown) {
    QWidget* viewport = m_view->viewport();
    const QPoint at = cellCentre(4, 3);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    expectSelection(4, 3, 4, 3);
    ASSERT_EQ(m_events.presses.size(), 1u);
    const GridEvents::Press& press = m_events.presses.front();
    EXPECT_EQ(press.button, 1);
    EXPECT_EQ(press.shift, 0);
    EXPECT_EQ(press.row, 4);
    EXPECT_EQ(press.col, 3);
    // X and Y are the pointer's position within the whole grid, headings included.
    const QPoint inView = viewport->mapTo(m_view.get(), at);
    EXPECT_EQ(press.x, inView.x());
    EXPECT_EQ(press.y, inView.y());
    ASSERT_EQ(m_events.clicks.size(), 1u);
    EXPECT_EQ(m_events.clicks.front().row, 4);
    EXPECT_EQ(m_events.clicks.front().col, 3);
    EXPECT_EQ(m_view->selectionModel()->currentIndex(), model()->index(3, 2));
}

TEST_F(FlexGridViewTest, ShiftPressExtendsSelectionFromCurrentCell) {
    QWidget* viewport = m_view->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(2, 2));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, cellCentre(5, 4));
    expectSelection(2, 2, 5, 4);
    ASSERT_EQ(m_events.presses.size(), 2u);
    EXPECT_EQ(m_events.presses[1].shift, 1);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier,
                      cellCentre(1, 1));
    expectSelection(2, 2, 1, 1);
    EXPECT_EQ(m_events.presses[2].shift, 3);
}

TEST_F(FlexGridViewTest, DragSelectsFromPressedCellAndClickKeepsIt) {
    QWidget* viewport = m_view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(6, 5));
    sendMove(viewport, cellCentre(7, 6));
    sendMove(viewport, cellCentre(9, 7));
    EXPECT_TRUE(m_events.clicks.empty());
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(9, 7));
    expectSelection(6, 5, 9, 7);
    EXPECT_EQ(m_view->selectionModel()->selectedIndexes().size(), 4 * 3);
    // The current cell at the click is still the pressed one, so a window that copies the
    // current cell's text at the press and writes it back at the click changes nothing.
    ASSERT_EQ(m_events.clicks.size(), 1u);
    EXPECT_EQ(m_events.clicks.front().row, 6);
    EXPECT_EQ(m_events.clicks.front().col, 5);
}

TEST_F(FlexGridViewTest, DragUpwardsSelectsTheSameBlockFromTheOtherCorner) {
    QWidget* viewport = m_view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(9, 7));
    sendMove(viewport, cellCentre(6, 5));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(6, 5));
    expectSelection(9, 7, 6, 5);
    EXPECT_EQ(grid().Clip(), "6,5\t6,6\t6,7\r7,5\t7,6\t7,7\r8,5\t8,6\t8,7\r9,5\t9,6\t9,7");
}

TEST_F(FlexGridViewTest, DragBeyondViewportScrollsAndStaysInsideGrid) {
    QWidget* viewport = m_view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(2, 2));
    sendMove(viewport, QPoint(viewport->width() + 50, viewport->height() + 50));
    QTest::mouseRelease(viewport, Qt::LeftButton);
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().Col(), 2);
    EXPECT_GT(grid().RowSel(), 2);
    EXPECT_GT(grid().ColSel(), 2);
    EXPECT_LT(grid().RowSel(), grid().Rows());
    EXPECT_LT(grid().ColSel(), grid().Cols());
}

TEST_F(FlexGridViewTest, RightPressReportsButtonTwoAndFiresNoClick) {
    QWidget* viewport = m_view->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, cellCentre(3, 3));
    ASSERT_EQ(m_events.presses.size(), 1u);
    EXPECT_EQ(m_events.presses.front().button, 2);
    EXPECT_EQ(m_events.presses.front().row, 3);
    EXPECT_EQ(m_events.presses.front().col, 3);
    EXPECT_TRUE(m_events.clicks.empty());
}

TEST_F(FlexGridViewTest, RightPressInsideSelectionKeepsIt) {
    grid().setRow(2);
    grid().setCol(2);
    grid().setRowSel(5);
    grid().setColSel(4);
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(4, 3));
    expectSelection(2, 2, 5, 4);
    QTest::mouseClick(m_view->viewport(), Qt::RightButton, Qt::NoModifier, cellCentre(8, 8));
    expectSelection(8, 8, 8, 8);
}

TEST_F(FlexGridViewTest, DoubleClickReportsSecondPressAndClick) {
    // A double click arrives as press, release, double-click press, release.
    QWidget* viewport = m_view->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(3, 4));
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(3, 4));
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, cellCentre(3, 4));
    expectSelection(3, 4, 3, 4);
    EXPECT_EQ(m_events.presses.size(), 2u);
    EXPECT_EQ(m_events.clicks.size(), 2u);
}

TEST_F(FlexGridViewTest, PressBelowLastRowReportsButSelectsNothing) {
    FlexGridView small(3, 4);
    small.resize(400, 400);
    small.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&small));
    int presses = 0;
    QObject::connect(&small, &FlexGridView::MouseDown, &small,
                     [&presses](int, int, int, int) { ++presses; });
    small.grid().setRow(2);
    small.grid().setCol(2);
    QTest::mouseClick(small.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(5, small.viewport()->height() - 5));
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(small.grid().Row(), 2);
    EXPECT_EQ(small.grid().Col(), 2);
}

TEST_F(FlexGridViewTest, ColumnHeadingSelectsItsColumn) {
    QHeaderView* top = m_view->horizontalHeader();
    const int x = top->sectionViewportPosition(2) + top->sectionSize(2) / 2;
    QTest::mouseClick(top->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 5));
    expectSelection(1, 3, 300, 3);
    ASSERT_EQ(m_events.presses.size(), 1u);
    EXPECT_EQ(m_events.presses.front().row, 1);
    EXPECT_EQ(m_events.presses.front().col, 3);
    const QPoint inView = top->viewport()->mapTo(m_view.get(), QPoint(x, 5));
    EXPECT_EQ(m_events.presses.front().x, inView.x());
    EXPECT_EQ(m_events.presses.front().y, inView.y());
    EXPECT_EQ(m_events.clicks.size(), 1u);
}

TEST_F(FlexGridViewTest, RowHeadingSelectsItsRow) {
    QHeaderView* side = m_view->verticalHeader();
    const int y = side->sectionViewportPosition(4) + side->sectionSize(4) / 2;
    QTest::mouseClick(side->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, y));
    expectSelection(5, 1, 5, 43);
    EXPECT_EQ(grid().Clip().substr(0, 8), "5,1\t5,2\t");
}

TEST_F(FlexGridViewTest, HeadingEdgePressResizesWithoutSelecting) {
    grid().setRow(4);
    grid().setCol(4);
    QHeaderView* top = m_view->horizontalHeader();
    const int edge = top->sectionViewportPosition(2) + top->sectionSize(2) - 1;
    const int before = top->sectionSize(2);
    QTest::mousePress(top->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge, 5));
    QMouseEvent move(QEvent::MouseMove, QPoint(edge + 30, 5),
                     top->viewport()->mapToGlobal(QPoint(edge + 30, 5)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(top->viewport(), &move);
    QTest::mouseRelease(top->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge + 30, 5));
    expectSelection(4, 4, 4, 4);
    EXPECT_GT(top->sectionSize(2), before);
    EXPECT_EQ(m_events.presses.size(), 1u);
}

TEST_F(FlexGridViewTest, CornerSelectsAllBeforeMouseDown) {
    auto* corner = m_view->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    grid().setRow(7);
    grid().setCol(7);
    QTest::mouseClick(corner, Qt::LeftButton, Qt::NoModifier, corner->rect().center());
    expectSelection(1, 1, 300, 43);
    ASSERT_EQ(m_events.presses.size(), 1u);
    EXPECT_EQ(m_events.presses.front().row, 1);
    EXPECT_EQ(m_events.presses.front().col, 1);
    ASSERT_EQ(m_events.clicks.size(), 1u);
    EXPECT_EQ(m_events.clicks.front().row, 1);
}

}  // namespace
}  // namespace stelvador
