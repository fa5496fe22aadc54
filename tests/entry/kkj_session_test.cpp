// A whole session as a user works: New File, two analyses typed key by key, Save As, Close,
// Open File of the saved file, Calculate.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "calculation_fixture.h"
#include "common/data_file_format.h"
#include "common/oxide_list.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "support/analyses_table.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

using DataEntrySession = CalculationFixture;

TEST_F(DataEntrySession, TypeSaveCloseOpenAndCalculateTwoAnalyses) {
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    const std::vector<AnalysisRow> typed = {golden[0], golden[1]};
    openWindow();
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    FlexGridView& view = m_window->gridView();
    const auto shortcut = [&](Qt::Key key) {
        view.setFocus();
        QTest::keyClick(&view, key, Qt::ControlModifier);
    };

    shortcut(Qt::Key_N);
    ASSERT_EQ(m_window->screenTitle(), "New  File");
    view.setFocus();
    // Each analysis from its sample cell on; Tab after the last column goes to the next row's
    // sample cell.
    for (const AnalysisRow& analysis : typed) {
        QTest::keyClicks(&view, QString::fromStdString(analysis.sample));
        for (std::size_t c = 0; c < kOxideCount; ++c) {
            QTest::keyClick(&view, Qt::Key_Tab);
            QTest::keyClicks(&view, QString::fromStdString(analysis.cells[c]));
        }
        QTest::keyClick(&view, Qt::Key_Tab);
    }
    const FlexGrid& grid = m_window->MSFlexGrid1();
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 1);

    const fs::path saved = m_work / "session.epd";
    m_dialog.queuePath(saved.string());
    shortcut(Qt::Key_S);
    shortcut(Qt::Key_C);
    ASSERT_EQ(m_window->screenTitle(), "Start-up Screen");

    // The saved bytes: the two analyses, then 298 empty rows, in the data file format.
    const std::string block = AnalysesBlock(typed, 300);
    EXPECT_EQ(ReadBytes(saved), "\"" + block + "\"\r\n");

    // Open File in a fresh grid, then Calculate: the loaded grid is calculated as it stands.
    shortcut(Qt::Key_N);
    m_dialog.queuePath(saved.string());
    shortcut(Qt::Key_O);
    ASSERT_EQ(m_window->screenTitle(), "Data Entry Screen");
    EXPECT_EQ(grid.TextMatrix(2, 1), typed[1].sample);
    shortcut(Qt::Key_F);

    const std::vector<std::string> expected =
        ReadLines(GoldenExpectedFolder(false) / "results.txt");
    ASSERT_GE(expected.size(), 2u);
    EXPECT_EQ(resultRows(), std::vector<std::string>(expected.begin(), expected.begin() + 2));
    EXPECT_EQ(m_dialog.calls().size(), 2u);  // Save As and Open File; Calculate asked for none
    EXPECT_TRUE(m_messages.texts().empty());
}

}  // namespace
}  // namespace stelvador
