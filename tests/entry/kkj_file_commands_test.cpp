// New File, Open File and Save As through the real data entry window, offscreen; only the file
// dialog and the message box are scripted.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calculation_fixture.h"
#include "common/data_file_format.h"
#include "common/error_message_tables.h"
#include "common/project_variables.h"
#include "platform/flex_grid.h"
#include "widgets/panel_status_bar.h"
#include "widgets/twips.h"
#include "window_state.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

enum class Route { Menu, Toolbar };

std::string RouteName(Route route) {
    return route == Route::Menu ? "Menu" : "Toolbar";
}

std::string DataEntryMessage(int number) {
    return std::string(ErrorMessage(ErrorTable::DataEntry, number).value_or("?"));
}

// Every text of the grid, row by row.
std::vector<std::string> AllCells(const FlexGrid& grid) {
    std::vector<std::string> cells;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            cells.push_back(grid.TextMatrix(r, c));
        }
    }
    return cells;
}

std::vector<fs::path> FolderContents(const fs::path& folder) {
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class FileCommands : public CalculationFixture {
  protected:
    // Chooses the command from its menu item or its toolbar position.
    void run(QAction& (kkj::*item)(), int position, Route route) {
        if (route == Route::Toolbar) {
            m_window->toolbarButton(position)->trigger();
        } else {
            (m_window.get()->*item)().trigger();
        }
    }
    void newFile(Route route) { run(&kkj::mnuNewFile, 1, route); }
    void openFile(Route route) { run(&kkj::mnuOpenFile, 2, route); }
    void saveAs(Route route) { run(&kkj::mnuSaveAs, 3, route); }
    void fillRow(int row, const AnalysisRow& analysis) {
        FlexGrid& grid = m_window->MSFlexGrid1();
        grid.setTextMatrix(row, 1, analysis.sample);
        for (std::size_t c = 0; c < analysis.cells.size(); ++c) {
            grid.setTextMatrix(row, static_cast<int>(c) + 2, analysis.cells[c]);
        }
    }
};

class FileCommandsByRoute : public FileCommands, public ::testing::WithParamInterface<Route> {};

INSTANTIATE_TEST_SUITE_P(Routes, FileCommandsByRoute,
                         ::testing::Values(Route::Menu, Route::Toolbar),
                         [](const auto& info) { return RouteName(info.param); });

TEST_P(FileCommandsByRoute, NewFileEmptiesTheGridAndWritesTheGridTemplate) {
    openWindow();
    m_dialog.queuePath(writeDataFile("golden.epd", GoldenAnalyses()).string());
    m_window->mnuOpenFile_Click();
    newFile(GetParam());

    const FlexGrid& grid = m_window->MSFlexGrid1();
    EXPECT_EQ(grid.Rows(), 301);
    EXPECT_EQ(grid.Cols(), 44);
    for (int r = 1; r < grid.Rows(); ++r) {
        EXPECT_EQ(grid.TextMatrix(r, 0), std::to_string(r));
        for (int c = 1; c < grid.Cols(); ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "") << r << "," << c;
        }
    }
    EXPECT_EQ(ReadBytes(m_work / "epdt.tem"),
              ReadBytes(fs::path(STELVADOR_TEST_DATA_DIR) / "empty_block.epd"));
    // It ends with the whole data block selected from row 1, column 1.
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 300);
    EXPECT_EQ(grid.ColSel(), 43);
    EXPECT_EQ(grid.RowHeightMin(), PixelsToTwips(m_window->Text1().height(), m_window->Text1()));
    EXPECT_TRUE(m_window->mnuOpen().isChecked());  // New File leaves the loaded-grid mark
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_P(FileCommandsByRoute, NewFileReplacesAnEarlierGridTemplate) {
    openWindow();
    WriteBytes(m_work / "epdt.tem", "\"something else\"\r\n");
    newFile(GetParam());
    EXPECT_EQ(ReadBytes(m_work / "epdt.tem"),
              ReadBytes(fs::path(STELVADOR_TEST_DATA_DIR) / "empty_block.epd"));
}

// A grid template that cannot be written leaves the screen New File set up, and is told once.
TEST_P(FileCommandsByRoute, UnwritableGridTemplateIsReportedAfterTheScreenIsSetUp) {
    openWindow();
    fs::create_directory(m_work / "epdt.tem");
    newFile(GetParam());
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(75)});
    const WindowState state = ReadWindowState(*m_window);
    EXPECT_TRUE(state.flags.at("grid visible"));
    EXPECT_TRUE(state.flags.at("Save As"));
    EXPECT_EQ(state.filePanel, "New File");
    EXPECT_TRUE(fs::is_directory(m_work / "epdt.tem"));
}

// A cancelled Open File changes nothing and reads no file, not even the fallback data file.
TEST_P(FileCommandsByRoute, CancelledOpenFileChangesNothing) {
    for (const bool fromDataEntryScreen : {false, true}) {
        SCOPED_TRACE(fromDataEntryScreen ? "from the data entry screen" : "from start-up");
        openWindow();
        Project().LastFileName = "earlier.epd";
        if (fromDataEntryScreen) {
            m_dialog.queuePath(writeDataFile("first.epd", {GoldenAnalyses()[0]}).string());
            m_window->mnuOpenFile_Click();
            m_window->MSFlexGrid1().setTextMatrix(5, 3, "typed");
        }
        writeDataFile("epdt.dat", {GoldenAnalyses()[2], GoldenAnalyses()[3]});
        const WindowState before = ReadWindowState(*m_window);
        const std::vector<std::string> cells = AllCells(m_window->MSFlexGrid1());
        const std::string lastFileName = Project().LastFileName;

        m_dialog.queueCancel();
        openFile(GetParam());

        const WindowState after = ReadWindowState(*m_window);
        EXPECT_EQ(after.flags, before.flags);
        EXPECT_EQ(after.title, before.title);
        EXPECT_EQ(after.filePanel, before.filePanel);
        EXPECT_EQ(AllCells(m_window->MSFlexGrid1()), cells);
        EXPECT_EQ(Project().LastFileName, lastFileName);
        EXPECT_TRUE(m_messages.texts().empty());
        EXPECT_EQ(m_dialog.pendingAnswers(), 0u);
        m_window.reset();
    }
}

TEST_P(FileCommandsByRoute, OpenFileShowsItsDialogWithItsFilter) {
    openWindow();
    const fs::path file = writeDataFile("golden.epd", GoldenAnalyses());
    m_dialog.queuePath(file.string());
    openFile(GetParam());
    ASSERT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_dialog.calls()[0].kind, ScriptedFileDialog::Kind::Open);
    EXPECT_EQ(m_dialog.calls()[0].filter, "Epidote(*.epd) |*.epd");
    EXPECT_EQ(Project().LastFileName, file.string());
    EXPECT_EQ(m_window->MSFlexGrid1().TextMatrix(1, 1), GoldenAnalyses()[0].sample);
}

// Loading replaces the data block: nothing of an earlier file or of typed cells survives.
TEST_P(FileCommandsByRoute, OpenFileLeavesExactlyTheFilesCells) {
    openWindow();
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    m_dialog.queuePath(writeDataFile("large.epd", golden).string());
    m_window->mnuOpenFile_Click();
    m_window->MSFlexGrid1().setTextMatrix(200, 43, "typed");
    m_dialog.queuePath(writeDataFile("small.epd", {golden[3]}).string());
    openFile(GetParam());

    const FlexGrid& grid = m_window->MSFlexGrid1();
    EXPECT_EQ(grid.TextMatrix(1, 1), golden[3].sample);
    EXPECT_EQ(grid.TextMatrix(1, 2), golden[3].cells[0]);
    for (int r = 2; r < grid.Rows(); ++r) {
        for (int c = 1; c < grid.Cols(); ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "") << r << "," << c;
        }
    }
    EXPECT_EQ(grid.TextMatrix(200, 0), "200");
    EXPECT_TRUE(m_messages.texts().empty());
}

struct OpenFailure {
    const char* name;
    const char* file;  // written into the working folder unless null
    std::string bytes;
    int number;
};

class OpenFileFailure : public FileCommands,
                        public ::testing::WithParamInterface<std::tuple<OpenFailure, Route>> {};

// A file that is gone or is no data file is told once, whichever way the command was chosen,
// and changes nothing, as a cancel does: no cell, screen, title, file panel, LastFileName or
// loaded-grid mark, so no later Calculate names the unread file.
TEST_P(OpenFileFailure, ChangesNothingAndIsReportedOnce) {
    const auto& [failure, route] = GetParam();
    for (const bool fromDataEntryScreen : {false, true}) {
        SCOPED_TRACE(fromDataEntryScreen ? "from the data entry screen" : "from start-up");
        openWindow();
        Project().LastFileName = "earlier.epd";
        if (fromDataEntryScreen) {
            m_dialog.queuePath(writeDataFile("first.epd", {GoldenAnalyses()[0]}).string());
            m_window->mnuOpenFile_Click();
        }
        const WindowState before = ReadWindowState(*m_window);
        const std::vector<std::string> cells = AllCells(m_window->MSFlexGrid1());
        const std::string lastFileName = Project().LastFileName;
        const bool loaded = m_window->mnuOpen().isChecked();
        const fs::path path = m_work / "chosen.epd";
        fs::remove(path);
        if (failure.file != nullptr) {
            WriteBytes(path, failure.bytes);
        }
        m_dialog.queuePath(path.string());
        openFile(route);

        const WindowState after = ReadWindowState(*m_window);
        EXPECT_EQ(AllCells(m_window->MSFlexGrid1()), cells);
        EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(failure.number)});
        EXPECT_EQ(after.flags, before.flags);
        EXPECT_EQ(after.title, before.title);
        EXPECT_EQ(after.filePanel, before.filePanel);
        EXPECT_EQ(Project().LastFileName, lastFileName);
        EXPECT_EQ(m_window->mnuOpen().isChecked(), loaded);
        m_messages.clear();
        m_window.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenFileFailure,
    ::testing::Combine(::testing::Values(OpenFailure{"Missing", nullptr, "", 53},
                                         OpenFailure{"Empty", "x", "", 321},
                                         OpenFailure{"NoDataFile", "x", "1\t2\r\n", 321},
                                         OpenFailure{"Binary", "x", std::string("\x89PNG\0\x01", 6),
                                                     321}),
                       ::testing::Values(Route::Menu, Route::Toolbar)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + RouteName(std::get<1>(info.param));
    });

// Files that passed through other programs end their rows in CR LF or LF.
TEST_F(FileCommands, RowEndsCrCrLfAndLfGiveTheSameGrid) {
    openWindow();
    const std::vector<AnalysisRow> golden = GoldenAnalyses();
    const fs::path original = writeDataFile("cr.epd", golden);
    const std::string crBytes = ReadBytes(original);
    std::string crLfBytes;
    std::string lfBytes;
    // The rows inside the quotes; the record's own CR LF after the closing quote stays.
    const std::size_t closing = crBytes.rfind('"');
    for (std::size_t i = 0; i < crBytes.size(); ++i) {
        if (crBytes[i] == '\r' && i < closing) {
            crLfBytes += "\r\n";
            lfBytes += '\n';
        } else {
            crLfBytes += crBytes[i];
            lfBytes += crBytes[i];
        }
    }
    ASSERT_NE(crLfBytes, crBytes);
    WriteBytes(m_work / "crlf.epd", crLfBytes);
    WriteBytes(m_work / "lf.epd", lfBytes);

    std::vector<std::vector<std::string>> grids;
    for (const char* name : {"cr.epd", "crlf.epd", "lf.epd"}) {
        m_window->mnuNewFile_Click();
        m_dialog.queuePath((m_work / name).string());
        m_window->mnuOpenFile_Click();
        grids.push_back(AllCells(m_window->MSFlexGrid1()));
    }
    EXPECT_EQ(grids[1], grids[0]);
    EXPECT_EQ(grids[2], grids[0]);
    const FlexGrid& grid = m_window->MSFlexGrid1();
    for (std::size_t r = 0; r < golden.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        EXPECT_EQ(grid.TextMatrix(row, 1), golden[r].sample);
        EXPECT_EQ(grid.TextMatrix(row, 43), golden[r].cells.back());
    }
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_P(FileCommandsByRoute, SaveAsWritesTheDataBlockAndLeavesItSelected) {
    openWindow();
    m_window->mnuNewFile_Click();
    fillRow(1, GoldenAnalyses()[0]);
    fillRow(300, GoldenAnalyses()[1]);
    m_window->MSFlexGrid1().setRow(7);
    const fs::path path = m_work / "saved.epd";
    m_dialog.queuePath(path.string());
    saveAs(GetParam());

    ASSERT_EQ(m_dialog.calls().size(), 1u);
    EXPECT_EQ(m_dialog.calls()[0].kind, ScriptedFileDialog::Kind::Save);
    EXPECT_EQ(m_dialog.calls()[0].filter, "Epidote files(*.epd) |*.epd");
    const FlexGrid& grid = m_window->MSFlexGrid1();
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 300);
    EXPECT_EQ(grid.ColSel(), 43);
    EXPECT_EQ(ReadBytes(path), BuildDataFileRecord(grid.Clip()));
    EXPECT_EQ(ReadDataFileRecord(ReadBytes(path)), grid.Clip());
    EXPECT_EQ(m_window->StatusBar1().panelText(1), path.string());
    EXPECT_FALSE(m_window->mnuOpen().isChecked());  // Save As sets no loaded-grid mark
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_P(FileCommandsByRoute, CancelledSaveAsWritesNothingAndKeepsTheFilePanel) {
    openWindow();
    m_window->mnuNewFile_Click();
    fillRow(1, GoldenAnalyses()[0]);
    const std::vector<fs::path> files = FolderContents(m_work);
    m_dialog.queueCancel();
    saveAs(GetParam());
    EXPECT_EQ(FolderContents(m_work), files);
    EXPECT_EQ(m_window->StatusBar1().panelText(1), "New File");
    EXPECT_TRUE(m_messages.texts().empty());
}

struct RefusedCell {
    const char* name;
    int row;
    int col;
    std::string text;
    UnwritableCell::Reason reason;
};

class SaveAsRefusal : public FileCommands,
                      public ::testing::WithParamInterface<std::tuple<RefusedCell, Route>> {};

// A cell the data file cannot carry is named in a message once, and nothing is written: an
// earlier file of that name stays as it was.
TEST_P(SaveAsRefusal, NamesTheCellAndWritesNothing) {
    const auto& [refused, route] = GetParam();
    openWindow();
    m_window->mnuNewFile_Click();
    fillRow(1, GoldenAnalyses()[0]);
    m_window->MSFlexGrid1().setTextMatrix(refused.row, refused.col, refused.text);
    const fs::path path = m_work / "kept.epd";
    WriteBytes(path, "\"old\"\r\n");
    m_dialog.queuePath(path.string());
    saveAs(route);
    const std::string heading = m_window->MSFlexGrid1().TextMatrix(0, refused.col);
    EXPECT_EQ(m_messages.texts(),
              std::vector<std::string>{DescribeUnwritableCell(
                  UnwritableCell{refused.row, refused.col, refused.reason}, heading)});
    EXPECT_NE(m_messages.lastText().find("Row " + std::to_string(refused.row) + ", column " +
                                         std::to_string(refused.col)),
              std::string::npos);
    EXPECT_EQ(ReadBytes(path), "\"old\"\r\n");
    // The file panel still names where the grid came from, not the file that was not written.
    EXPECT_EQ(m_window->StatusBar1().panelText(1), "New File");
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SaveAsRefusal,
    ::testing::Combine(::testing::Values(RefusedCell{"DoubleQuote", 3, 5, "12\"5",
                                                     UnwritableCell::Reason::DoubleQuote},
                                         RefusedCell{"Tab", 1, 1, "Ep\t1",
                                                     UnwritableCell::Reason::Tab},
                                         RefusedCell{"LineFeed", 300, 43, "1.9\n",
                                                     UnwritableCell::Reason::CarriageReturn},
                                         RefusedCell{"NotWindows1252", 120, 2, "\xce\xb1-38",
                                                     UnwritableCell::Reason::NotWindows1252}),
                       ::testing::Values(Route::Menu, Route::Toolbar)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + "_" + RouteName(std::get<1>(info.param));
    });

TEST_P(FileCommandsByRoute, SaveAsIntoAMissingFolderIsReportedOnce) {
    openWindow();
    m_window->mnuNewFile_Click();
    m_dialog.queuePath((m_work / "gone" / "saved.epd").string());
    saveAs(GetParam());
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(76)});
    EXPECT_FALSE(fs::exists(m_work / "gone"));
    EXPECT_EQ(m_window->StatusBar1().panelText(1), "New File");
}

}  // namespace
}  // namespace stelvador
