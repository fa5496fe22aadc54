// The windows' menu shortcuts win over the grid view's own key handling while the grid has the
// keyboard focus, and a keystroke that runs a shortcut is not also reported as a KeyPress.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include "platform/flex_grid_view.h"

namespace stelvador {
namespace {

class FlexGridViewShortcutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_window = std::make_unique<QMainWindow>();
        m_view = new FlexGridView(301, 44, m_window.get());
        m_window->setCentralWidget(m_view);
        for (int r = 1; r < 301; ++r) {
            for (int c = 1; c < 44; ++c) {
                m_view->grid().setTextMatrix(r, c, "v");
            }
        }
        QObject::connect(m_view, &FlexGridView::KeyPress, m_view,
                         [this](int key) { m_keys.push_back(key); });
        QMenu* menu = m_window->menuBar()->addMenu(QStringLiteral("Edit"));
        // The data entry window's Ctrl+C Close, Ctrl+A Clear All, Ctrl+E Select All, Ctrl+Y Copy,
        // Ctrl+T Cut; the results window's Ctrl+S Select All and Ctrl+D Delete.
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_A, Qt::Key_E, Qt::Key_Y, Qt::Key_T, Qt::Key_S,
                                  Qt::Key_D, Qt::Key_P, Qt::Key_L, Qt::Key_I}) {
            QAction* action = menu->addAction(QString(QChar(key)));
            action->setShortcut(QKeySequence(Qt::CTRL | key));
            action->setShortcutContext(Qt::WindowShortcut);
            QObject::connect(action, &QAction::triggered, action, [this, key] { ++m_runs[key]; });
        }
        m_window->resize(900, 600);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_view->setFocus();
        ASSERT_TRUE(m_view->hasFocus());
        m_view->grid().setRow(3);
        m_view->grid().setCol(2);
    }

    std::unique_ptr<QMainWindow> m_window;
    FlexGridView* m_view = nullptr;
    std::vector<int> m_keys;
    std::map<int, int> m_runs;
};

TEST_F(FlexGridViewShortcutTest, EachShortcutRunsOnceAndIsNotReportedAsAKeyPress) {
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    for (const Qt::Key key : {Qt::Key_C, Qt::Key_A, Qt::Key_E, Qt::Key_Y, Qt::Key_T, Qt::Key_S,
                              Qt::Key_D, Qt::Key_P, Qt::Key_L, Qt::Key_I}) {
        QTest::keyClick(m_view, key, Qt::ControlModifier);
        EXPECT_EQ(m_runs[key], 1) << QString(QChar(key)).toStdString();
    }
    EXPECT_TRUE(m_keys.empty());
    // The view itself neither copied nor selected everything.
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    EXPECT_EQ(m_view->grid().Row(), 3);
    EXPECT_EQ(m_view->grid().RowSel(), 3);
    EXPECT_EQ(m_view->grid().ColSel(), 2);
}

TEST_F(FlexGridViewShortcutTest, ControlKeysWithoutAShortcutAreReportedAsControlCodes) {
    QTest::keyClick(m_view, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_keys, (std::vector<int>{2, 22, 24}));
    EXPECT_TRUE(m_runs.empty());
}

// A disabled item's key does nothing: Ctrl+C is no control code for the grid (Ctrl+H would be a
// Backspace, Ctrl+M an Enter, editing the cell).
TEST_F(FlexGridViewShortcutTest, ADisabledShortcutDoesNothing) {
    for (QAction* action : m_window->menuBar()->actions().front()->menu()->actions()) {
        action->setEnabled(false);
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(m_keys.empty());
    EXPECT_TRUE(m_runs.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    EXPECT_EQ(m_view->grid().RowSel(), 3);
}

}  // namespace
}  // namespace stelvador
