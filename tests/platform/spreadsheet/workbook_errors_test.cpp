// Input that is no readable workbook fails with a run-time error; it never crashes or hangs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "common/run_time_error.h"
#include "platform/program_files.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/workbook_transfer.h"
#include "platform/spreadsheet/xls_reader_process.h"
#include "platform/spreadsheet/xlsx_reader.h"
#include "scripted_save_changes_question.h"
#include "zip_maker.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class WorkbookErrorsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("stelvador_errors_" +
                    std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
        m_application = m_applications.Create();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    // The error number Open fails with, or 0 when it opens.
    int OpenFails(const std::string& path) {
        try {
            m_application.Workbooks().Open(path);
        } catch (const RunTimeError& failure) {
            return failure.number();
        }
        return 0;
    }

    fs::path m_folder;
    SpreadsheetApplications m_applications{std::make_shared<ScriptedSaveChangesQuestion>()};
    SpreadsheetApplication m_application;
};

TEST_F(WorkbookErrorsTest, NamesThatLeadToNoFile) {
    fs::create_directories(m_folder / "folder.xlsx");
    struct Case {
        std::string path;
        int number;
    };
    const Case cases[] = {
        {"", 52},
        {(m_folder / "missing.xlsx").string(), 53},
        {(m_folder / "no folder" / "missing.xlsx").string(), 76},
        {(m_folder / "folder.xlsx").string(), 75},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenFails(c.path), c.number) << c.path;
    }
    EXPECT_EQ(m_application.Workbooks().Count(), 0);
    EXPECT_TRUE(m_application.ActiveSheet().isNothing());
}

TEST_F(WorkbookErrorsTest, FilesThatAreNoWorkbook) {
    const std::string cases[] = {
        "",
        "Row No\tSample No\r\n",
        "PK\x03\x04 not really a zip",
        std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0'),
    };
    int index = 0;
    for (const std::string& bytes : cases) {
        const fs::path path = m_folder / ("case" + std::to_string(index++) + ".xlsx");
        WriteFile(path, bytes);
        EXPECT_EQ(OpenFails(path.string()), 321) << path;
    }
}

TEST_F(WorkbookErrorsTest, TruncatedWorkbooksAtEveryTenthOfTheirLength) {
    for (const char* fixture : {"xlsxwriter_cells.xlsx", "openpyxl_cells.xlsx"}) {
        const std::string bytes = ReadFile(fs::path(STELVADOR_TEST_DATA_DIR) / fixture);
        for (int tenth = 0; tenth < 10; ++tenth) {
            const fs::path path = m_folder / "truncated.xlsx";
            WriteFile(path, bytes.substr(0, bytes.size() * tenth / 10));
            EXPECT_EQ(OpenFails(path.string()), 321) << fixture << " cut at " << tenth << "/10";
        }
    }
}

TEST_F(WorkbookErrorsTest, DamagedBytesEitherFailOrReadButNeverCrash) {
    const std::string bytes = ReadFile(fs::path(STELVADOR_TEST_DATA_DIR) / "xlsxwriter_cells.xlsx");
    int failures = 0;
    for (std::size_t at = 0; at + 64 < bytes.size(); at += 97) {
        std::string damaged = bytes;
        for (std::size_t i = at; i < at + 64; ++i) {
            damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
        }
        const fs::path path = m_folder / "damaged.xlsx";
        WriteFile(path, damaged);
        const int number = OpenFails(path.string());
        EXPECT_TRUE(number == 0 || number == 321) << "at " << at << ": " << number;
        failures += number == 321 ? 1 : 0;
    }
    EXPECT_GT(failures, 0);
}

TEST_F(WorkbookErrorsTest, MalformedSheetXmlAndImpossibleCells) {
    const std::string sheets[] = {
        "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c>",  // cut short
        "<worksheet><sheetData><row><c r=\"A0\"><v>1</v></c></row></sheetData></worksheet>",
        "<worksheet><sheetData><row><c r=\"XFE1\"><v>1</v></c></row></sheetData></worksheet>",
        "<worksheet><sheetData><row r=\"1048577\"><c><v>1</v></c></row></sheetData></worksheet>",
        "<worksheet><sheetData><row><c r=\"A1\" t=\"s\"><v>5</v></c></row></sheetData></worksheet>",
        "<worksheet><sheetData><row><c r=\"1A\"><v>1</v></c></row></sheetData></worksheet>",
    };
    for (const std::string& sheet : sheets) {
        const fs::path path = m_folder / "malformed.xlsx";
        WriteZip(path, MinimalXlsxParts(sheet));
        EXPECT_EQ(OpenFails(path.string()), 321) << sheet;
    }
}

TEST_F(WorkbookErrorsTest, EncryptedWorkbooks) {
    // An Office-encrypted workbook is a compound file holding an EncryptedPackage stream.
    std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    compound += std::string(1000, '\0');
    for (const char ch : std::string("EncryptedPackage")) {
        compound += ch;
        compound += '\0';
    }
    compound += std::string(1000, '\0');
    WriteFile(m_folder / "office.xlsx", compound);
    EXPECT_EQ(OpenFails((m_folder / "office.xlsx").string()), 321);

    // A zip whose parts are encrypted.
    auto parts = MinimalXlsxParts("<worksheet><sheetData/></worksheet>");
    for (ZipPart& part : parts) {
        part.encrypted = true;
    }
    WriteZip(m_folder / "zip.xlsx", parts);
    EXPECT_EQ(OpenFails((m_folder / "zip.xlsx").string()), 321);
}

TEST_F(WorkbookErrorsTest, LimitsOfTheReaderHold) {
    std::string sheet = "<worksheet><sheetData>";
    for (int row = 1; row <= 200; ++row) {
        sheet += "<row><c><v>" + std::to_string(row) + "</v></c></row>";
    }
    sheet += "</sheetData></worksheet>";
    const fs::path path = m_folder / "limits.xlsx";
    WriteZip(path, MinimalXlsxParts(sheet));
    const std::string bytes = ReadFile(path);

    EXPECT_EQ(ReadXlsxWorkbook(bytes).sheets.at(0).cells.Count(), 200u);
    XlsxLimits fewCells;
    fewCells.cells = 199;
    EXPECT_THROW(ReadXlsxWorkbook(bytes, fewCells), RunTimeError);
    XlsxLimits smallParts;
    smallParts.unpack.partBytes = sheet.size() - 1;
    EXPECT_THROW(ReadXlsxWorkbook(bytes, smallParts), RunTimeError);
    XlsxLimits smallTotal;
    smallTotal.unpack.totalBytes = sheet.size();
    EXPECT_THROW(ReadXlsxWorkbook(bytes, smallTotal), RunTimeError);
}

// The parts of a one-sheet .xlsx with a shared strings part.
std::vector<ZipPart> XlsxPartsWithSharedStrings(std::string sheetXml, std::string sharedXml) {
    std::vector<ZipPart> parts = MinimalXlsxParts(std::move(sheetXml));
    for (ZipPart& part : parts) {
        if (part.name == "xl/_rels/workbook.xml.rels") {
            part.content =
                R"(<Relationships><Relationship Id="rs" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rt" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";
        }
    }
    parts.push_back({"xl/sharedStrings.xml", std::move(sharedXml)});
    return parts;
}

// A sheet of cells that all show shared string 0.
std::string SheetOfSharedCells(int rows, int columns) {
    std::string sheet = "<worksheet><sheetData>";
    for (int row = 1; row <= rows; ++row) {
        sheet += "<row>";
        for (int column = 1; column <= columns; ++column) {
            sheet += "<c t=\"s\"><v>0</v></c>";
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    return sheet;
}

// One long text stored once and shown by 400 cells: a few kilobytes that would unpack into 2 GB
// of cell texts. Refused at the limit on cell text instead.
TEST_F(WorkbookErrorsTest, OneLongSharedStringInManyCellsIsRefused) {
    const std::string shared = "<sst><si><t>" + std::string(5u << 20, 'x') + "</t></si></sst>";
    const fs::path path = m_folder / "shared.xlsx";
    WriteZip(path, XlsxPartsWithSharedStrings(SheetOfSharedCells(20, 20), shared));
    EXPECT_LT(fs::file_size(path), 64u << 10);
    EXPECT_EQ(OpenFails(path.string()), 321);
    EXPECT_EQ(m_application.Workbooks().Count(), 0);
}

TEST_F(WorkbookErrorsTest, TheLimitOnCellTextCountsEveryCellsText) {
    const std::string shared = "<sst><si><t>0123456789</t></si></sst>";
    // Three shared cells, an inline text and a number: 10 + 10 + 10 + 3 + 2 bytes.
    const std::string sheet =
        "<worksheet><sheetData><row><c t=\"s\"><v>0</v></c><c t=\"s\"><v>0</v></c>"
        "<c t=\"s\"><v>0</v></c><c t=\"inlineStr\"><is><t>abc</t></is></c><c><v>12</v></c>"
        "</row></sheetData></worksheet>";
    const fs::path path = m_folder / "text.xlsx";
    WriteZip(path, XlsxPartsWithSharedStrings(sheet, shared));
    const std::string bytes = ReadFile(path);
    XlsxLimits exact;
    exact.textBytes = 35;
    EXPECT_EQ(ReadXlsxWorkbook(bytes, exact).sheets.at(0).cells.Count(), 5u);
    XlsxLimits short1;
    short1.textBytes = 34;
    EXPECT_THROW(ReadXlsxWorkbook(bytes, short1), RunTimeError);
    XlsxLimits shortOfTheShared;
    shortOfTheShared.textBytes = 25;
    EXPECT_THROW(ReadXlsxWorkbook(bytes, shortOfTheShared), RunTimeError);
    EXPECT_EQ(XlsxLimits{}.textBytes, kMaxWorkbookTextBytes);
}

// Writes an .xls whose rows of 100 cells all show one text of the given length.
void WriteXlsOfOneText(const fs::path& path, int length, int rows) {
    const fs::path script = path.parent_path() / "make_xls.py";
    std::ofstream(script) << "import sys, xlwt\n"
                             "book = xlwt.Workbook()\n"
                             "sheet = book.add_sheet('S')\n"
                             "text = 'x' * int(sys.argv[2])\n"
                             "for r in range(int(sys.argv[3])):\n"
                             "    for c in range(100):\n"
                             "        sheet.write(r, c, text)\n"
                             "book.save(sys.argv[1])\n";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + path.string() +
                                "' " + std::to_string(length) + " " + std::to_string(rows);
    ASSERT_EQ(std::system(command.c_str()), 0);
}

// The .xls format stores a text once too: 20,000 cells showing a text of 16,000 characters
// hold 320 MB of cell text in a file of a few hundred kilobytes.
TEST_F(WorkbookErrorsTest, OneLongSharedStringInManyXlsCellsIsRefused) {
    const fs::path path = m_folder / "shared.xls";
    WriteXlsOfOneText(path, 16000, 200);
    EXPECT_LT(fs::file_size(path), 1u << 20);
    EXPECT_EQ(OpenFails(path.string()), 321);
    EXPECT_EQ(m_application.Workbooks().Count(), 0);
}

TEST_F(WorkbookErrorsTest, TheLimitOnXlsCellTextCountsEveryCellsText) {
    const fs::path path = m_folder / "small.xls";
    WriteXlsOfOneText(path, 100, 3);
    const auto numberOf = [&](std::size_t textLimit) {
        try {
            ReadXlsWorkbook(path.string(), {}, 4'000'000, textLimit);
        } catch (const RunTimeError& failure) {
            return failure.number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf(100u * 300u), 0);
    EXPECT_EQ(numberOf(100u * 300u - 1), 321);
}

// The .xls reader runs apart: a reader that crashes, hangs or answers nonsense costs only its
// own process, and the program takes each as a workbook it cannot read.
TEST(XlsReaderProcess, CrashesHangsAndFailuresOfTheReaderAreContained) {
    const auto numberOf = [](const std::string& mode, int limitMs,
                             std::size_t maxBytes = std::size_t(1) << 30) {
        try {
            ReadInChildProcess(STELVADOR_READER_STAND_IN, {mode}, limitMs, maxBytes);
        } catch (const RunTimeError& failure) {
            return failure.number();
        }
        return 0;
    };
    EXPECT_EQ(numberOf("abort", 5000), 321);
    EXPECT_EQ(numberOf("hang", 200), 321);
    EXPECT_EQ(numberOf("fail", 5000), 53);
    EXPECT_EQ(numberOf("exit", 5000), 321);
    EXPECT_EQ(numberOf("garbage", 5000), 321);
    // A result longer than its limit is refused, not taken in.
    EXPECT_EQ(numberOf("big", 5000), 0);
    EXPECT_EQ(numberOf("big", 5000, 1u << 19), 321);

    const WorkbookData back =
        ReadInChildProcess(STELVADOR_READER_STAND_IN, {"workbook"}, 5000, std::size_t(1) << 20);
    ASSERT_EQ(back.sheets.size(), 2u);
    EXPECT_EQ(back.activeSheet, 1);
    EXPECT_EQ(back.sheets[1].name, "Two");
    ASSERT_NE(back.sheets[1].cells.Find(3, 4), nullptr);
    EXPECT_EQ(back.sheets[1].cells.Find(3, 4)->text, "1.5");
}

// What the .xls reader answers keeps the failure's reason, and a cell too long for a cell stays
// that, with its place.
TEST(XlsReaderProcess, AFailureComesBackWithItsReasonAndTheCellTooLong) {
    try {
        WorkbookFromAnswer(FailureAnswer(SheetCellTooLong(70, 28)));
        FAIL() << "no failure came back";
    } catch (const SheetCellTooLong& failure) {
        EXPECT_EQ(failure.number(), 321);
        EXPECT_EQ(failure.row(), 70);
        EXPECT_EQ(failure.column(), 28);
        EXPECT_EQ(failure.reason(), "Cell AB70 holds more than 32,767 characters.");
    }
    try {
        WorkbookFromAnswer(FailureAnswer(RunTimeError(321, "locked", "The workbook is locked.")));
        FAIL() << "no failure came back";
    } catch (const SheetCellTooLong&) {
        FAIL() << "a plain failure came back as a cell too long";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
        EXPECT_STREQ(failure.what(), "locked");
        EXPECT_EQ(failure.reason(), "The workbook is locked.");
    }
}

// The reason, shown under the table's text, names the path where the reader was looked for.
TEST(XlsReaderProcess, AReaderThatIsNotThereIsAFailureToReadNamingItsPath) {
    try {
        ReadInChildProcess("/nonexistent/stelvador-xls-reader", {}, 5000, 1u << 20);
        FAIL() << "a missing reader read a workbook";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
        EXPECT_EQ(failure.reason(),
                  "The .xls reader /nonexistent/stelvador-xls-reader is missing.");
    }
}

TEST(XlsReaderProcess, AReaderThatCannotStartIsAFailureToReadNamingItsPath) {
    // A file that is there but may not be run (no execute permission).
    char scratch[] = "/tmp/stelvador_reader_XXXXXX";
    ASSERT_NE(mkdtemp(scratch), nullptr);
    const std::string reader = std::string(scratch) + "/" + kXlsReaderName;
    std::ofstream(reader) << "not a program";
    try {
        ReadInChildProcess(reader, {}, 5000, 1u << 20);
        ADD_FAILURE() << "a reader that cannot start read a workbook";
    } catch (const RunTimeError& failure) {
        EXPECT_EQ(failure.number(), 321);
        EXPECT_EQ(failure.reason(), "The .xls reader " + reader + " cannot be started.");
    }
    fs::remove_all(scratch);
}

TEST(XlsReaderProcess, TheReaderLiesInTheProgramFolder) {
    EXPECT_EQ(fs::path(XlsReaderPath(RunningProgramFiles())),
              fs::path(STELVADOR_PROGRAM_DIR) / kXlsReaderName);
    EXPECT_TRUE(fs::exists(fs::path(STELVADOR_PROGRAM_DIR) / kXlsReaderName));
}

TEST(XlsReaderProcess, AnUnknownProgramFolderGivesNoReaderPath) {
    EXPECT_EQ(XlsReaderPath(ProgramFiles{}), "");
}

// Three bytes changed in a valid .xls make the .xls library crash with a segmentation fault:
// the workbook is refused, and the program goes on to open the next one.
TEST_F(WorkbookErrorsTest, XlsThatCrashesTheXlsLibraryIsRefusedAndTheProgramGoesOn) {
    const std::string data = STELVADOR_TEST_DATA_DIR;
    EXPECT_EQ(OpenFails(data + "/crashing_biff.xls"), 321);
    EXPECT_EQ(m_application.Workbooks().Count(), 0);
    const Workbook book = m_application.Workbooks().Open(data + "/xlwt_cells.xls");
    EXPECT_EQ(m_application.Workbooks().Count(), 1);
    EXPECT_FALSE(book.Worksheets(1).Cells(1, 1).Value().empty());
}

// A damaged .xls on which the .xls library overruns a buffer (found by fuzzing).
TEST_F(WorkbookErrorsTest, DamagedXlsThatUpsetsTheXlsLibrary) {
    const int number = OpenFails(std::string(STELVADOR_TEST_DATA_DIR) + "/damaged_biff.xls");
    EXPECT_TRUE(number == 0 || number == 321) << number;
}

}  // namespace
}  // namespace stelvador
