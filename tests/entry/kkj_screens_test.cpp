// The data entry window's screens: the state right after load and what New File, Open File,
// Save As and Close set, each chosen from the menu and from the toolbar.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <optional>

#include "calculation_fixture.h"
#include "platform/flex_grid.h"
#include "window_state.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

constexpr bool T = true;
constexpr bool F = false;

void ExpectAlwaysEnabled(const WindowState& state, const std::string& when) {
    for (const char* const* name = AlwaysEnabledNames(); *name != nullptr; ++name) {
        EXPECT_TRUE(state.flags.at(*name)) << *name << " " << when;
    }
}

using DataEntryScreens = CalculationFixture;

TEST_F(DataEntryScreens, LoadShowsTheStartUpScreen) {
    openWindow();
    const WindowState state = ReadWindowState(*m_window);
    EXPECT_EQ(state.title, "Start-up Screen");
    EXPECT_EQ(state.filePanel, "No Selected File");
    const std::map<std::string, bool> expected = {
        {"Frame1 visible", T},
        {"grid visible", F},
        {"cell mirror visible", F},
        {"Command2 visible", F},
        {"Command3 visible", F},
        {"file panel enabled", F},
        {"Save As", F},
        {"Close", F},
        {"Clear All", F},
        {"Remove Row", F},
        {"Insert Row", F},
        {"Cut", F},
        {"Copy", F},
        {"Paste", F},
        {"Delete", F},
        {"Select All", F},
        {"mnu9703", T},
        {"mnu07Later", T},
        {"loaded-grid mark", F},
        {"toolbar 3", F},
        {"toolbar 4", F},
        {"toolbar 7", F},
        {"toolbar 8", F},
        {"toolbar 9", F},
        {"toolbar 10", F},
        {"toolbar 11", F},
        {"toolbar 15", T},
        {"toolbar 16", T},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(state.flags.at(name), value) << name;
    }
    ExpectAlwaysEnabled(state, "after load");
    EXPECT_FALSE(m_window->mnuSiNorm().isChecked());
    EXPECT_EQ(m_window->MSFlexGrid1().Rows(), 301);
    EXPECT_EQ(m_window->MSFlexGrid1().Cols(), 44);
}

enum class Command { NewFile, OpenFile, SaveAs, Close };
enum class Start { AfterLoad, AfterNewFile, AfterOpenFile };
enum class Route { Menu, Toolbar };

struct Transition {
    const char* name;
    Command command;
    Start start;
    // The screen title afterwards; the file panel afterwards ("<file>" the chosen file,
    // nothing: left as it was).
    const char* title;
    std::optional<std::string> filePanel;
    // What the command sets; every other property is left as it was.
    std::map<std::string, bool> sets;
};

const std::map<std::string, bool> kFileAndEditCommands(bool value) {
    return {{"Save As", value},    {"Close", value},      {"Clear All", value},
            {"Remove Row", value}, {"Insert Row", value}, {"Cut", value},
            {"Copy", value},       {"Paste", value},      {"Delete", value},
            {"Select All", value}, {"toolbar 3", value},  {"toolbar 4", value},
            {"toolbar 7", value},  {"toolbar 8", value},  {"toolbar 9", value},
            {"toolbar 10", value}, {"toolbar 11", value}};
}

std::map<std::string, bool> With(std::map<std::string, bool> base,
                                 const std::map<std::string, bool>& more) {
    for (const auto& [name, value] : more) {
        base[name] = value;
    }
    return base;
}

std::vector<Transition> Transitions() {
    return {
        {"NewFileFromStartUp", Command::NewFile, Start::AfterLoad, "New  File", "New File",
         With(kFileAndEditCommands(T), {{"Frame1 visible", F},
                                        {"grid visible", T},
                                        {"cell mirror visible", T},
                                        {"Command2 visible", F},
                                        {"Command3 visible", F},
                                        {"file panel enabled", T}})},
        // The workbook imports stay disabled after Open File until the next Close.
        {"NewFileAfterOpenFile", Command::NewFile, Start::AfterOpenFile, "New  File", "New File",
         With(kFileAndEditCommands(T), {{"Frame1 visible", F},
                                        {"grid visible", T},
                                        {"cell mirror visible", T},
                                        {"Command2 visible", F},
                                        {"Command3 visible", F},
                                        {"file panel enabled", T}})},
        {"OpenFileFromStartUp", Command::OpenFile, Start::AfterLoad, "Data Entry Screen", "<file>",
         With(kFileAndEditCommands(T), {{"Frame1 visible", F},
                                        {"grid visible", T},
                                        {"cell mirror visible", T},
                                        {"file panel enabled", T},
                                        {"mnu9703", F},
                                        {"mnu07Later", F},
                                        {"toolbar 15", F},
                                        {"toolbar 16", F},
                                        {"loaded-grid mark", T}})},
        {"OpenFileFromDataEntry", Command::OpenFile, Start::AfterNewFile, "Data Entry Screen",
         "<file>",
         With(kFileAndEditCommands(T), {{"Frame1 visible", F},
                                        {"grid visible", T},
                                        {"cell mirror visible", T},
                                        {"file panel enabled", T},
                                        {"mnu9703", F},
                                        {"mnu07Later", F},
                                        {"toolbar 15", F},
                                        {"toolbar 16", F},
                                        {"loaded-grid mark", T}})},
        {"SaveAs",
         Command::SaveAs,
         Start::AfterNewFile,
         "Save As",
         "<file>",
         {{"grid visible", T}, {"cell mirror visible", T}}},
        {"SaveAsAfterOpenFile",
         Command::SaveAs,
         Start::AfterOpenFile,
         "Save As",
         "<file>",
         {{"grid visible", T}, {"cell mirror visible", T}}},
        {"CloseAfterOpenFile", Command::Close, Start::AfterOpenFile, "Start-up Screen",
         std::nullopt,
         With(kFileAndEditCommands(F), {{"Frame1 visible", T},
                                        {"grid visible", F},
                                        {"cell mirror visible", F},
                                        {"Command2 visible", F},
                                        {"Command3 visible", F},
                                        {"mnu9703", T},
                                        {"mnu07Later", T},
                                        {"toolbar 15", T},
                                        {"toolbar 16", T}})},
        {"CloseAfterNewFile", Command::Close, Start::AfterNewFile, "Start-up Screen", std::nullopt,
         With(kFileAndEditCommands(F), {{"Frame1 visible", T},
                                        {"grid visible", F},
                                        {"cell mirror visible", F},
                                        {"Command2 visible", F},
                                        {"Command3 visible", F},
                                        {"mnu9703", T},
                                        {"mnu07Later", T},
                                        {"toolbar 15", T},
                                        {"toolbar 16", T}})},
    };
}

class DataEntryTransition : public CalculationFixture,
                            public ::testing::WithParamInterface<std::tuple<Transition, Route>> {
  protected:
    void choose(Command command, Route route) {
        static const std::map<Command, int> positions = {{Command::NewFile, 1},
                                                         {Command::OpenFile, 2},
                                                         {Command::SaveAs, 3},
                                                         {Command::Close, 4}};
        if (route == Route::Toolbar) {
            m_window->toolbarButton(positions.at(command))->trigger();
            return;
        }
        switch (command) {
            case Command::NewFile:
                m_window->mnuNewFile().trigger();
                break;
            case Command::OpenFile:
                m_window->mnuOpenFile().trigger();
                break;
            case Command::SaveAs:
                m_window->mnuSaveAs().trigger();
                break;
            case Command::Close:
                m_window->mnuClose().trigger();
                break;
        }
    }
};

TEST_P(DataEntryTransition, SetsWhatTheScreenTableSays) {
    const auto& [transition, route] = GetParam();
    openWindow();
    const fs::path data = writeDataFile("start.epd", {GoldenAnalyses()[0]});
    if (transition.start == Start::AfterNewFile) {
        m_window->mnuNewFile_Click();
    } else if (transition.start == Start::AfterOpenFile) {
        m_dialog.queuePath(data.string());
        m_window->mnuOpenFile_Click();
    }
    const WindowState before = ReadWindowState(*m_window);

    const fs::path chosen = transition.command == Command::SaveAs
                                ? m_work / "saved.epd"
                                : writeDataFile("chosen.epd", {GoldenAnalyses()[1]});
    m_dialog.queuePath(chosen.string());
    choose(transition.command, route);

    const WindowState after = ReadWindowState(*m_window);
    EXPECT_EQ(after.title, transition.title);
    if (!transition.filePanel) {
        EXPECT_EQ(after.filePanel, before.filePanel);
    } else if (*transition.filePanel == "<file>") {
        EXPECT_EQ(after.filePanel, chosen.string());
    } else {
        EXPECT_EQ(after.filePanel, *transition.filePanel);
    }
    for (const auto& [name, value] : after.flags) {
        const auto set = transition.sets.find(name);
        const bool expected = set != transition.sets.end() ? set->second : before.flags.at(name);
        EXPECT_EQ(value, expected) << name;
    }
    ExpectAlwaysEnabled(after, transition.name);
    EXPECT_TRUE(m_messages.texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Commands, DataEntryTransition,
                         ::testing::Combine(::testing::ValuesIn(Transitions()),
                                            ::testing::Values(Route::Menu, Route::Toolbar)),
                         [](const ::testing::TestParamInfo<std::tuple<Transition, Route>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Route::Menu ? "_Menu" : "_Toolbar");
                         });

TEST_F(DataEntryScreens, GridContentsSurviveCloseAndAreCalculated) {
    openWindow();
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    m_dialog.queuePath(writeDataFile("one.epd", {golden[0]}).string());
    m_window->mnuOpenFile_Click();
    // A second analysis entered in the grid, then the start-up screen.
    FlexGrid& grid = m_window->MSFlexGrid1();
    grid.setTextMatrix(2, 1, golden[1].sample);
    for (std::size_t c = 0; c < golden[1].cells.size(); ++c) {
        grid.setTextMatrix(2, static_cast<int>(c) + 2, golden[1].cells[c]);
    }
    m_window->mnuClose().trigger();
    ASSERT_FALSE(ReadWindowState(*m_window).flags.at("grid visible"));
    EXPECT_EQ(grid.TextMatrix(2, 1), golden[1].sample);

    // The loaded-grid mark is set: the Calculate command asks for no file.
    m_window->mnuOpen().trigger();
    EXPECT_EQ(m_dialog.calls().size(), 1u);
    const std::vector<std::string> rows = resultRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(SplitTabs(rows[0])[0], golden[0].sample);
    EXPECT_EQ(SplitTabs(rows[1])[0], golden[1].sample);
}

TEST_F(DataEntryScreens, ExitWithNothingRunningEndsWithoutAMessage) {
    for (const bool fromToolbar : {false, true}) {
        openWindow();
        m_window->show();
        if (fromToolbar) {
            m_window->toolbarButton(5)->trigger();
        } else {
            m_window->mnuExit().trigger();
        }
        EXPECT_TRUE(m_window->isHidden());
        EXPECT_FALSE(m_link->isLoaded());
        EXPECT_TRUE(m_messages.texts().empty());
    }
}

TEST_F(DataEntryScreens, ExitUnloadsTheResultsWindow) {
    openWindow();
    calculateFile(writeDataFile("mixed.epd", GoldenAnalyses()));
    ASSERT_TRUE(m_link->isLoaded());
    m_window->mnuExit().trigger();
    EXPECT_FALSE(m_link->isLoaded());
    EXPECT_EQ(m_spreadsheets->RunningCount(), 0);
    EXPECT_TRUE(m_messages.texts().empty());
}

}  // namespace
}  // namespace stelvador
