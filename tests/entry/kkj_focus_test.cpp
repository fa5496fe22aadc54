// Keys as a user presses them into a freshly started, activated window: the focus starts where
// the window's start leaves it, never set by the test, and every key goes to the widget that
// has the focus (the window itself when none has), as a display server delivers it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <string>
#include <vector>

#include "calculation_fixture.h"
#include "common/oxide_list.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "support/analyses_table.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

class FreshWindowKeys : public CalculationFixture {
  protected:
    void SetUp() override {
        CalculationFixture::SetUp();
        openWindow();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    static QWidget* keyTarget(QWidget* window) {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : window;
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(keyTarget(m_window.get()), key, modifiers);
    }
    void type(const std::string& text) {
        QTest::keyClicks(keyTarget(m_window.get()), QString::fromStdString(text));
    }
};

TEST_F(FreshWindowKeys, TypingAfterNewFileFillsTheCellsFromTheSampleCell) {
    for (const bool fromToolbar : {false, true}) {
        SCOPED_TRACE(fromToolbar ? "toolbar New" : "Ctrl+N");
        if (fromToolbar) {
            m_window->toolbarButton(1)->trigger();
        } else {
            press(Qt::Key_N, Qt::ControlModifier);
        }
        ASSERT_EQ(m_window->screenTitle(), "New  File");
        type("Sample-A");
        press(Qt::Key_Tab);
        type("38.5");
        press(Qt::Key_Tab);
        type("0.2");
        const FlexGrid& grid = m_window->MSFlexGrid1();
        EXPECT_EQ(grid.TextMatrix(1, 1), "Sample-A");
        EXPECT_EQ(grid.TextMatrix(1, 2), "38.5");
        EXPECT_EQ(grid.TextMatrix(1, 3), "0.2");
        EXPECT_EQ(grid.TextMatrix(0, 1), "Sample No");
    }
}

TEST_F(FreshWindowKeys, AWholeTypedSessionSavesTheExactDataFile) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    const std::vector<AnalysisRow> typed = {golden[0], golden[1]};
    press(Qt::Key_N, Qt::ControlModifier);
    for (const AnalysisRow& analysis : typed) {
        type(analysis.sample);
        for (std::size_t c = 0; c < kOxideCount; ++c) {
            press(Qt::Key_Tab);
            type(analysis.cells[c]);
        }
        press(Qt::Key_Tab);
    }
    const fs::path saved = m_work / "typed.epd";
    m_dialog.queuePath(saved.string());
    press(Qt::Key_S, Qt::ControlModifier);

    const std::string block = AnalysesBlock(typed, 300);
    EXPECT_EQ(ReadBytes(saved), "\"" + block + "\"\r\n");
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(FreshWindowKeys, OpenFileGivesTheGridTheFocus) {
    m_dialog.queuePath(writeDataFile("one.epd", {GoldenAnalyses()[0]}).string());
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(m_window->screenTitle(), "Data Entry Screen");
    EXPECT_EQ(QApplication::focusWidget(), &m_window->gridView());
}

// After Open File the "Open Excel File" items are disabled: their Ctrl+G and Ctrl+H (Ctrl+H is a
// Backspace to the grid) change no cell and open no dialog.
TEST_F(FreshWindowKeys, TheKeyOfADisabledItemChangesNoCell) {
    m_dialog.queuePath(writeDataFile("one.epd", {GoldenAnalyses()[0]}).string());
    press(Qt::Key_O, Qt::ControlModifier);
    ASSERT_FALSE(m_window->mnu07Later().isEnabled());
    FlexGrid& grid = m_window->MSFlexGrid1();
    grid.setTextMatrix(2, 1, "Zoe");
    grid.setRow(2);
    grid.setCol(1);
    const std::size_t dialogCalls = m_dialog.calls().size();
    for (const Qt::Key key : {Qt::Key_H, Qt::Key_H, Qt::Key_G}) {
        press(key, Qt::ControlModifier);
    }
    EXPECT_EQ(grid.TextMatrix(2, 1), "Zoe");
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(m_dialog.calls().size(), dialogCalls);
    EXPECT_TRUE(m_messages.texts().empty());
    // A plain Backspace still edits the cell.
    press(Qt::Key_Backspace);
    EXPECT_EQ(grid.TextMatrix(2, 1), "Zo");
}

TEST_F(FreshWindowKeys, TheResultsGridHasTheFocusWhenCalculateShowsIt) {
    calculateFile(writeDataFile("one.epd", {GoldenAnalyses()[0]}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&results()));
    EXPECT_EQ(QApplication::focusWidget(), &results().gridView());
}

}  // namespace
}  // namespace stelvador
