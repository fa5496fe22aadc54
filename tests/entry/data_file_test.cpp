#include "entry/data_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/cell_text_limit.h"
#include "common/continue_on_error.h"
#include "common/data_file_format.h"
#include "common/error_numbers.h"
#include "entry/cap_cell.h"
#include "support/scratch_folder.h"

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
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
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

INSTANTIATE_TEST_SUITE_P(
    Cells, DataFileSaveRefused,
    ::testing::Values(
        RefusedCell{"DoubleQuoteInSample", 3, 1, "12\" sample",
                    UnwritableCell::Reason::DoubleQuote},
        RefusedCell{"DoubleQuoteInLastCell", 300, 43, "\"", UnwritableCell::Reason::DoubleQuote},
        RefusedCell{"GreekLetter", 7, 2, "α-quartz", UnwritableCell::Reason::NotWindows1252},
        RefusedCell{"Emoji", 120, 20, "ok \xF0\x9F\x99\x82",
                    UnwritableCell::Reason::NotWindows1252},
        // A cell's own TAB or CR would shift every later cell.
        RefusedCell{"TabInCell", 4, 2, "1\t2", UnwritableCell::Reason::Tab},
        RefusedCell{"CrInSample", 9, 1, "line\rbreak", UnwritableCell::Reason::CarriageReturn},
        RefusedCell{"CrLfInLastCell", 300, 43, "7\r\n", UnwritableCell::Reason::CarriageReturn}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DataFile, RefusalNamesTheColumnsHeading) {
    FlexGrid grid = analysisGrid();
    grid.setTextMatrix(3, 2, "12\"");
    try {
        DataBlockRecord(grid);
        FAIL() << "written";
    } catch (const UnwritableDataBlock& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Row 3, column 2 (SiO2) holds a double quote (\"), which a data file cannot "
                  "hold. Nothing was written.");
    }
    grid.setTextMatrix(3, 2, "");
    grid.setTextMatrix(8, 1, "a\tb");
    try {
        DataBlockRecord(grid);
        FAIL() << "written";
    } catch (const UnwritableDataBlock& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Row 8, column 1 (Sample No) holds a tab character, which a data file cannot "
                  "hold. Nothing was written.");
    }
}

// Without a heading row the message names row and column only.
TEST_F(DataFile, RefusalWithoutHeadingsNamesRowAndColumn) {
    FlexGrid grid(3, 3, 0, 1);
    grid.setTextMatrix(2, 2, "x\ry");
    try {
        DataBlockRecord(grid);
        FAIL() << "written";
    } catch (const UnwritableDataBlock& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Row 2, column 2 holds a carriage return", 0), 0u)
            << e.what();
    }
}

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

// The names in the folder other than the given ones: a temporary file left behind shows here.
std::vector<std::string> otherNames(const fs::path& folder, std::vector<std::string> known) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            names.push_back(name);
        }
    }
    return names;
}

// Holds the largest file this process may write at limit bytes while it lives, so a write
// beyond fails as on a full disk (EFBIG), for any user.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(DataFile, AFailedWriteLeavesTheEarlierFileAsItWas) {
    const std::string earlier = BuildDataFileRecord("Earlier\t1.5");
    writeBytes(path("sample.epd"), earlier);
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    int number = 0;
    {
        const FileSizeLimit limit(4096);
        number = numberOf([&] { WriteDataFile(grid, path("sample.epd")); });
    }
    EXPECT_EQ(number, error::kDiskFull);
    ASSERT_TRUE(fs::exists(path("sample.epd")));
    EXPECT_EQ(readBytes(path("sample.epd")), earlier);
    EXPECT_EQ(otherNames(m_folder, {"sample.epd"}), std::vector<std::string>{});
    // A new file that fails is not left behind either.
    {
        const FileSizeLimit limit(4096);
        number = numberOf([&] { WriteDataFile(grid, path("new.epd")); });
    }
    EXPECT_EQ(number, error::kDiskFull);
    EXPECT_EQ(otherNames(m_folder, {"sample.epd"}), std::vector<std::string>{});
    // Without the limit the same save replaces the file.
    WriteDataFile(grid, path("sample.epd"));
    EXPECT_EQ(ReadDataFile(path("sample.epd")).rfind("Sämple Ø1\t", 0), 0u);
    EXPECT_EQ(otherNames(m_folder, {"sample.epd"}), std::vector<std::string>{});
}

// Only a regular file is replaced: a pipe or a device in the file's place is refused and stays.
TEST_F(DataFile, WritingRefusesWhatIsNoRegularFile) {
    ASSERT_EQ(::mkfifo(path("pipe.epd").c_str(), 0600), 0);
    // A reader holds the pipe open, so a write into it would not block but succeed.
    const int reader = ::open(path("pipe.epd").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    FlexGrid grid = analysisGrid();
    EXPECT_EQ(numberOf([&] { WriteDataFile(grid, path("pipe.epd")); }),
              error::kPathFileAccessError);
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0);  // nothing went into the pipe
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(path("pipe.epd")));
    EXPECT_EQ(otherNames(m_folder, {"pipe.epd"}), std::vector<std::string>{});
}

TEST_F(DataFile, ReplacingKeepsTheFilesPermissionsAndLinks) {
    writeBytes(path("kept.epd"), "\"old\"\r\n");
    fs::permissions(path("kept.epd"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(path("kept.epd"), path("link.epd"));
    FlexGrid grid = analysisGrid();
    grid.setTextMatrix(1, 1, "new");
    WriteDataFile(grid, path("link.epd"));
    EXPECT_TRUE(fs::is_symlink(path("link.epd")));
    EXPECT_EQ(ReadDataFile(path("kept.epd")).substr(0, 4), "new\t");
    EXPECT_EQ(fs::status(path("kept.epd")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(otherNames(m_folder, {"kept.epd", "link.epd"}), std::vector<std::string>{});
}

// The temporary file beside the target needs no longer name than the target's own.
TEST_F(DataFile, ANameAsLongAsANameCanBeIsWrittenAndReplaced) {
    const std::string name = std::string(251, 'n') + ".epd";
    FlexGrid grid = analysisGrid();
    WriteDataFile(grid, path(name));
    WriteDataFile(grid, path(name));
    EXPECT_EQ(fs::file_size(path(name)), 12903u);
    EXPECT_EQ(otherNames(m_folder, {name}), std::vector<std::string>{});
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
        // A file holding no record is no data file: the number the error tables hold.
        BadFileCase{"EmptyFile", "", error::kInvalidFileFormat, ""},
        BadFileCase{"BlanksOnly", " \r\n\t\r\n", error::kInvalidFileFormat, ""},
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

// A pipe chosen in a file dialog is refused at once instead of blocking the open for ever.
TEST_F(DataFile, ReadingRefusesWhatIsNoRegularFile) {
    ASSERT_EQ(::mkfifo(path("pipe.epd").c_str(), 0600), 0);
    // Held open for writing and holding a record, so an open of it does not block; a read that
    // waits for more is ended by closing the writing end after a while.
    const int writer = ::open(path("pipe.epd").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "\"x\"\r\n", 5), 5);
    std::mutex mutex;
    std::condition_variable returned;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(mutex);
        returned.wait_for(lock, std::chrono::seconds(3), [&] { return done; });
        ::close(writer);
    });
    std::string loaded = "previous";
    const int number = numberOf([&] { loaded = ReadDataFile(path("pipe.epd")); });
    {
        const std::lock_guard lock(mutex);
        done = true;
    }
    returned.notify_one();
    watchdog.join();
    EXPECT_EQ(number, error::kPathFileAccessError);
    EXPECT_EQ(loaded, "previous");
    if (fs::exists("/dev/zero")) {
        EXPECT_EQ(numberOf([&] { loaded = ReadDataFile("/dev/zero"); }),
                  error::kPathFileAccessError);
    }
    EXPECT_EQ(loaded, "previous");
}

// A field that never closes is read only up to the limit; beyond it the file is no data file.
TEST_F(DataFile, AnUnterminatedFieldBeyondTheLimitIsRefused) {
    {
        std::ofstream out(path("endless.epd"), std::ios::binary);
        out << '"';
        // Short cells, so that the field's limit, not a cell's, is what refuses the file.
        std::string block(1024 * 1024, '1');
        for (std::size_t i = 99; i < block.size(); i += 100) {
            block[i] = '\t';
        }
        for (std::size_t written = 0; written <= kMaxDataFileFieldBytes; written += block.size()) {
            out << block;
        }
    }
    std::string loaded = "previous";
    EXPECT_EQ(numberOf([&] { loaded = ReadDataFile(path("endless.epd")); }),
              error::kInvalidFileFormat);
    EXPECT_EQ(loaded, "previous");
}

// The data file of a grid whose row 4 cell of the given column holds a text of that length.
std::string RecordWithLongCell(int column, std::size_t length) {
    FlexGrid grid = analysisGrid();
    fillAnalyses(grid);
    grid.setTextMatrix(4, column, std::string(length, 'n'));
    return DataBlockRecord(grid);
}

TEST_F(DataFile, ACellPastTheLimitIsRefusedNamingItsRowColumnAndHeading) {
    struct Case {
        int column;
        const char* reason;
    };
    for (const Case c : {Case{1, "Row 4, column 1 (Sample No) holds more than 32,767 characters."},
                         Case{3, "Row 4, column 3 (TiO2) holds more than 32,767 characters."},
                         Case{44, "Row 4, column 44 holds more than 32,767 characters."}}) {
        SCOPED_TRACE(c.column);
        FlexGrid wide(301, 45);
        capCell(wide);
        wide.setCols(45);
        wide.setTextMatrix(4, c.column, std::string(kCellTextLimit + 1, 'n'));
        writeBytes(path("long.epd"), DataBlockRecord(wide));
        std::string loaded = "previous";
        try {
            loaded = ReadDataFile(path("long.epd"));
            FAIL() << "a cell longer than the limit was read";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), error::kInvalidFileFormat);
            EXPECT_STREQ(e.what(), "Invalid file format");
            EXPECT_EQ(e.reason(), c.reason);
        }
        EXPECT_EQ(loaded, "previous");
    }
}

TEST_F(DataFile, ACellAtTheLimitIsReadWhole) {
    writeBytes(path("full.epd"), RecordWithLongCell(1, kCellTextLimit));
    FlexGrid grid = analysisGrid();
    ReplaceDataBlock(grid, ReadDataFile(path("full.epd")));
    EXPECT_EQ(grid.TextMatrix(4, 1), std::string(kCellTextLimit, 'n'));
    EXPECT_EQ(grid.TextMatrix(5, 1), "Probe 5");
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

namespace stelvador {
namespace {

// Rows of a data file that passed through another program end in CR LF or LF.
TEST(DataFileRowEnds, CrLfAndLoneLfBecomeCr) {
    const std::pair<std::string, std::string> cases[] = {
        {"a\tb\rc\td", "a\tb\rc\td"}, {"a\tb\r\nc\td", "a\tb\rc\td"},
        {"a\tb\nc\td", "a\tb\rc\td"}, {"a\n\nb", "a\r\rb"},
        {"a\r\n\r\nb", "a\r\rb"},     {"\na", "\ra"},
        {"a\r\r\nb", "a\r\rb"},       {"", ""},
    };
    for (const auto& [text, rows] : cases) {
        EXPECT_EQ(RowEndsAsCr(text), rows) << text;
    }
}

}  // namespace
}  // namespace stelvador
