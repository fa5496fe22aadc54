// The workbook import over the real analysis grid and spreadsheet applications, with workbooks
// written by other programs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "common/continue_on_error.h"
#include "common/data_file_format.h"
#include "common/error_message_tables.h"
#include "common/project_variables.h"
#include "entry/data_file.h"
#include "entry/workbook_import.h"
#include "support/text_files.h"
#include "workbook_test_window.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

fs::path FixturePath(const std::string& file) {
    return fs::path(STELVADOR_WORKBOOK_FIXTURES) / file;
}

std::vector<std::string> ExpectedGrid() {
    std::vector<std::string> lines;
    std::ifstream in(FixturePath("import_analyses.expected.tsv"));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The fresh layout New File leaves: headings, row numbers, nothing else.
std::vector<std::string> FreshGrid() {
    FlexGrid grid(301, 44);
    capCell(grid);
    return GridLines(grid);
}

class WorkbookImportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_originalFolder = fs::current_path();
        std::random_device random;
        m_work = fs::temp_directory_path() /
                 ("stelvador-import-" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(m_work);
        Project().LastFileName = "before";
    }
    void TearDown() override {
        fs::current_path(m_originalFolder);
        fs::remove_all(m_work);
    }

    // A copy of the fixture in the test's own folder (the dialog makes it the current one).
    std::string copyFixture(const std::string& file, const std::string& as = {}) const {
        const fs::path target = m_work / (as.empty() ? file : as);
        fs::copy_file(FixturePath(file), target, fs::copy_options::overwrite_existing);
        return target.string();
    }
    std::string writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(m_work / name, std::ios::binary) << bytes;
        return (m_work / name).string();
    }
    void import(const std::string& path, std::string_view filter = kXlsxImportFilter) {
        m_window.dialog.queuePath(path);
        ImportWorkbook(m_window, filter);
    }

    fs::path m_originalFolder;
    fs::path m_work;
    WorkbookTestWindow m_window{std::string()};
};

struct WriterCase {
    std::string file;
    std::string_view filter;
    // The writer stores no result with a formula (xlwt).
    bool formulaCellsEmpty;
};

class ImportFromWriterTest : public WorkbookImportTest,
                             public ::testing::WithParamInterface<WriterCase> {};

TEST_P(ImportFromWriterTest, GridEqualsTheActiveSheetCellForCell) {
    const WriterCase& writer = GetParam();
    const std::string path = copyFixture(writer.file);
    import(path, writer.filter);

    std::vector<std::string> expected = ExpectedGrid();
    ASSERT_EQ(expected.size(), 301u);
    if (writer.formulaCellsEmpty) {
        // CaO of the second analysis is a formula.
        auto cells = SplitTabs(expected[2]);
        cells[17].clear();
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            line += (c > 0 ? "\t" : "") + cells[c];
        }
        expected[2] = line;
    }
    const FlexGrid& grid = m_window.grid();
    EXPECT_EQ(grid.Rows(), 301);
    EXPECT_EQ(grid.Cols(), 44);
    const std::vector<std::string> actual = GridLines(grid);
    for (std::size_t r = 0; r < expected.size() && r < actual.size(); ++r) {
        EXPECT_EQ(actual[r], expected[r]) << "grid row " << r;
    }
    EXPECT_EQ(grid.TextMatrix(1, 1), "S\u00e4mple \u00d81");
    EXPECT_EQ(grid.Row(), 300);
    EXPECT_EQ(grid.Col(), 43);

    EXPECT_EQ(PendingError(), 0);
    EXPECT_EQ(m_window.newFileRuns, 1);
    EXPECT_EQ(Project().LastFileName, path);
    ASSERT_EQ(m_window.dialog.calls().size(), 1u);
    EXPECT_EQ(m_window.dialog.calls()[0].filter, std::string(writer.filter));
    EXPECT_EQ(m_window.titles,
              (std::vector<std::string>{"Open Excel File", "Wait  Please", "Data Entry Screen"}));
    EXPECT_TRUE(m_window.messages.empty());
    // The workbook is not kept open: the next import reads the file as it is then.
    ASSERT_EQ(m_window.applications().RunningCount(), 1);
    EXPECT_EQ(m_window.applications().Attach().Workbooks().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Writers, ImportFromWriterTest,
    ::testing::Values(WriterCase{"import_openpyxl.xlsx", kXlsxImportFilter, false},
                      WriterCase{"import_xlsxwriter.xlsx", kXlsxImportFilter, false},
                      WriterCase{"import_libreoffice.xlsx", kXlsxImportFilter, false},
                      WriterCase{"import_xlwt.xls", kXlsImportFilter, true},
                      WriterCase{"import_libreoffice.xls", kXlsImportFilter, false}));

TEST_F(WorkbookImportTest, ReadsA1ToAR301AndNothingBeyond) {
    import(copyFixture("import_beyond.xlsx"));

    const FlexGrid& grid = m_window.grid();
    EXPECT_EQ(grid.Rows(), 301);
    EXPECT_EQ(grid.Cols(), 44);
    EXPECT_EQ(grid.TextMatrix(0, 0), "Row No");
    EXPECT_EQ(grid.TextMatrix(0, 43), "H2O");
    EXPECT_EQ(grid.TextMatrix(300, 1), "last row");
    EXPECT_EQ(grid.TextMatrix(300, 43), "1.5");
    // Cells the sheet leaves empty are empty, the fixed row and column included.
    EXPECT_EQ(grid.TextMatrix(0, 1), "");
    EXPECT_EQ(grid.TextMatrix(1, 0), "");
    for (const std::string& line : GridLines(grid)) {
        EXPECT_EQ(line.find("beyond"), std::string::npos) << line;
    }
    EXPECT_EQ(PendingError(), 0);
}

TEST_F(WorkbookImportTest, CancelChangesNothing) {
    for (const std::string_view filter : {kXlsImportFilter, kXlsxImportFilter}) {
        m_window.grid().setTextMatrix(5, 1, "typed");
        const std::vector<std::string> before = GridLines(m_window.grid());
        Project().pendingError = 75;
        m_window.dialog.queueCancel();
        ImportWorkbook(m_window, filter);

        EXPECT_EQ(GridLines(m_window.grid()), before);
        EXPECT_TRUE(m_window.titles.empty());
        EXPECT_EQ(m_window.newFileRuns, 0);
        EXPECT_EQ(Project().LastFileName, "before");
        EXPECT_EQ(PendingError(), 0);
        EXPECT_EQ(m_window.applications().RunningCount(), 0);
        EXPECT_TRUE(m_window.messages.empty());
    }
}

std::string TruncatedHalf(const fs::path& path) {
    const std::string bytes = ReadBytes(path);
    return bytes.substr(0, bytes.size() / 2);
}

// A compound file holding an encrypted package, as a password-protected .xlsx is stored.
std::string EncryptedWorkbookBytes() {
    std::string bytes = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    bytes.resize(512, '\0');
    for (const char ch : std::string("EncryptedPackage")) {
        bytes += ch;
        bytes += '\0';
    }
    bytes.resize(2048, '\0');
    return bytes;
}

TEST_F(WorkbookImportTest, BadWorkbookLeavesTheFreshLayoutAndATableMessage) {
    struct BadCase {
        std::string name;
        std::string path;
        int error;
    };
    const std::vector<BadCase> cases = {
        {"not a workbook", writeFile("notes.xlsx", "Sample\tSiO2\n1\t38.5\n"), 321},
        {"empty file", writeFile("empty.xlsx", ""), 321},
        {"truncated .xlsx",
         writeFile("half.xlsx", TruncatedHalf(FixturePath("import_xlsxwriter.xlsx"))), 321},
        {"truncated .xls", writeFile("half.xls", TruncatedHalf(FixturePath("import_xlwt.xls"))),
         321},
        {"damaged .xls", copyFixture("damaged_biff.xls"), 321},
        {"encrypted", writeFile("locked.xlsx", EncryptedWorkbookBytes()), 321},
        {"missing file", (m_work / "gone.xlsx").string(), 53},
        {"missing folder", (m_work / "gone" / "gone.xlsx").string(), 76},
    };
    for (const BadCase& bad : cases) {
        SCOPED_TRACE(bad.name);
        m_window.grid().setTextMatrix(3, 4, "earlier text");
        m_window.titles.clear();
        import(bad.path);

        EXPECT_EQ(GridLines(m_window.grid()), FreshGrid());
        EXPECT_EQ(PendingError(), bad.error);
        EXPECT_TRUE(ErrorMessage(ErrorTable::DataEntry, PendingError()).has_value());
        EXPECT_EQ(m_window.titles.back(), "Data Entry Screen");
        EXPECT_EQ(Project().LastFileName, bad.path);
        EXPECT_TRUE(m_window.messages.empty());
    }
}

TEST_F(WorkbookImportTest, ImportingAgainReadsTheFileAsItIsNow) {
    const std::string path = copyFixture("import_xlsxwriter.xlsx", "analyses.xlsx");
    import(path);
    EXPECT_EQ(m_window.grid().TextMatrix(1, 1), "S\u00e4mple \u00d81");

    copyFixture("import_beyond.xlsx", "analyses.xlsx");
    import(path);
    EXPECT_EQ(m_window.grid().TextMatrix(1, 1), "");
    EXPECT_EQ(m_window.grid().TextMatrix(300, 1), "last row");
}

TEST_F(WorkbookImportTest, AWorkbookTheUserHasOpenIsReadAsItStandsAndLeftOpen) {
    const std::string path = copyFixture("import_xlsxwriter.xlsx");
    SpreadsheetApplication application = m_window.applications().Create();
    const Workbook book = application.Workbooks().Open(path);
    book.Worksheets(2).Cells(2, 3).setValue("40.5");

    import(path);
    EXPECT_EQ(m_window.grid().TextMatrix(1, 2), "40.5");
    EXPECT_FALSE(book.isNothing());
    EXPECT_FALSE(book.Saved());
}

TEST_F(WorkbookImportTest, SaveAsAfterTheImportWritesTheDataFileOfThoseCells) {
    import(copyFixture("import_xlsxwriter.xlsx"));
    const fs::path saved = m_work / "imported.epd";
    WriteDataFile(m_window.grid(), saved.string());
    EXPECT_EQ(ReadBytes(saved), ReadBytes(FixturePath("import_analyses.expected.epd")));
}

TEST_F(WorkbookImportTest, ACharacterTheDataFileCannotHoldStaysInTheGridAndSaveAsRefusesIt) {
    // Row 3 of this sheet holds a sample name with a superscript plus sign.
    import(copyFixture("openpyxl_cells.xlsx"));
    EXPECT_EQ(m_window.grid().TextMatrix(2, 1), "EP 2 \u00fcn\u00ef \u2013 Fe\u00b3\u207a");

    const fs::path saved = m_work / "refused.epd";
    EXPECT_THROW(WriteDataFile(m_window.grid(), saved.string()), UnwritableDataBlock);
    EXPECT_FALSE(fs::exists(saved));
}

}  // namespace
}  // namespace stelvador
