// Applications are found, created and quit as their callers rely on; unsaved changes are
// never dropped without asking; cells written and saved read back in openpyxl exactly.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "scripted_save_changes_question.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

int ErrorNumberOf(const auto& step) {
    try {
        step();
    } catch (const RunTimeError& failure) {
        return failure.number();
    }
    return 0;
}

class SpreadsheetApplicationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "xlsxwriter_cells.xlsx",
                      m_folder / "Output.xlsx");
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "xlwt_cells.xls",
                      m_folder / "Template.xls");
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string PathOf(const std::string& name) const { return (m_folder / name).string(); }
    SpreadsheetApplication ChangedWorkbookWhoseFolderIsGone();

    fs::path m_folder;
    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    SpreadsheetApplications m_applications{m_question};
};

TEST_F(SpreadsheetApplicationsTest, AttachFailsWhenNoneRuns) {
    EXPECT_EQ(ErrorNumberOf([&] { m_applications.Attach(); }), 429);
}

TEST_F(SpreadsheetApplicationsTest, AttachFindsTheCreatedApplication) {
    const SpreadsheetApplication created = m_applications.Create();
    created.Workbooks().Open(PathOf("Output.xlsx"));
    const SpreadsheetApplication attached = m_applications.Attach();
    EXPECT_EQ(attached.Workbooks().Count(), 1);
    EXPECT_EQ(attached.ActiveSheet().Cells(1, 1).Value(), "Row No");
}

TEST_F(SpreadsheetApplicationsTest, AttachAfterQuitFails) {
    const SpreadsheetApplication created = m_applications.Create();
    created.Quit();
    EXPECT_EQ(ErrorNumberOf([&] { m_applications.Attach(); }), 429);
    EXPECT_EQ(m_applications.RunningCount(), 0);
}

TEST_F(SpreadsheetApplicationsTest, CreateAlwaysMakesANewHiddenApplication) {
    const SpreadsheetApplication first = m_applications.Create();
    first.Workbooks().Open(PathOf("Output.xlsx"));
    const SpreadsheetApplication second = m_applications.Create();
    EXPECT_EQ(m_applications.RunningCount(), 2);
    EXPECT_FALSE(second.Visible());
    EXPECT_EQ(second.Workbooks().Count(), 0);
    EXPECT_TRUE(second.ActiveSheet().isNothing());
    // Attach finds the one that has run longest.
    EXPECT_EQ(m_applications.Attach().Workbooks().Count(), 1);
    first.Quit();
    EXPECT_EQ(m_applications.Attach().Workbooks().Count(), 0);
}

TEST_F(SpreadsheetApplicationsTest, EmptyAndGoneReferencesFailWithObjectRequired) {
    const Worksheet nothing;
    EXPECT_EQ(ErrorNumberOf([&] { nothing.Cells(1, 1).setValue("x"); }), 424);
    EXPECT_EQ(ErrorNumberOf([&] { SpreadsheetApplication().setVisible(true); }), 424);
    EXPECT_EQ(ErrorNumberOf([&] { SpreadsheetApplication().Quit(); }), 424);

    const SpreadsheetApplication application = m_applications.Create();
    const Workbook book = application.Workbooks().Open(PathOf("Output.xlsx"));
    const Worksheet sheet = book.Worksheets(1);
    const Cell cell = sheet.Cells(1, 1);
    application.Quit();
    EXPECT_TRUE(application.isNothing());
    EXPECT_TRUE(book.isNothing());
    EXPECT_TRUE(sheet.isNothing());
    EXPECT_EQ(ErrorNumberOf([&] { sheet.Cells(2, 2).setValue("x"); }), 424);
    EXPECT_EQ(ErrorNumberOf([&] { cell.Value(); }), 424);
    EXPECT_EQ(ErrorNumberOf([&] { application.setVisible(true); }), 424);
}

TEST_F(SpreadsheetApplicationsTest, OutOfRangeSheetsAndCells) {
    const Workbook book = m_applications.Create().Workbooks().Open(PathOf("Output.xlsx"));
    EXPECT_EQ(ErrorNumberOf([&] { book.Worksheets(0); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { book.Worksheets(3); }), 9);
    const Worksheet sheet = book.Worksheets(1);
    EXPECT_EQ(ErrorNumberOf([&] { sheet.Cells(0, 1); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { sheet.Cells(1, 16385); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { sheet.Cells(1048576, 16384).setValue("corner"); }), 0);
}

TEST_F(SpreadsheetApplicationsTest, WritesReadBackAndMarkTheWorkbookChanged) {
    const Workbook book = m_applications.Create().Workbooks().Open(PathOf("Output.xlsx"));
    const Worksheet sheet = book.Worksheets(1);
    sheet.Cells(2, 2).setValue("EP-1");  // the same text: no change
    EXPECT_TRUE(book.Saved());
    sheet.Cells(2, 3).setValue("38.650");
    EXPECT_EQ(sheet.Cells(2, 3).Value(), "38.650");
    EXPECT_FALSE(book.Saved());
    sheet.Cells(1, 1).setValue("");
    EXPECT_EQ(sheet.Cells(1, 1).Value(), "");
}

TEST_F(SpreadsheetApplicationsTest, OpeningTheSameFileAgainKeepsItsChanges) {
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1).Cells(9, 9).setValue("kept");
    const Workbook again = application.Workbooks().Open(PathOf("Output.xlsx"));
    EXPECT_EQ(application.Workbooks().Count(), 1);
    EXPECT_EQ(again.Worksheets(1).Cells(9, 9).Value(), "kept");
}

TEST_F(SpreadsheetApplicationsTest, QuitWithoutChangesAsksNothing) {
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks().Open(PathOf("Output.xlsx"));
    application.Quit();
    EXPECT_TRUE(m_question->asked.empty());
}

TEST_F(SpreadsheetApplicationsTest, QuitWithChangesAsksOnceAndSavesWhenTold) {
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1).Cells(3, 4).setValue("new");
    m_question->answers.push_back(SaveChangesAnswer::Save);
    application.Quit();
    ASSERT_EQ(m_question->asked.size(), 1u);
    EXPECT_EQ(m_question->asked.front(), "Output.xlsx");

    const Workbook reopened = m_applications.Create().Workbooks().Open(PathOf("Output.xlsx"));
    EXPECT_EQ(reopened.Worksheets(1).Cells(3, 4).Value(), "new");
    EXPECT_EQ(reopened.Worksheets(1).Cells(2, 3).Value(), "38.65042");
    EXPECT_EQ(reopened.Worksheets(1).Cells(4, 2).Value(), "2024-03-15 13:45:00");
    // The formulas of the sheet saved keep no value of the last calculation, which the cells
    // written may have made wrong: they show a value once a spreadsheet program calculates them.
    EXPECT_EQ(reopened.Worksheets(1).Cells(5, 3).Value(), "");
    EXPECT_EQ(reopened.Worksheets(2).Cells(1, 1).Value(), "second sheet");
}

TEST_F(SpreadsheetApplicationsTest, DontSaveLeavesTheFileAsItWas) {
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1).Cells(1, 1).setValue("x");
    m_question->answers.push_back(SaveChangesAnswer::DontSave);
    application.Quit();
    EXPECT_EQ(m_question->asked.size(), 1u);
    const Workbook reopened = m_applications.Create().Workbooks().Open(PathOf("Output.xlsx"));
    EXPECT_EQ(reopened.Worksheets(1).Cells(1, 1).Value(), "Row No");
}

TEST_F(SpreadsheetApplicationsTest, AWorkbookReadFromXlsIsSavedWhereTheUserChooses) {
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks().Open(PathOf("Template.xls")).Worksheets(1).Cells(123, 1).setValue(" ");
    m_question->answers.push_back(SaveChangesAnswer::Save);
    m_question->paths.push_back(PathOf("Chosen.xlsx"));
    application.Quit();
    EXPECT_EQ(m_question->toldNewXlsx, std::vector<std::string>{"Template.xls"});
    ASSERT_EQ(m_question->suggested.size(), 1u);
    EXPECT_EQ(m_question->suggested.front(), PathOf("Template (from xls).xlsx"));
    const Worksheet saved =
        m_applications.Create().Workbooks().Open(PathOf("Chosen.xlsx")).Worksheets(1);
    EXPECT_EQ(saved.Cells(123, 1).Value(), " ");
    EXPECT_EQ(saved.Cells(2, 3).Value(), "38.65042");
}

// We write no .xls: the name proposed for a workbook read from one is a new .xlsx beside it,
// never a file that is already there (the .xlsx template beside the .xls one least of all).
TEST_F(SpreadsheetApplicationsTest, AWorkbookReadFromXlsIsOfferedANameNoFileHas) {
    struct Case {
        std::vector<std::string> present;
        std::string proposed;
    };
    const std::vector<Case> cases = {
        {{}, "Template (from xls).xlsx"},
        {{"Template.xlsx"}, "Template (from xls).xlsx"},
        {{"Template.xlsx", "Template (from xls).xlsx"}, "Template (from xls) 2.xlsx"},
        {{"Template (from xls).xlsx", "Template (from xls) 2.xlsx"}, "Template (from xls) 3.xlsx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.proposed);
        for (const std::string& name : c.present) {
            std::ofstream(m_folder / name) << "the user's own " << name;
        }
        const SpreadsheetApplication application = m_applications.Create();
        const Worksheet sheet = application.Workbooks().Open(PathOf("Template.xls")).Worksheets(1);
        sheet.Cells(2, 2).setValue("x");
        m_question->answers = {SaveChangesAnswer::Save, SaveChangesAnswer::DontSave};
        m_question->suggested.clear();
        application.Quit();
        EXPECT_EQ(m_question->suggested, std::vector<std::string>{PathOf(c.proposed)});
        for (const std::string& name : c.present) {
            EXPECT_EQ(ReadBytes(m_folder / name), "the user's own " + name);
            fs::remove(m_folder / name);
        }
    }
}

// Cancel keeps everything: the application runs on with its workbook and its changes, nothing
// is written, and Quit says so.
TEST_F(SpreadsheetApplicationsTest, CancelKeepsTheApplicationAndItsChanges) {
    const SpreadsheetApplication application = m_applications.Create();
    const Workbook book = application.Workbooks().Open(PathOf("Output.xlsx"));
    book.Worksheets(1).Cells(3, 4).setValue("kept");
    m_question->answers = {SaveChangesAnswer::Cancel};
    EXPECT_FALSE(application.Quit());
    EXPECT_FALSE(application.isNothing());
    EXPECT_EQ(m_applications.RunningCount(), 1);
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(book.Worksheets(1).Cells(3, 4).Value(), "kept");
    EXPECT_TRUE(m_question->suggested.empty());
    // Asked again later, the workbook can still be saved.
    m_question->answers = {SaveChangesAnswer::Save};
    EXPECT_TRUE(application.Quit());
    EXPECT_EQ(m_question->asked.size(), 2u);
    EXPECT_EQ(m_applications.RunningCount(), 0);
}

// Every workbook is asked about before anything is saved or closed: a Cancel for the second
// leaves the first running too, and unsaved though Save was its answer.
TEST_F(SpreadsheetApplicationsTest, GlobalQuitCancelledLeavesEveryApplicationRunning) {
    const std::string onDisk = ReadBytes(m_folder / "Output.xlsx");
    const SpreadsheetApplication one = m_applications.Create();
    const SpreadsheetApplication two = m_applications.Create();
    const Workbook first = one.Workbooks().Open(PathOf("Output.xlsx"));
    first.Worksheets(1).Cells(1, 1).setValue("1");
    two.Workbooks().Open(PathOf("Template.xls")).Worksheets(1).Cells(1, 1).setValue("2");
    m_question->answers = {SaveChangesAnswer::Save, SaveChangesAnswer::Cancel};
    EXPECT_FALSE(m_applications.Application().Quit());
    EXPECT_EQ(m_question->asked, (std::vector<std::string>{"Output.xlsx", "Template.xls"}));
    EXPECT_EQ(m_applications.RunningCount(), 2);
    EXPECT_EQ(one.ActiveSheet().Cells(1, 1).Value(), "1");
    EXPECT_EQ(two.ActiveSheet().Cells(1, 1).Value(), "2");
    EXPECT_FALSE(first.Saved());
    EXPECT_EQ(ReadBytes(m_folder / "Output.xlsx"), onDisk);
}

// Cancelling the choice of a path after Save saves nothing and asks again, where Cancel keeps
// the changes.
TEST_F(SpreadsheetApplicationsTest, CancellingThePathAfterSaveAsksAgain) {
    const SpreadsheetApplication application = m_applications.Create();
    const Workbook book = application.Workbooks().Open(PathOf("Template.xls"));
    book.Worksheets(1).Cells(2, 2).setValue("x");
    m_question->answers = {SaveChangesAnswer::Save, SaveChangesAnswer::Cancel};
    m_question->paths = {""};
    EXPECT_FALSE(application.Quit());
    EXPECT_EQ(m_question->asked.size(), 2u);
    EXPECT_FALSE(book.Saved());
    EXPECT_FALSE(fs::exists(PathOf("Template (from xls).xlsx")));
}

// A workbook is open once in the process, whatever name reaches it and whichever application
// opens it again: the one copy with its changes is returned.
TEST_F(SpreadsheetApplicationsTest, TheSameFileByAnyNameIsOpenOnce) {
    fs::create_directory(m_folder / "sub");
    fs::create_hard_link(m_folder / "Output.xlsx", m_folder / "Linked.xlsx");
    fs::create_symlink(m_folder / "Output.xlsx", m_folder / "sub" / "Shortcut.xlsx");
    const SpreadsheetApplication first = m_applications.Create();
    first.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1).Cells(9, 9).setValue("kept");
    for (const std::string& name :
         {PathOf("Linked.xlsx"), PathOf("sub/../Output.xlsx"), PathOf("sub/Shortcut.xlsx")}) {
        SCOPED_TRACE(name);
        const SpreadsheetApplication other = m_applications.Create();
        const Workbook again = other.Workbooks().Open(name);
        EXPECT_EQ(again.Worksheets(1).Cells(9, 9).Value(), "kept");
        EXPECT_EQ(again.FullName(), PathOf("Output.xlsx"));
        EXPECT_EQ(other.Workbooks().Count(), 0);
        EXPECT_EQ(first.Workbooks().Count(), 1);
        EXPECT_FALSE(m_applications.Holding(name).isNothing());
        EXPECT_EQ(m_applications.Holding(name).Workbooks().Count(), 1);
    }
    EXPECT_TRUE(m_applications.Holding(PathOf("Template.xls")).isNothing());
}

TEST_F(SpreadsheetApplicationsTest, AFailedSaveIsReportedAndAskedAgain) {
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1).Cells(1, 1).setValue("x");
    // The workbook's folder goes away: the save fails, the user is told, then asked again.
    fs::remove_all(m_folder);
    m_question->answers = {SaveChangesAnswer::Save, SaveChangesAnswer::DontSave};
    application.Quit();
    EXPECT_EQ(m_question->asked.size(), 2u);
    EXPECT_EQ(m_question->failures.size(), 1u);
}

// An application holding a changed workbook whose own folder has since gone, so saving it to
// its own path fails.
SpreadsheetApplication SpreadsheetApplicationsTest::ChangedWorkbookWhoseFolderIsGone() {
    fs::create_directory(m_folder / "gone");
    fs::copy_file(m_folder / "Output.xlsx", m_folder / "gone" / "Output.xlsx");
    const SpreadsheetApplication application = m_applications.Create();
    application.Workbooks()
        .Open(PathOf("gone/Output.xlsx"))
        .Worksheets(1)
        .Cells(3, 4)
        .setValue("kept");
    fs::remove_all(m_folder / "gone");
    return application;
}

// The workbook's own folder cannot take the save: the user is offered another place, so the
// changes are not lost.
TEST_F(SpreadsheetApplicationsTest, AFailedSaveToTheWorkbooksOwnPathOffersAnotherPath) {
    const SpreadsheetApplication application = ChangedWorkbookWhoseFolderIsGone();
    m_question->answers = {SaveChangesAnswer::Save};
    m_question->paths = {PathOf("Kept.xlsx")};
    application.Quit();
    EXPECT_EQ(m_question->asked.size(), 1u);
    EXPECT_EQ(m_question->failures.size(), 1u);
    EXPECT_EQ(m_question->suggested, (std::vector<std::string>{PathOf("gone/Output.xlsx")}));
    const Worksheet kept =
        m_applications.Create().Workbooks().Open(PathOf("Kept.xlsx")).Worksheets(1);
    EXPECT_EQ(kept.Cells(3, 4).Value(), "kept");
}

// Cancelling the other path asks again; a later Save goes to the choice of a path again rather
// than to the own path that failed.
TEST_F(SpreadsheetApplicationsTest, CancellingTheOtherPathAsksAgain) {
    const SpreadsheetApplication application = ChangedWorkbookWhoseFolderIsGone();
    m_question->answers = {SaveChangesAnswer::Save, SaveChangesAnswer::Save};
    m_question->paths = {"", PathOf("Kept.xlsx")};
    application.Quit();
    EXPECT_EQ(m_question->asked.size(), 2u);
    EXPECT_EQ(m_question->failures.size(), 1u);
    EXPECT_EQ(m_question->suggested.size(), 2u);
    EXPECT_TRUE(m_question->paths.empty());
    const Worksheet kept =
        m_applications.Create().Workbooks().Open(PathOf("Kept.xlsx")).Worksheets(1);
    EXPECT_EQ(kept.Cells(3, 4).Value(), "kept");
}

TEST_F(SpreadsheetApplicationsTest, GlobalQuitQuitsEveryApplicationAndAsksForEach) {
    m_applications.Application().Quit();  // none running: nothing happens
    const SpreadsheetApplication one = m_applications.Create();
    const SpreadsheetApplication two = m_applications.Create();
    one.Workbooks().Open(PathOf("Output.xlsx")).Worksheets(1).Cells(1, 1).setValue("1");
    two.Workbooks().Open(PathOf("Template.xls")).Worksheets(1).Cells(1, 1).setValue("2");
    m_applications.Application().Quit();
    EXPECT_EQ(m_question->asked, (std::vector<std::string>{"Output.xlsx", "Template.xls"}));
    EXPECT_EQ(m_applications.RunningCount(), 0);
    EXPECT_TRUE(one.isNothing());
}

// Results as the send writes them (formatted number texts, empty cells), saved, and read by
// openpyxl: a text that reads as a number is that number, in a format that shows it as it was
// written; every other cell holds exactly the text written.
TEST_F(SpreadsheetApplicationsTest, SavedCellsReadBackInOpenpyxlExactly) {
    const SpreadsheetApplication application = m_applications.Create();
    const Workbook book = application.Workbooks().Open(PathOf("Output.xlsx"));
    const Worksheet sheet = book.Worksheets(1);
    struct Written {
        std::string text;
        std::string readBack;  // openpyxl's type, value and number format
    };
    const std::vector<std::vector<Written>> rows = {
        {{"Stelvador", "str|Stelvador|General"},
         {"1", "int|1|0"},
         {"2", "int|2|0"},
         {"3", "int|3|0"}},
        {{"Sample       ", "str|Sample       |General"},
         {"SiO2", "str|SiO2|General"},
         {"Total]wt%", "str|Total]wt%|General"},
         {"", "NoneType||General"}},
        {{"EP-1", "str|EP-1|General"},
         {"38.650", "float|38.65|0.000"},
         {"-0.009", "float|-0.009|0.000"},
         {"1,234.500", "float|1234.5|#,##0.000"}},
        // Row 4 held dates: a text written over one keeps the cell's style, its format too.
        {{"\u00fcn\u00ef \u2013 Fe\u00b3\u207a",
          "str|\u00fcn\u00ef \u2013 Fe\u00b3\u207a|yyyy-mm-dd"},
         {"  ", "str|  |dd/mm/yyyy hh:mm"},
         {"=not a formula", "str|=not a formula|mm-dd-yy"},
         {"0012", "str|0012|General"}},
    };
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            sheet.Cells(static_cast<int>(r) + 1, static_cast<int>(c) + 1).setValue(rows[r][c].text);
        }
    }
    // Read back here, each cell is the text as written.
    EXPECT_EQ(sheet.Cells(3, 4).Value(), "1,234.500");
    const std::string target = PathOf("Sent.xlsx");
    book.SaveAs(target);
    EXPECT_TRUE(book.Saved());
    EXPECT_EQ(book.FullName(), target);

    const fs::path script = m_folder / "dump.py";
    std::ofstream(script) << "import sys, openpyxl\n"
                             "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                             "out = open(sys.argv[2], 'w', encoding='utf-8', newline='')\n"
                             "for r in range(1, 5):\n"
                             "    for c in range(1, 5):\n"
                             "        cell = sheet.cell(row=r, column=c)\n"
                             "        v = cell.value\n"
                             "        out.write('%s|%s|%s\\n' % (type(v).__name__, '' if v is None "
                             "else v, cell.number_format))\n";
    const fs::path dump = m_folder / "dump.txt";
    const std::string command =
        "/usr/bin/python3 '" + script.string() + "' '" + target + "' '" + dump.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream read(dump);
    for (const auto& row : rows) {
        for (const Written& cell : row) {
            std::string line;
            ASSERT_TRUE(std::getline(read, line));
            EXPECT_EQ(line, cell.readBack) << cell.text;
        }
    }
}

}  // namespace
}  // namespace stelvador
