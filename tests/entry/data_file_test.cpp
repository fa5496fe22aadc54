#include "entry/data_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "common/continue_on_error.h"
#include "common/data_file_format.h"
#include "common/error_numbers.h"
#include "entry/cap_cell.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

FlexGrid analysisGrid() {
    FlexGrid grid(1001, 45);
    capCell(grid);
    return grid;
}

// Every data cell holds a text of its own; row 1's sample name carries Windows-1252 letters.
void fillAnalyses(FlexGrid& grid) {
    for (int r = 1; r <= 300; ++r) {
        grid.setTextMatrix(r, 1, r == 1 ? "Sämple Ø1" : "Probe " + std::to_string(r));
        for (int c = 2; c <= 43; ++c) {
            grid.setTextMatrix(r, c, std::to_string(r % 7) + "." + std::to_string(c));
        }
    }
}

int numberOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunTimeError& e) {
        return e.number();
    }
    return 0;
}

class DataFile : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("stelvador-data-file-" + std::to_string(::getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }

    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    fs::path m_folder;
};

TEST_F(DataFile, EmptyAnalysisBlockMatchesTheReferenceFile) {
    FlexGrid grid = analysisGrid();
    WriteDataFile(grid, path("epdt.tem"));
    const std::string written = readBytes(path("epdt.tem"));
    EXPECT_EQ(written.size(), 12903u);
    EXPECT_EQ(written, readBytes(fs::path(STELVADOR_TEST_DATA_DIR) / "empty_block.epd"));
    // Writing leaves the data block selected from row 1, column 1.
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 300);
    EXPECT_EQ(grid.ColSel(), 43);
}

TEST_F(DataFile, FullDataBlockRoundTripsThroughAFile) {
    FlexGrid source = analysisGrid();
    fillAnalyses(source);
    WriteDataFile(source, path("full.epd"));
    const std::string bytes = readBytes(path("full.epd"));
    EXPECT_EQ(bytes.substr(0, 13),
              "\"S\xE4mple \xD8"
              "1\t1.");
    EXPECT_EQ(bytes.substr(bytes.size() - 3), "\"\r\n");

    FlexGrid target = analysisGrid();
    ReplaceDataBlock(target, ReadDataFile(path("full.epd")));
    for (int r = 0; r <= 300; ++r) {
        for (int c = 0; c <= 43; ++c) {
            ASSERT_EQ(target.TextMatrix(r, c), source.TextMatrix(r, c)) << r << "," << c;
        }
    }
    EXPECT_EQ(target.TextMatrix(1, 1), "Sämple Ø1");
}

struct RefusedCell {
    const char* name;
    int row;
    int col;
    std::string text;
    UnwritableCell::Reason reason;
};

class DataFileSaveRefused : public DataFile, public ::testing::WithParamInterface<RefusedCell> {};

TEST_P(DataFileSaveRefused, WritesNothingAndNamesTheCell) {
    const RefusedCell& c = GetParam();
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    grid.setTextMatrix(c.row, c.col, c.text);
    writeBytes(path("old.epd"), "\"old\"\r\n");
    for (const std::string name : {"old.epd", "new.epd"}) {
        try {
            WriteDataFile(grid, path(name));
            FAIL() << "written";
        } catch (const UnwritableDataBlock& e) {
            EXPECT_EQ(e.number(), error::kUnsupportedCharacter);
            EXPECT_EQ(e.cell().row, c.row);
            EXPECT_EQ(e.cell().column, c.col);
            EXPECT_EQ(e.cell().reason, c.reason);
            const std::string where =
                "Row " + std::to_string(c.row) + ", column " + std::to_string(c.col) + " ";
            EXPECT_EQ(std::string(e.what()).rfind(where, 0), 0u) << e.what();
        }
    }
    EXPECT_EQ(readBytes(path("old.epd")), "\"old\"\r\n");
    EXPECT_FALSE(fs::exists(path("new.epd")));
}

INSTANTIATE_TEST_SUITE_P(Cells, DataFileSaveRefused,
                         ::testing::Values(RefusedCell{"DoubleQuoteInSample", 3, 1, "12\" sample",
                                                       UnwritableCell::Reason::DoubleQuote},
                                           RefusedCell{"DoubleQuoteInLastCell", 300, 43, "\"",
                                                       UnwritableCell::Reason::DoubleQuote},
                                           RefusedCell{"GreekLetter", 7, 2, "α-quartz",
                                                       UnwritableCell::Reason::NotWindows1252},
                                           RefusedCell{"Emoji", 120, 20, "ok \xF0\x9F\x99\x82",
                                                       UnwritableCell::Reason::NotWindows1252}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFile, WriteFailuresHaveTheirNumbersAndWriteNothing) {
    FlexGrid grid = analysisGrid();
    EXPECT_EQ(numberOf([&] { WriteDataFile(grid, ""); }), error::kBadFileNameOrNumber);
    EXPECT_EQ(numberOf([&] { WriteDataFile(grid, path("missing/folder.epd")); }),
              error::kPathNotFound);
    fs::create_directory(path("a folder"));
    EXPECT_EQ(numberOf([&] { WriteDataFile(grid, path("a folder")); }),
              error::kPathFileAccessError);
    writeBytes(path("plain"), "x");
    EXPECT_EQ(numberOf([&] { WriteDataFile(grid, path("plain/inside.epd")); }),
              error::kPathNotFound);
    if (::geteuid() != 0) {
        fs::create_directory(path("locked"));
        fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(numberOf([&] { WriteDataFile(grid, path("locked/x.epd")); }),
                  error::kPathFileAccessError);
        fs::permissions(path("locked"), fs::perms::owner_all);
    }
}

TEST_F(DataFile, WritingReplacesAnExistingFile) {
    writeBytes(path("data.epd"), std::string(50000, 'x'));
    FlexGrid grid = analysisGrid();
    WriteDataFile(grid, path("data.epd"));
    EXPECT_EQ(fs::file_size(path("data.epd")), 12903u);
}

TEST_F(DataFile, OpenFailuresHaveTheirNumbers) {
    DataFileInput input;
    EXPECT_EQ(numberOf([&] { input.Open(""); }), error::kBadFileNameOrNumber);
    EXPECT_EQ(numberOf([&] { input.Open(path("absent.epd")); }), error::kFileNotFound);
    EXPECT_EQ(numberOf([&] { input.Open(path("no folder/absent.epd")); }), error::kPathNotFound);
    fs::create_directory(path("dir.epd"));
    EXPECT_EQ(numberOf([&] { input.Open(path("dir.epd")); }), error::kPathFileAccessError);
    EXPECT_FALSE(input.IsOpen());
    EXPECT_EQ(numberOf([&] { input.ReadRecord(); }), error::kBadFileNameOrNumber);
}

struct BadFileCase {
    const char* name;
    std::string bytes;
    int number;  // 0: reads text
    std::string text;
};

class DataFileBadInput : public DataFile, public ::testing::WithParamInterface<BadFileCase> {};

// The read step either yields a defined text or fails with its number and yields nothing, so a
// caller's previous text survives.
TEST_P(DataFileBadInput, ReadsADefinedResult) {
    const BadFileCase& c = GetParam();
    writeBytes(path("input.epd"), c.bytes);
    std::string loaded = "previous";
    EnterContinueOnError();
    const bool read = ContinueOnError([&] { loaded = ReadDataFile(path("input.epd")); });
    EXPECT_EQ(read, c.number == 0);
    EXPECT_EQ(PendingError(), c.number);
    EXPECT_EQ(loaded, c.number == 0 ? c.text : "previous");
    EnterContinueOnError();
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataFileBadInput,
    ::testing::Values(
        BadFileCase{"EmptyFile", "", error::kInputPastEndOfFile, ""},
        BadFileCase{"NoQuotes", "1\t2\t3\r\n4\t5\t6\r\n", error::kInvalidFileFormat, ""},
        BadFileCase{"TextBeforeTheQuote", "Sample list \"a\"", error::kInvalidFileFormat, ""},
        BadFileCase{"LeadingBlankLine", "\r\n  \"a\tb\"\r\n", 0, "a\tb"},
        BadFileCase{"Unterminated", "\"a\tb\rc", 0, "a\tb\rc"},
        BadFileCase{"BinaryData", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                    error::kInvalidFileFormat, ""},
        BadFileCase{"QuotedBinary", std::string("\"\x01\0\x7f\"", 5), 0,
                    std::string("\x01\0\x7f", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFile, A50MegabyteFileIsReadOnlyAsFarAsItsRecord) {
    const std::size_t size = 50u * 1024u * 1024u;
    // A record followed by 50 MB of junk: only the record is read.
    {
        std::ofstream out(path("tail.epd"), std::ios::binary);
        out << "\"x\ty\"\r\n";
        const std::string block(1024 * 1024, 'z');
        for (int i = 0; i < 50; ++i) {
            out << block;
        }
    }
    EXPECT_EQ(ReadDataFile(path("tail.epd")), "x\ty");
    // 50 MB without a quote: not a data file.
    {
        std::ofstream out(path("junk.epd"), std::ios::binary);
        const std::string block(1024 * 1024, 'j');
        for (int i = 0; i < 50; ++i) {
            out << block;
        }
    }
    EXPECT_EQ(numberOf([&] { ReadDataFile(path("junk.epd")); }), error::kInvalidFileFormat);
    // 50 MB of cells inside an unterminated quote: read whole, the paste keeps what fits.
    {
        std::ofstream out(path("huge.epd"), std::ios::binary);
        out << '"';
        std::string row;
        for (int c = 0; c < 100; ++c) {
            row += "12.3456\t";
        }
        row.back() = '\r';
        std::size_t written = 1;
        while (written + row.size() <= size) {
            out << row;
            written += row.size();
        }
    }
    const std::string text = ReadDataFile(path("huge.epd"));
    EXPECT_GT(text.size(), size - 1024);
    FlexGrid grid = analysisGrid();
    ReplaceDataBlock(grid, text);
    EXPECT_EQ(grid.TextMatrix(300, 43), "12.3456");
    EXPECT_EQ(grid.TextMatrix(0, 43), "H2O");
    EXPECT_EQ(grid.Rows(), 301);
}

TEST(DataBlockPaste, CellsNotReachedKeepTheirText) {
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    PasteIntoDataBlock(grid, "A\tB\rC");
    EXPECT_EQ(grid.TextMatrix(1, 1), "A");
    EXPECT_EQ(grid.TextMatrix(1, 2), "B");
    EXPECT_EQ(grid.TextMatrix(1, 3), "1.3");
    EXPECT_EQ(grid.TextMatrix(2, 1), "C");
    EXPECT_EQ(grid.TextMatrix(2, 2), "2.2");
    EXPECT_EQ(grid.TextMatrix(300, 43), "6.43");
    EXPECT_EQ(grid.TextMatrix(0, 1), "Sample No");
    EXPECT_EQ(grid.TextMatrix(2, 0), "2");
}

TEST(DataBlockPaste, ReplacingLeavesExactlyTheTextsCells) {
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    std::string text = "A\tB\rC";
    for (int r = 0; r < 400; ++r) {
        text += "\rrow\t1\t2";
    }
    text += std::string(60, '\t') + "beyond";
    ReplaceDataBlock(grid, text);
    EXPECT_EQ(grid.TextMatrix(1, 1), "A");
    EXPECT_EQ(grid.TextMatrix(1, 2), "B");
    EXPECT_EQ(grid.TextMatrix(1, 3), "");
    EXPECT_EQ(grid.TextMatrix(2, 1), "C");
    EXPECT_EQ(grid.TextMatrix(2, 2), "");
    EXPECT_EQ(grid.TextMatrix(3, 1), "row");
    EXPECT_EQ(grid.TextMatrix(300, 3), "2");
    EXPECT_EQ(grid.TextMatrix(300, 4), "");
    EXPECT_EQ(grid.TextMatrix(0, 2), "SiO2");
    EXPECT_EQ(grid.TextMatrix(300, 0), "300");
    EXPECT_EQ(grid.Rows(), 301);
    EXPECT_EQ(grid.Cols(), 44);
}

TEST(DataBlockPaste, TheEmptyTextReplacesTheWholeBlockWithEmptyCells) {
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    ReplaceDataBlock(grid, "");
    for (int r = 1; r <= 300; ++r) {
        for (int c = 1; c <= 43; ++c) {
            ASSERT_EQ(grid.TextMatrix(r, c), "");
        }
    }
}

// Open File's steps run one by one in continue-on-error mode: a missing file fails the open and
// the read, and no cell changes.
TEST_F(DataFile, StepsOfALoadFailOneByOneWithoutChangingTheGrid) {
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    std::string loaded = "previous";
    DataFileInput input;
    EnterContinueOnError();
    ContinueOnError([&] { input.Open(path("epdt.dat")); });
    EXPECT_EQ(PendingError(), error::kFileNotFound);
    const bool read = ContinueOnError([&] { loaded = input.ReadRecord(); });
    ContinueOnError([&] {
        if (read) {
            ReplaceDataBlock(grid, loaded);
        }
    });
    input.Close();
    EXPECT_EQ(PendingError(), error::kBadFileNameOrNumber);
    EXPECT_EQ(loaded, "previous");
    EXPECT_EQ(grid.TextMatrix(1, 1), "Sämple Ø1");
    EnterContinueOnError();
}

TEST_F(DataFile, ARecordOfAnotherShapeFollowsTheGrid) {
    FlexGrid grid = analysisGrid();
    grid.RemoveItem(5);
    grid.setTextMatrix(299, 43, "last");
    WriteDataFile(grid, path("short.epd"));
    const std::string text = ReadDataFile(path("short.epd"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 298);
    EXPECT_EQ(text.substr(text.size() - 4), "last");
}

}  // namespace
}  // namespace stelvador
