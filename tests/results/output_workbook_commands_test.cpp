// The send, show and quit commands on the output workbook, and what they leave behind.
#include <QLabel>
#include <QProgressBar>
#include <charconv>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "common/continue_on_error.h"
#include "common/error_numbers.h"
#include "common/number_format.h"
#include "common/run_time_error.h"
#include "platform/flex_grid.h"
#include "results_window_fixture.h"
#include "support/text_files.h"
#include "widgets/title_band.h"

namespace stelvador {
namespace {

using OutputWorkbookTest = ResultsWindowFixture;

constexpr int kAnalyses = 300;

// A results grid as 300 analyses leave it: a sample name, formatted numbers (some above a
// thousand, some negative, some empty), the dominant ions, subgroup and species as text, and
// nothing in columns 131 to 134.
void FillResults(FlexGrid& grid) {
    for (int a = 0; a < kAnalyses; ++a) {
        std::string row = "EP-" + std::to_string(a + 1) + " sample";
        for (int c = 1; c <= 122; ++c) {
            row += '\t';
            if (c == 46 || c == 90 || c == 122 || (c + a) % 17 == 0) {
                continue;
            }
            const double value = (c % 9 == 0 ? 1234.5678 : 1.0) * (c * 0.731 + a * 0.0137) *
                                 (c % 13 == 0 ? -1.0 : 1.0);
            row += FormatNumber(value);
        }
        row += "\tCa\tREE\tAl\tFe3+\tAl\tO\tallanite\tallanite-(Ce)";
        grid.AddItem(row);
    }
}

bool ReadsAsNumber(const std::string& text) {
    return !text.empty() && (std::isdigit(static_cast<unsigned char>(text[0])) != 0 ||
                             (text[0] == '-' && text.size() > 1));
}

TEST_F(OutputWorkbookTest, SendOf300AnalysesReachesTheSheetAndReadsBackInOpenpyxl) {
    Form10& form = loadWindow();
    FlexGrid& grid = form.MSFlexGrid1();
    FillResults(grid);
    ASSERT_EQ(grid.Rows(), 302);
    std::vector<int> progress;
    QObject::connect(&form.ProgressBar1(), &QProgressBar::valueChanged,
                     [&](int value) { progress.push_back(value); });

    form.toolbarButton(9)->trigger();
    EXPECT_TRUE(m_messages.texts().empty());
    EXPECT_EQ(PendingError(), 0);

    // The bar shows true progress and goes when the send is done.
    EXPECT_EQ(form.ProgressBar1().maximum(), 302);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 302);
    EXPECT_TRUE(form.ProgressBar1().isHidden());
    // The current cell is left on the last cell.
    EXPECT_EQ(grid.Row(), 301);
    EXPECT_EQ(grid.Col(), 134);
    // The title band is back.
    EXPECT_EQ(form.Frame2().Label3().text(), "Calculation Screen");
    EXPECT_EQ(form.Frame2().Label2().text(), "A Windows Program for Epidote-Supergroup Minerals");

    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            ASSERT_EQ(form.OutputSheet().Cells(r + 1, c + 1).Value(), grid.TextMatrix(r, c))
                << r << ", " << c;
        }
    }
    EXPECT_FALSE(form.OutputBook().Saved());

    const std::filesystem::path saved = workFolder() / "Sent results.xlsx";
    form.OutputBook().SaveAs(saved.string());
    const std::filesystem::path script = workFolder() / "dump.py";
    std::ofstream(script) << "import sys, openpyxl\n"
                             "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                             "out = open(sys.argv[2], 'w', encoding='utf-8', newline='')\n"
                             "for row in sheet.iter_rows(min_row=1, max_row=302, min_col=1, "
                             "max_col=135):\n"
                             "    for cell in row:\n"
                             "        v = cell.value\n"
                             "        if v is None:\n"
                             "            out.write('none\\t\\n')\n"
                             "        elif isinstance(v, str):\n"
                             "            out.write('text\\t%s\\n' % v)\n"
                             "        else:\n"
                             "            out.write('number\\t%r\\n' % v)\n";
    const std::filesystem::path dump = workFolder() / "dump.txt";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + saved.string() +
                                "' '" + dump.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    std::ifstream read(dump);
    int numbers = 0;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            std::string line;
            ASSERT_TRUE(std::getline(read, line)) << r << ", " << c;
            const std::string kind = line.substr(0, line.find('\t'));
            const std::string value = line.substr(line.find('\t') + 1);
            const std::string& text = grid.TextMatrix(r, c);
            if (text.empty()) {
                ASSERT_EQ(kind, "none") << r << ", " << c;
            } else if (ReadsAsNumber(text)) {
                ASSERT_EQ(kind, "number") << r << ", " << c << ": " << text;
                ASSERT_EQ(ReadGroupedNumber(value), ReadGroupedNumber(text))
                    << r << ", " << c << ": " << text;
                ++numbers;
            } else {
                ASSERT_EQ(kind, "text") << r << ", " << c;
                ASSERT_EQ(value, text) << r << ", " << c;
            }
        }
    }
    EXPECT_GT(numbers, 30000);
}

TEST_F(OutputWorkbookTest, SendOfTheLayoutRowsAloneWritesTwoSheetRows) {
    Form10& form = loadWindow();
    // Text the workbook held beyond the grid stays; an empty grid cell empties its sheet cell.
    form.OutputSheet().Cells(2, 47).setValue("old");
    form.OutputSheet().Cells(3, 1).setValue("kept");
    form.menuItem("mnuSEF")->trigger();
    EXPECT_EQ(form.OutputSheet().Cells(1, 1).Value(), "Stelvador");
    EXPECT_EQ(form.OutputSheet().Cells(1, 135).Value(), "134");
    EXPECT_EQ(form.OutputSheet().Cells(2, 46).Value(), "Total]wt%");
    EXPECT_EQ(form.OutputSheet().Cells(2, 47).Value(), "");
    EXPECT_EQ(form.OutputSheet().Cells(3, 1).Value(), "kept");
    EXPECT_EQ(form.ProgressBar1().maximum(), 2);
    EXPECT_EQ(form.ProgressBar1().value(), 2);
    EXPECT_EQ(form.MSFlexGrid1().Row(), 1);
    EXPECT_EQ(form.MSFlexGrid1().Col(), 134);
    // The menu send leaves the title band alone.
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(OutputWorkbookTest, ToolbarSendShowsItsNoticeWhileItRuns) {
    Form10& form = loadWindow();
    std::vector<QString> titles;
    QObject::connect(&form.ProgressBar1(), &QProgressBar::valueChanged, [&](int) {
        titles.push_back(form.Frame2().Label3().text() + " / " + form.Frame2().Label2().text());
    });
    form.toolbarButton(9)->trigger();
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.front(),
              "Wait Please / The program sends all calculated results to the Excel file called "
              "Output.xlsx.");
    EXPECT_EQ(form.Frame2().Label3().text(), "Calculation Screen");
}

TEST_F(OutputWorkbookTest, ExitExcelFileThenNextUseGivesAnEmptyGridAndTheWorkbookFromDisk) {
    Form10& form = loadWindow();
    form.MSFlexGrid1().AddItem("EP-1\t38.650");
    form.toolbarButton(9)->trigger();
    // Sent and not saved: quitting asks, and this user saves.
    m_question->answers.push_back(SaveChangesAnswer::Save);
    form.showWindow();
    form.menuItem("mnuEOX")->trigger();
    EXPECT_EQ(m_question->asked, std::vector<std::string>{"Output.xlsx"});
    EXPECT_FALSE(m_link->isLoaded());
    EXPECT_EQ(m_spreadsheets.RunningCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    Form10& again = loadWindow();
    EXPECT_EQ(again.MSFlexGrid1().Rows(), 2);
    EXPECT_FALSE(again.ExcelApp().Visible());
    // The workbook read again from disk holds what was saved: the sample name as text, the
    // result as the number it reads as.
    EXPECT_EQ(again.OutputSheet().Cells(3, 1).Value(), "EP-1");
    EXPECT_EQ(again.OutputSheet().Cells(3, 2).Value(), "38.65");
    EXPECT_TRUE(again.OutputBook().Saved());
}

TEST_F(OutputWorkbookTest, ExitExcelFileWithUnsavedResultsAsksAndDontSaveKeepsTheFile) {
    Form10& form = loadWindow();
    form.MSFlexGrid1().AddItem("EP-1\t38.650");
    form.menuItem("mnuSEF")->trigger();
    form.menuItem("mnuEOX")->trigger();  // answered Don't Save
    EXPECT_EQ(m_question->asked.size(), 1u);
    EXPECT_FALSE(m_link->isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(loadWindow().OutputSheet().Cells(3, 2).Value(), "");
}

TEST_F(OutputWorkbookTest, ExitAsksAboutUnsavedResultsThenEndsTheProgram) {
    Form10& form = loadWindow();
    form.MSFlexGrid1().AddItem("EP-1\t38.650");
    form.toolbarButton(9)->trigger();
    m_question->answers.push_back(SaveChangesAnswer::Save);
    form.menuItem("mnuExit")->trigger();
    EXPECT_EQ(m_question->asked.size(), 1u);
    EXPECT_EQ(m_programEnded, 1);
    EXPECT_EQ(m_spreadsheets.RunningCount(), 0);
}

// Cancel in the question about unsaved results, whichever command asks it, leaves everything
// as it was: the window with its rows, the application with the unsent-to-disk results, the
// file untouched, the program running.
TEST_F(OutputWorkbookTest, CancelInTheSaveQuestionKeepsTheWindowTheResultsAndTheProgram) {
    struct Road {
        const char* name;
        std::function<void(Form10&)> take;
    };
    const std::vector<Road> roads = {
        {"Exit Excel File", [](Form10& form) { form.menuItem("mnuEOX")->trigger(); }},
        {"the frame's close", [](Form10& form) { EXPECT_FALSE(form.close()); }},
        {"Exit", [](Form10& form) { form.menuItem("mnuExit")->trigger(); }},
    };
    const std::string onDisk = ReadBytes(programFolder() / "Output.xlsx");
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        Form10& form = loadWindow();
        form.MSFlexGrid1().AddItem("EP-1\t38.650");
        form.toolbarButton(9)->trigger();
        form.showWindow();
        const int rows = form.MSFlexGrid1().Rows();
        m_question->asked.clear();
        m_question->answers = {SaveChangesAnswer::Cancel};

        road.take(form);

        EXPECT_EQ(m_question->asked, std::vector<std::string>{"Output.xlsx"});
        EXPECT_TRUE(m_link->isLoaded());
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.MSFlexGrid1().Rows(), rows);
        EXPECT_FALSE(form.ExcelApp().isNothing());
        EXPECT_FALSE(form.OutputBook().Saved());
        EXPECT_EQ(form.OutputSheet().Cells(3, 2).Value(), "38.650");
        EXPECT_EQ(m_programEnded, 0);
        EXPECT_TRUE(m_messages.texts().empty());
        EXPECT_EQ(ReadBytes(programFolder() / "Output.xlsx"), onDisk);
    }
}

// A save to the program folder that fails offers another place, so the results are kept.
TEST_F(OutputWorkbookTest, AFailedSaveToTheProgramFolderOffersAnotherPlace) {
    Form10& form = loadWindow();
    form.MSFlexGrid1().AddItem("EP-1\t38.650");
    form.toolbarButton(9)->trigger();
    // The program folder cannot take the file: it has gone.
    std::filesystem::remove_all(programFolder());
    const std::filesystem::path elsewhere = workFolder() / "Kept.xlsx";
    m_question->answers.push_back(SaveChangesAnswer::Save);
    m_question->paths.push_back(elsewhere.string());
    form.menuItem("mnuEOX")->trigger();
    EXPECT_EQ(m_question->failures.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(elsewhere));
    EXPECT_FALSE(m_link->isLoaded());
}

// What a spreadsheet application's quit meets when the save the user asked for is refused.
class RefusingSaveQuestion : public ScriptedSaveChangesQuestion {
  public:
    SaveChangesAnswer AskSaveChanges(const std::string& fileName) override {
        asked.push_back(fileName);
        if (refuse) {
            throw RunTimeError(error::kPathFileAccessError, "The save was refused.");
        }
        return SaveChangesAnswer::DontSave;
    }
    bool refuse = true;
};

TEST_F(OutputWorkbookTest, FrameCloseWhoseQuitFailsReportsItAndTheWindowStays) {
    auto question = std::make_shared<RefusingSaveQuestion>();
    SpreadsheetApplications spreadsheets(question);
    Form10Link link(
        WindowServices{m_dialog, m_messages, m_shell, m_clipboard, spreadsheets, m_about},
        QString::fromStdString(programFolder().string()), routes());
    Form10& form = link.loadedForm();
    form.MSFlexGrid1().AddItem("EP-1\t38.650");
    form.toolbarButton(9)->trigger();
    form.showWindow();

    EXPECT_FALSE(form.close());
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"Path/File access error"});
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(link.isLoaded());
    EXPECT_FALSE(form.ExcelApp().isNothing());
    EXPECT_EQ(form.OutputSheet().Cells(3, 2).Value(), "38.650");

    // "Exit Excel File" meets the same refusal the same way.
    m_messages.clear();
    form.menuItem("mnuEOX")->trigger();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"Path/File access error"});
    EXPECT_TRUE(link.isLoaded());

    // Once the user can answer, the window goes.
    question->refuse = false;
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(link.isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(OutputWorkbookTest, FrameCloseWithoutSpreadsheetApplicationStillCloses) {
    Form10& form = loadWindow();
    m_spreadsheets.Application().Quit();
    form.showWindow();
    EXPECT_TRUE(form.close());
    EXPECT_FALSE(m_link->isLoaded());
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(OutputWorkbookTest, ShowMakesTheApplicationVisibleAndShowingAgainChangesNothing) {
    Form10& form = loadWindow();
    form.menuItem("mnuOEF")->trigger();
    EXPECT_TRUE(form.ExcelApp().Visible());
    form.toolbarButton(10)->trigger();
    EXPECT_TRUE(form.ExcelApp().Visible());
    EXPECT_EQ(form.ExcelApp().Workbooks().Count(), 1);
    EXPECT_TRUE(m_messages.texts().empty());
}

}  // namespace
}  // namespace stelvador
