// The workbook import over the real analysis grid and spreadsheet applications, with workbooks
// written by other programs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/cell_text_limit.h"
#include "common/continue_on_error.h"
#include "common/data_file_format.h"
#include "common/error_message_tables.h"
#include "common/project_variables.h"
#include "common/run_time_error.h"
#include "entry/data_file.h"
#include "entry/workbook_import.h"
#include "platform/spreadsheet/zip_maker.h"
#include "support/scratch_folder.h"
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
        m_work = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
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

// The parts of an .xlsx whose one worksheet holds the sheet XML, its cells showing the shared
// strings given, and whose active tab is a chart when chartActive.
std::vector<ZipPart> WorkbookParts(std::string sheetXml, const std::string& sharedStrings = {},
                                   bool chartActive = false) {
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::vector<ZipPart> parts = MinimalXlsxParts(std::move(sheetXml));
    for (ZipPart& part : parts) {
        if (part.name == "xl/_rels/workbook.xml.rels") {
            part.content = "<Relationships><Relationship Id=\"rs\" Type=\"" + type +
                           "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship "
                           "Id=\"rc\" Type=\"" +
                           type +
                           "chartsheet\" Target=\"chartsheets/sheet1.xml\"/><Relationship "
                           "Id=\"rt\" Type=\"" +
                           type + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
        } else if (part.name == "xl/workbook.xml" && chartActive) {
            part.content =
                "<workbook xmlns:r=\"r\"><bookViews><workbookView activeTab=\"1\"/></bookViews>"
                "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rs\"/><sheet name=\"Chart\" "
                "sheetId=\"2\" r:id=\"rc\"/></sheets></workbook>";
        }
    }
    parts.push_back({"xl/chartsheets/sheet1.xml", "<chartsheet/>"});
    parts.push_back({"xl/sharedStrings.xml", "<sst>" + sharedStrings + "</sst>"});
    return parts;
}

std::string Repeated(std::size_t count, const std::string& piece) {
    std::string text;
    text.reserve(count * piece.size());
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

std::string Sheet(const std::string& rows) {
    return "<worksheet><sheetData>" + rows + "</sheetData></worksheet>";
}

std::string Nested(int depth) {
    std::string xml = "<worksheet>";
    for (int i = 0; i < depth; ++i) {
        xml += "<a>";
    }
    for (int i = 0; i < depth; ++i) {
        xml += "</a>";
    }
    return xml + "<sheetData/></worksheet>";
}

const std::string kTooMuch = "The workbook holds more than this program reads: ";

// Every reason a workbook is refused with: the table's text on the first line of the message,
// the reason on the second. A cell too long for the grid changes nothing; any other refusal
// leaves the fresh layout.
TEST_F(WorkbookImportTest, EachRefusalSaysWhy) {
    struct Refusal {
        std::string name;
        std::string file;
        std::string reason;
        bool changesNothing = false;
    };
    const std::string longText(kCellTextLimit + 1, 'x');
    const auto zip = [&](const std::string& name, const std::vector<ZipPart>& parts) {
        WriteZip(m_work / name, parts);
        return (m_work / name).string();
    };
    // 24 MiB of empty elements, packed a thousand times smaller.
    std::vector<ZipPart> manyElements =
        WorkbookParts("<worksheet>" + Repeated(6u << 20, "<x/>") + "<sheetData/></worksheet>");
    for (ZipPart& part : manyElements) {
        part.compressionLevel = 9;
    }
    std::vector<ZipPart> encryptedParts = WorkbookParts(Sheet(""));
    for (ZipPart& part : encryptedParts) {
        part.encrypted = true;
    }
    const std::vector<Refusal> refusals = {
        {"Office-encrypted", writeFile("locked.xlsx", EncryptedWorkbookBytes()),
         "The workbook is protected with a password."},
        {"encrypted zip", zip("zip_locked.xlsx", encryptedParts),
         "The workbook is protected with a password."},
        {"chart active", zip("chart.xlsx", WorkbookParts(Sheet(""), {}, true)),
         "The active sheet is a chart, not a worksheet."},
        {"text", writeFile("notes.xlsx", "Sample\tSiO2\n1\t38.5\n"), "The file is not a workbook."},
        {"empty", writeFile("empty.xlsx", ""), "The file is not a workbook."},
        {"zip without a workbook", zip("other.xlsx", {{"readme.txt", "hello"}}),
         "The file is not a workbook."},
        {"malformed sheet",
         zip("malformed.xlsx", WorkbookParts("<worksheet><sheetData><row><c><v>1</v></row>")),
         "The file is damaged: its worksheet part is not well-formed XML."},
        {"missing shared string",
         zip("unshared.xlsx",
             WorkbookParts(Sheet("<row><c t=\"s\"><v>3</v></c></row>"), "<si><t>only</t></si>")),
         "The file is damaged: a cell refers to a shared string it does not hold."},
        {"crashing .xls", copyFixture("crashing_biff.xls"),
         "The file is damaged: its active sheet cannot be read to its end."},
        {"nested", zip("nested.xlsx", WorkbookParts(Nested(300))),
         kTooMuch + "its part xl/worksheets/sheet1.xml holds XML elements nested more than 256 "
                    "deep."},
        {"long text between tags",
         zip("blanks.xlsx", WorkbookParts("<worksheet>" + std::string(2u << 20, ' ') +
                                          "<sheetData/></worksheet>")),
         kTooMuch + "its part xl/worksheets/sheet1.xml holds a text longer than 1 MiB."},
        {"a part unpacking to far more than its packed size", zip("ratio.xlsx", manyElements),
         kTooMuch + "its part xl/worksheets/sheet1.xml unpacks to more than 100 times its "
                    "packed size."},
        {"inline text too long",
         zip("inline.xlsx", WorkbookParts(Sheet("<row r=\"4\"><c r=\"C4\" t=\"inlineStr\"><is><t>" +
                                                longText + "</t></is></c></row>"))),
         "Cell C4 holds more than 32,767 characters.", true},
        {"shared text too long, the first cell showing it",
         zip("shared.xlsx",
             WorkbookParts(Sheet("<row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c>"
                                 "<c r=\"E2\" t=\"s\"><v>1</v></c></row><row r=\"5\">"
                                 "<c r=\"A5\" t=\"s\"><v>0</v></c></row>"),
                           "<si><t>short</t></si><si><t>" + longText + "</t></si>")),
         "Cell E2 holds more than 32,767 characters.", true},
        {"a megabyte of shared text, shown after an own text too long",
         zip("megabyte.xlsx",
             WorkbookParts(Sheet("<row r=\"7\"><c r=\"A7\" t=\"inlineStr\"><is><t>" + longText +
                                 "</t></is></c><c r=\"B7\" t=\"s\"><v>0</v></c></row>"),
                           "<si><t>" + std::string(3u << 20, 'y') + "</t></si>")),
         "Cell A7 holds more than 32,767 characters.", true},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        m_window.layOutEmptyGrid();
        m_window.newFileRuns = 0;
        m_window.titles.clear();
        m_window.busyChanges.clear();
        m_window.grid().setTextMatrix(3, 4, "earlier text");
        const std::vector<std::string> before = GridLines(m_window.grid());
        Project().LastFileName = "before";
        import(refusal.file, refusal.file.ends_with(".xls") ? kXlsImportFilter : kXlsxImportFilter);

        EXPECT_EQ(PendingError(), 321);
        EXPECT_EQ(PendingReason(), refusal.reason);
        EXPECT_EQ(FailureMessage(ErrorTable::DataEntry, PendingError(), PendingReason(), {}),
                  "Invalid file format\n" + refusal.reason);
        if (refusal.changesNothing) {
            EXPECT_EQ(GridLines(m_window.grid()), before);
            EXPECT_EQ(m_window.newFileRuns, 0);
            EXPECT_TRUE(m_window.titles.empty());
            EXPECT_EQ(Project().LastFileName, "before");
        } else {
            EXPECT_EQ(GridLines(m_window.grid()), FreshGrid());
            EXPECT_EQ(m_window.newFileRuns, 1);
            EXPECT_EQ(m_window.titles.back(), "Data Entry Screen");
            EXPECT_EQ(Project().LastFileName, refusal.file);
        }
        EXPECT_EQ(m_window.busyChanges, (std::vector<bool>{true, false}));
    }
}

// The wait cursor shows while the workbook is read, before the grid is laid out afresh.
TEST_F(WorkbookImportTest, TheWaitCursorShowsWhileTheWorkbookIsRead) {
    import(copyFixture("import_xlsxwriter.xlsx"));
    EXPECT_EQ(m_window.busyChanges, (std::vector<bool>{true, false}));
    EXPECT_EQ(m_window.titlesWhenBusyChanged, (std::vector<std::size_t>{0, 0}));
    EXPECT_EQ(m_window.titles.size(), 3u);
}

// A text of exactly as many characters as a cell holds, in a cell of its own or shared, comes
// in whole; the workbook's other cells too.
TEST_F(WorkbookImportTest, ATextAsLongAsACellHoldsImportsWhole) {
    std::string longest;
    while (longest.size() < kCellTextLimit * 2) {
        longest += "\u00e4";  // two bytes, one character
    }
    ASSERT_FALSE(ExceedsCellTextLimit(longest));
    WriteZip(m_work / "longest.xlsx",
             WorkbookParts(Sheet("<row r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is><t>" + longest +
                                 "</t></is></c><c r=\"C2\" t=\"s\"><v>0</v></c>"
                                 "<c r=\"D2\"><v>38.5</v></c></row>"),
                           "<si><t>" + longest + "</t></si>"));
    import((m_work / "longest.xlsx").string());
    EXPECT_EQ(PendingError(), 0);
    EXPECT_EQ(m_window.grid().TextMatrix(1, 1), longest);
    EXPECT_EQ(m_window.grid().TextMatrix(1, 2), longest);
    EXPECT_EQ(m_window.grid().TextMatrix(1, 3), "38.5");
}

// The import reads the active sheet and, of it, rows 1 to 301: a damaged other sheet, damage
// after row 301 and damage after the last shared string a read cell shows cost it nothing,
// while the spreadsheet window, which reads whole workbooks, refuses them.
TEST_F(WorkbookImportTest, ReadsNothingBeyondTheActiveSheetsFirstRows) {
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::vector<ZipPart> otherSheetDamaged = WorkbookParts(
        Sheet(
            "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"
            "<row r=\"301\"><c r=\"AR301\"><v>2.5</v></c><c r=\"AS301\" t=\"s\"><v>5</v></c></row>"
            "<row r=\"302\"><c r=\"A302\" t=\"s\"><v>7</v></c><broken></row>"),
        "<si><t>first</t></si><si><broken>");
    for (ZipPart& part : otherSheetDamaged) {
        if (part.name == "xl/workbook.xml") {
            part.content =
                "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" "
                "r:id=\"rs\"/><sheet name=\"T\" sheetId=\"2\" r:id=\"r2\"/>"
                "</sheets></workbook>";
        } else if (part.name == "xl/_rels/workbook.xml.rels") {
            part.content.insert(part.content.find("</Relationships>"),
                                "<Relationship Id=\"r2\" Type=\"" + type +
                                    "worksheet\" Target=\"worksheets/sheet2.xml\"/>");
        }
    }
    otherSheetDamaged.push_back({"xl/worksheets/sheet2.xml", "<worksheet><sheetData><row>"});
    WriteZip(m_work / "partly.xlsx", otherSheetDamaged);
    const std::string path = (m_work / "partly.xlsx").string();

    import(path);
    EXPECT_EQ(PendingError(), 0) << PendingReason();
    EXPECT_EQ(m_window.grid().TextMatrix(0, 0), "first");
    EXPECT_EQ(m_window.grid().TextMatrix(300, 43), "2.5");

    const SpreadsheetApplication application = m_window.applications().Create();
    try {
        application.Workbooks().Open(path);
        ADD_FAILURE() << "the spreadsheet window read a damaged workbook";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
        EXPECT_EQ(failure.reason().rfind("The file is damaged: ", 0), 0u) << failure.reason();
    }
}

// Dates come in as ISO dates whatever the writer stored: a formula's result with a date format
// (.xls from LibreOffice), an ISO text at midnight or with a time (t="d", openpyxl).
TEST_F(WorkbookImportTest, DatesComeInAsIsoDatesWhateverTheWriter) {
    const struct {
        const char* file;
        std::string_view filter;
        std::vector<std::string> firstRow;  // sheet cells A1, B1, ...
    } cases[] = {
        {"import_libreoffice_dates.xls",
         kXlsImportFilter,
         {"2024-03-15", "2024-03-15 13:45:00", "45366", "2024-03-15"}},
        {"import_openpyxl_iso_dates.xlsx",
         kXlsxImportFilter,
         {"2024-03-15", "2024-03-15 13:45:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        import(copyFixture(c.file), c.filter);
        EXPECT_EQ(PendingError(), 0) << PendingReason();
        for (std::size_t column = 0; column < c.firstRow.size(); ++column) {
            EXPECT_EQ(m_window.grid().TextMatrix(0, static_cast<int>(column)), c.firstRow[column])
                << "column " << column;
        }
    }
}

// The spreadsheet window refuses a cell too long for a cell as the import does, naming it.
TEST_F(WorkbookImportTest, TheSpreadsheetWindowRefusesATooLongCellNamingIt) {
    WriteZip(m_work / "long.xlsx",
             WorkbookParts(Sheet("<row r=\"900\"><c r=\"AZ900\" t=\"s\"><v>0</v></c></row>"),
                           "<si><t>" + std::string(kCellTextLimit + 1, 'z') + "</t></si>"));
    const SpreadsheetApplication application = m_window.applications().Create();
    try {
        application.Workbooks().Open((m_work / "long.xlsx").string());
        ADD_FAILURE() << "a cell too long for a cell was read";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
        EXPECT_EQ(failure.reason(), "Cell AZ900 holds more than 32,767 characters.");
    }
    EXPECT_EQ(application.Workbooks().Count(), 0);
}

}  // namespace
}  // namespace stelvador
