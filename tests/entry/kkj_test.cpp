// The data entry window as the Calculate command needs it, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <functional>

#include "calculation_fixture.h"
#include "common/run_time_error.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "widgets/panel_status_bar.h"
#include "widgets/title_band.h"

namespace stelvador {
namespace {

using DataEntryWindowTest = CalculationFixture;

TEST_F(DataEntryWindowTest, LoadShowsTheStartUpScreen) {
    openWindow();
    EXPECT_TRUE(m_window->windowTitle().startsWith(QStringLiteral("S t e l v a d o r")));
    EXPECT_EQ(m_window->screenTitle(), "Start-up Screen");
    EXPECT_EQ(m_window->Frame2().Label2().text(),
              QStringLiteral("A Windows Program for Epidote-Supergroup Minerals"));
    const FlexGrid& grid = m_window->MSFlexGrid1();
    EXPECT_EQ(grid.Rows(), 301);
    EXPECT_EQ(grid.Cols(), 44);
    EXPECT_EQ(grid.TextMatrix(0, 2), "SiO2");
    EXPECT_EQ(grid.TextMatrix(300, 0), "300");
    EXPECT_FALSE(grid.Visible());
    EXPECT_TRUE(m_window->gridView().isHidden());
    EXPECT_TRUE(m_window->Text1().isHidden());
    EXPECT_FALSE(m_window->Frame1().isHidden());
    EXPECT_FALSE(m_window->mnuSiNorm().isChecked());
    EXPECT_FALSE(m_window->mnuOpen().isChecked());
    EXPECT_FALSE(m_link->isLoaded());
}

TEST_F(DataEntryWindowTest, StatusBarHasItsFourPanels) {
    openWindow();
    PanelStatusBar& panels = m_window->StatusBar1();
    ASSERT_EQ(panels.panelCount(), 4);
    EXPECT_EQ(panels.panelText(1), "No Selected File");
    EXPECT_FALSE(panels.panelEnabled(1));
    EXPECT_EQ(panels.panelToolTip(1), QStringLiteral("File"));
    EXPECT_EQ(panels.panelToolTip(2), QStringLiteral("Clock"));
    EXPECT_EQ(panels.panelToolTip(3), QStringLiteral("Date"));
    EXPECT_EQ(panels.panelText(4), "by");
    EXPECT_FALSE(panels.panelText(2).empty());
    EXPECT_FALSE(panels.panelText(3).empty());
    EXPECT_THROW(panels.panelText(5), RunTimeError);
}

TEST_F(DataEntryWindowTest, MenusCarryTheCalculateCommandAndTheSiOption) {
    openWindow();
    EXPECT_EQ(m_window->mnuCalculate().title(), QStringLiteral("Calculate"));
    EXPECT_EQ(m_window->mnuOpen().text(), QStringLiteral("Open File to Calculate"));
    EXPECT_EQ(m_window->mnuOpen().shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(m_window->mnuciz6().title(), QStringLiteral("Si Normalization"));
    EXPECT_EQ(m_window->mnuSiNorm().text(),
              QStringLiteral(" Apply Si = 3 Normalization  [i.e. if Si (apfu) content > 3.05]"));
    EXPECT_TRUE(m_window->mnuSiNorm().shortcut().isEmpty());
    QAction* calculate = m_window->toolbarButton(kkj::kCalculatePosition);
    ASSERT_NE(calculate, nullptr);
    EXPECT_EQ(calculate->toolTip(), QStringLiteral("Calculate"));
    EXPECT_TRUE(calculate->isEnabled());
    EXPECT_TRUE(calculate->text().isEmpty());
    EXPECT_EQ(m_window->toolbarButton(12), nullptr);
}

TEST_F(DataEntryWindowTest, SiOptionIsInvertedOncePerChoice) {
    openWindow();
    m_window->mnuSiNorm_Click();
    EXPECT_TRUE(m_window->mnuSiNorm().isChecked());
    m_window->mnuSiNorm().trigger();  // chosen from the menu
    EXPECT_FALSE(m_window->mnuSiNorm().isChecked());
    m_window->mnuSiNorm().trigger();
    EXPECT_TRUE(m_window->mnuSiNorm().isChecked());
}

TEST_F(DataEntryWindowTest, ChoosingTheMenuItemCalculatesWithoutMarkingIt) {
    openWindow();
    m_dialog.queuePath(writeDataFile("mixed.epd", GoldenAnalyses()).string());
    m_window->mnuOpen().trigger();
    EXPECT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_FALSE(m_window->mnuOpen().isChecked());
    EXPECT_EQ(resultRows().size(), GoldenAnalyses().size());
}

TEST_F(DataEntryWindowTest, CtrlFRunsTheCalculateCommand) {
    openWindow();
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    m_dialog.queuePath(writeDataFile("mixed.epd", GoldenAnalyses()).string());
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(resultRows().size(), GoldenAnalyses().size());
}

TEST_F(DataEntryWindowTest, ToolbarButtonRunsTheCalculateCommand) {
    openWindow();
    m_dialog.queuePath(writeDataFile("mixed.epd", GoldenAnalyses()).string());
    m_window->toolbarButton(kkj::kCalculatePosition)->trigger();
    EXPECT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(resultRows().size(), GoldenAnalyses().size());
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(DataEntryWindowTest, SeparatorPositionsRunNothingAndReportNothing) {
    openWindow();
    for (int position : {0, 6, 12, 14, 19, 23}) {
        m_window->Toolbar1_ButtonClick(position);
    }
    EXPECT_TRUE(m_dialog.calls().empty());
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_FALSE(m_link->isLoaded());
}

// The frame's close button does what Exit does: the results window goes, and the spreadsheet
// applications are asked to quit.
TEST_F(DataEntryWindowTest, FrameCloseUnloadsTheResultsWindowAndQuitsTheSpreadsheets) {
    openWindow();
    calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));
    ASSERT_TRUE(m_link->isLoaded());
    ASSERT_EQ(m_spreadsheets->RunningCount(), 1);
    m_window->show();
    m_window->close();
    EXPECT_FALSE(m_link->isLoaded());
    EXPECT_EQ(m_spreadsheets->RunningCount(), 0);
    EXPECT_TRUE(m_messages.texts().empty());
}

// Cancel in the question about unsaved results keeps the program: the data entry window stays,
// the results window keeps its rows, the spreadsheet application its results; a later Exit
// still ends it.
TEST_F(DataEntryWindowTest, ExitCancelledInTheSaveQuestionKeepsEverythingOpen) {
    struct Road {
        const char* name;
        std::function<void(kkj&)> take;
    };
    const std::vector<Road> roads = {
        {"menu", [](kkj& window) { window.mnuExit().trigger(); }},
        {"toolbar", [](kkj& window) { window.toolbarButton(5)->trigger(); }},
        {"frame", [](kkj& window) { EXPECT_FALSE(window.close()); }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        openWindow();
        calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));
        results().toolbarButton(9)->trigger();  // sent: the output workbook holds changes
        const std::vector<std::string> rows = resultRows();
        m_window->show();
        m_question->asked.clear();
        m_question->answers = {SaveChangesAnswer::Cancel};

        road.take(*m_window);

        EXPECT_EQ(m_question->asked, std::vector<std::string>{"Output.xlsx"});
        EXPECT_TRUE(m_window->isVisible());
        ASSERT_TRUE(m_link->isLoaded());
        EXPECT_EQ(resultRows(), rows);
        EXPECT_EQ(m_spreadsheets->RunningCount(), 1);
        EXPECT_FALSE(results().OutputBook().Saved());
        EXPECT_TRUE(m_messages.texts().empty());

        m_question->answers = {SaveChangesAnswer::DontSave};
        m_window->mnuExit().trigger();
        EXPECT_TRUE(m_window->isHidden());
        EXPECT_FALSE(m_link->isLoaded());
        EXPECT_EQ(m_spreadsheets->RunningCount(), 0);
    }
}

}  // namespace
}  // namespace stelvador
