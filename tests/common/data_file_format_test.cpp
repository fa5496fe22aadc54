#include "common/data_file_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/cell_text_limit.h"
#include "common/error_numbers.h"

namespace stelvador {
namespace {

// The grid text block of an empty data block: rows of empty cells.
std::string emptyBlock(int rows, int cols) {
    std::string block;
    for (int r = 0; r < rows; ++r) {
        if (r > 0) {
            block.push_back('\r');
        }
        block.append(static_cast<std::size_t>(cols - 1), '\t');
    }
    return block;
}

TEST(DataFileRecord, EmptyAnalysisBlockIsQuoteTabsAndCrsQuoteCrLf) {
    const std::string record = BuildDataFileRecord(emptyBlock(300, 43));
    ASSERT_EQ(record.size(), 12903u);
    EXPECT_EQ(record.front(), '"');
    EXPECT_EQ(record.substr(record.size() - 3), "\"\r\n");
    const std::string inner = record.substr(1, record.size() - 4);
    std::string expected;
    for (int r = 0; r < 300; ++r) {
        if (r > 0) {
            expected.push_back('\r');
        }
        expected.append(42, '\t');
    }
    EXPECT_EQ(inner, expected);
}

TEST(DataFileRecord, WritesWindows1252AndReadsBackUtf8) {
    const std::string block = "Sämple Ø1\t12.5\t€\rzweite Zeile\t\t0";
    const std::string record = BuildDataFileRecord(block);
    EXPECT_EQ(record,
              "\"S\xE4mple \xD8"
              "1\t12.5\t\x80\rzweite Zeile\t\t0\"\r\n");
    EXPECT_EQ(ReadDataFileRecord(record), block);
}

struct RefusalCase {
    const char* name;
    std::string block;
    int row;
    int column;
    UnwritableCell::Reason reason;
};

class DataFileRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DataFileRefusal, NamesTheFirstCellThatCannotBeWritten) {
    const RefusalCase& c = GetParam();
    const auto found = FindUnwritableCell(c.block);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->row, c.row);
    EXPECT_EQ(found->column, c.column);
    EXPECT_EQ(found->reason, c.reason);
    try {
        BuildDataFileRecord(c.block);
        FAIL() << "the block was written";
    } catch (const UnwritableDataBlock& e) {
        EXPECT_EQ(e.number(), error::kUnsupportedCharacter);
        const std::string where =
            "Row " + std::to_string(c.row) + ", column " + std::to_string(c.column) + " ";
        EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
        EXPECT_EQ(e.cell().row, c.row);
    }
}

using Reason = UnwritableCell::Reason;
INSTANTIATE_TEST_SUITE_P(
    Cells, DataFileRefusal,
    ::testing::Values(
        RefusalCase{"QuoteInFirstCell", "say \"hi\"\t1", 1, 1, Reason::DoubleQuote},
        RefusalCase{"QuoteInRowTwoColumnThree", "a\tb\tc\rd\te\tf\"", 2, 3, Reason::DoubleQuote},
        RefusalCase{"CjkCharacter", "\t\t\xE6\xBC\xA2", 1, 3, Reason::NotWindows1252},
        RefusalCase{"Emoji", "a\rb\r\xF0\x9F\x98\x80", 3, 1, Reason::NotWindows1252},
        RefusalCase{"BrokenUtf8", "ok\t\xFF", 1, 2, Reason::NotWindows1252},
        RefusalCase{"BadCharacterBeforeQuote", "\xCE\xB1\t\"", 1, 1, Reason::NotWindows1252},
        RefusalCase{"QuoteBeforeBadCharacter", "\"\t\xCE\xB1", 1, 1, Reason::DoubleQuote},
        // A double quote written in two bytes instead of one would reach the file as a quote.
        RefusalCase{"OverlongQuote", "a\tb\rc\t\xC0\xA2", 2, 2, Reason::NotWindows1252}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataFileRefusal, WritableBlockHasNoUnwritableCell) {
    EXPECT_FALSE(FindUnwritableCell("Ääö ß ‰ Œ ™\t1,5\r").has_value());
    EXPECT_FALSE(FindUnwritableCell("").has_value());
}

TEST(DataFileRefusal, MessageNamesTheReason) {
    EXPECT_EQ(DescribeUnwritableCell({4, 2, Reason::DoubleQuote}),
              "Row 4, column 2 holds a double quote (\"), which a data file cannot hold. "
              "Nothing was written.");
    EXPECT_NE(DescribeUnwritableCell({1, 7, Reason::NotWindows1252}).find("Windows-1252"),
              std::string::npos);
}

struct CellCase {
    const char* name;
    std::string text;
    std::optional<UnwritableCell::Reason> reason;
};

class DataFileCellCheck : public ::testing::TestWithParam<CellCase> {};

TEST_P(DataFileCellCheck, FindsWhatTheCellCannotHold) {
    EXPECT_EQ(FindUnwritableInCell(GetParam().text), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DataFileCellCheck,
    ::testing::Values(CellCase{"Plain", "Sämple 12,5 ‰", std::nullopt},
                      CellCase{"Empty", "", std::nullopt},
                      CellCase{"LineFeedIsKept", "a\nb", std::nullopt},
                      CellCase{"Tab", "1\t2", Reason::Tab},
                      CellCase{"CarriageReturn", "line\rbreak", Reason::CarriageReturn},
                      CellCase{"CrLf", "line\r\n", Reason::CarriageReturn},
                      CellCase{"DoubleQuote", "12\" sample", Reason::DoubleQuote},
                      CellCase{"GreekLetter", "\xCE\xB1-quartz", Reason::NotWindows1252},
                      CellCase{"TabBeforeGreekLetter", "\t\xCE\xB1", Reason::Tab},
                      CellCase{"GreekLetterBeforeTab", "\xCE\xB1\t", Reason::NotWindows1252},
                      CellCase{"QuoteBeforeCr", "\"\r", Reason::DoubleQuote},
                      CellCase{"BrokenUtf8BeforeQuote", "\xC3\"", Reason::NotWindows1252},
                      CellCase{"OverlongQuote", "12\xC0\xA2 sample", Reason::NotWindows1252}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataFileRefusal, MessageNamesTheColumnsHeading) {
    EXPECT_EQ(DescribeUnwritableCell({3, 2, Reason::DoubleQuote}, "SiO2"),
              "Row 3, column 2 (SiO2) holds a double quote (\"), which a data file cannot hold. "
              "Nothing was written.");
    EXPECT_EQ(DescribeUnwritableCell({5, 1, Reason::Tab}, "Sample No"),
              "Row 5, column 1 (Sample No) holds a tab character, which a data file cannot hold. "
              "Nothing was written.");
    EXPECT_EQ(DescribeUnwritableCell({7, 4, Reason::CarriageReturn}),
              "Row 7, column 4 holds a carriage return (a line break), which a data file cannot "
              "hold. Nothing was written.");
    const UnwritableDataBlock refusal({2, 9, Reason::NotWindows1252}, "FeO");
    EXPECT_EQ(std::string(refusal.what()).rfind("Row 2, column 9 (FeO) holds a character", 0), 0u)
        << refusal.what();
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string field;
};

class DataFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DataFileRead, YieldsTheQuotedField) {
    EXPECT_EQ(ReadDataFileRecord(GetParam().bytes), GetParam().field);
}

// Feeding a byte at a time gives the same field as feeding the whole file.
TEST_P(DataFileRead, ChunkingDoesNotChangeTheField) {
    DataFileRecordReader reader;
    for (const char c : GetParam().bytes) {
        if (!reader.feed(std::string_view(&c, 1))) {
            break;
        }
    }
    EXPECT_EQ(reader.finish(), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataFileRead,
    ::testing::Values(ReadCase{"Record", "\"a\tb\rc\td\"\r\n", "a\tb\rc\td"},
                      ReadCase{"EmptyField", "\"\"\r\n", ""},
                      ReadCase{"LeadingBlanksSkipped", " \t\r\n \"x\ty\"\r\n", "x\ty"},
                      ReadCase{"QuoteInsideCellEndsField", "\"say \"hi\"\t1\"\r\n", "say "},
                      ReadCase{"TextAfterRecordIgnored", "\"1\"\r\n\"2\"\r\n", "1"},
                      ReadCase{"UnterminatedRunsToEnd", "\"a\tb\rc", "a\tb\rc"},
                      ReadCase{"UnterminatedKeepsLineEnd", "\"a\r\n", "a\r\n"},
                      ReadCase{"Windows1252Letters",
                               "\"S\xE4mple \xD8"
                               "1\x80\"\r\n",
                               "Sämple Ø1€"},
                      ReadCase{"BinaryInsideQuotes", std::string("\"\0\x01\xFF\"", 5),
                               std::string("\0\x01\xC3\xBF", 4)}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedReadCase {
    const char* name;
    std::string bytes;
    int number;
};

class DataFileReadRefused : public ::testing::TestWithParam<RefusedReadCase> {};

TEST_P(DataFileReadRefused, ThrowsAndYieldsNothing) {
    try {
        ReadDataFileRecord(GetParam().bytes);
        FAIL() << "a field was read";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), GetParam().number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DataFileReadRefused,
    ::testing::Values(
        // A file holding no record is no data file: the number the error tables hold.
        RefusedReadCase{"EmptyFile", "", error::kInvalidFileFormat},
        RefusedReadCase{"BlanksOnly", "  \r\n\t", error::kInvalidFileFormat},
        RefusedReadCase{"NoQuotes", "SiO2\tTiO2\r\n1\t2\r\n", error::kInvalidFileFormat},
        RefusedReadCase{"TextBeforeQuote", "junk \"a\tb\"\r\n", error::kInvalidFileFormat},
        RefusedReadCase{"Binary", std::string("\0\x89PNG\"\x01", 7), error::kInvalidFileFormat},
        RefusedReadCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF\"a\"", error::kInvalidFileFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DataFileRead, ReaderWantsNoMoreBytesOnceTheFieldIsComplete) {
    DataFileRecordReader reader;
    EXPECT_TRUE(reader.feed("   "));
    EXPECT_TRUE(reader.feed("\"abc"));
    EXPECT_FALSE(reader.feed("def\"tail"));
    EXPECT_EQ(reader.finish(), "abcdef");
}

TEST(DataFileRead, ReaderStopsAtTheFirstCharacterOfAFileThatIsNotADataFile) {
    DataFileRecordReader reader;
    EXPECT_FALSE(reader.feed(std::string(1 << 20, 'x')));
    EXPECT_THROW(reader.finish(), RunTimeError);
}

TEST(DataFileRead, AFieldLongerThanTheLimitIsNoDataFile) {
    DataFileRecordReader atLimit(8);
    EXPECT_FALSE(atLimit.feed("\"12345678\"\r\n"));
    EXPECT_EQ(atLimit.finish(), "12345678");

    DataFileRecordReader closed(8);
    EXPECT_TRUE(closed.feed("\"1234"));
    EXPECT_FALSE(closed.feed("56789\""));
    try {
        closed.finish();
        FAIL() << "a field beyond the limit was read";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), error::kInvalidFileFormat);
    }

    // Without a closing quote the reader wants no more bytes once the limit is passed.
    DataFileRecordReader unterminated(8);
    EXPECT_TRUE(unterminated.feed("\"12345678"));
    EXPECT_FALSE(unterminated.feed("9"));
    EXPECT_THROW(unterminated.finish(), RunTimeError);
}

TEST(DataFileRead, TheDefaultLimitHoldsMuchMoreThanAFullDataBlock) {
    EXPECT_EQ(kMaxDataFileFieldBytes, 64u << 20);
    // Cells of 1,000 characters, each well within a cell's limit.
    std::string field(kMaxDataFileFieldBytes, '1');
    for (std::size_t i = 1000; i < field.size(); i += 1001) {
        field[i] = '\t';
    }
    EXPECT_EQ(ReadDataFileRecord("\"" + field).size(), field.size());
    EXPECT_THROW(ReadDataFileRecord("\"" + field + "1"), RunTimeError);
}

// A cell of the given length, and the bytes before and after it in the field.
struct LongCellCase {
    const char* name;
    std::string before;
    std::size_t length;
    std::string after;
    // The refused cell's reason, or empty when the field is read.
    std::string reason;
};

std::string LongCellField(const LongCellCase& c) {
    return "\"" + c.before + std::string(c.length, 'n') + c.after + "\"\r\n";
}

class DataFileLongCell : public ::testing::TestWithParam<LongCellCase> {};

TEST_P(DataFileLongCell, IsReadUpToTheLimitAndRefusedPastIt) {
    const LongCellCase& c = GetParam();
    if (c.reason.empty()) {
        EXPECT_EQ(ReadDataFileRecord(LongCellField(c)),
                  c.before + std::string(c.length, 'n') + c.after);
        return;
    }
    try {
        ReadDataFileRecord(LongCellField(c));
        FAIL() << "a cell longer than the limit was read";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.number(), error::kInvalidFileFormat);
        EXPECT_STREQ(e.what(), "Invalid file format");
        EXPECT_EQ(e.reason(), c.reason);
    }
}

// Fed a byte at a time, the reader counts cells and rows across the pieces alike (a CR LF split
// between two pieces is one row end).
TEST_P(DataFileLongCell, CountsTheSameWhateverThePieces) {
    const LongCellCase& c = GetParam();
    const std::string bytes = LongCellField(c);
    DataFileRecordReader reader;
    std::size_t fed = 0;
    while (fed < bytes.size() && reader.feed(std::string_view(bytes).substr(fed, 1))) {
        ++fed;
    }
    if (c.reason.empty()) {
        EXPECT_FALSE(reader.tooLongCell().has_value());
        EXPECT_EQ(reader.finish().size(), c.before.size() + c.length + c.after.size());
        return;
    }
    // Reading stopped at the first byte past the limit.
    EXPECT_EQ(fed, 1 + c.before.size() + kCellTextLimit);
    ASSERT_TRUE(reader.tooLongCell().has_value());
    EXPECT_THROW(reader.finish(), RunTimeError);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, DataFileLongCell,
    ::testing::Values(LongCellCase{"AtTheLimit", "", kCellTextLimit, "\t1.5", ""},
                      LongCellCase{"PastTheLimit", "", kCellTextLimit + 1, "\t1.5",
                                   "Row 1, column 1 holds more than 32,767 characters."},
                      LongCellCase{"EveryCellAtTheLimit",
                                   std::string(kCellTextLimit, 'a') + "\r" +
                                       std::string(kCellTextLimit, 'b') + "\t",
                                   kCellTextLimit, "", ""},
                      LongCellCase{"AfterTabs", "a\tb\t", kCellTextLimit + 1, "",
                                   "Row 1, column 3 holds more than 32,767 characters."},
                      LongCellCase{"RowsEndedByCr", "a\r\rb\t", kCellTextLimit + 1, "",
                                   "Row 3, column 2 holds more than 32,767 characters."},
                      LongCellCase{"CrLfIsOneRowEnd", "a\r\nb\r\n\t", kCellTextLimit + 1, "",
                                   "Row 3, column 2 holds more than 32,767 characters."},
                      LongCellCase{"LoneLfEndsARow", "a\nb\n\n", kCellTextLimit + 1, "",
                                   "Row 4, column 1 holds more than 32,767 characters."},
                      LongCellCase{"LfCrIsTwoRowEnds", "a\n\r", kCellTextLimit + 1, "",
                                   "Row 3, column 1 holds more than 32,767 characters."},
                      LongCellCase{"FirstOfTwoLongCells", "a\r", kCellTextLimit + 1,
                                   "\t" + std::string(kCellTextLimit + 1, 'z'),
                                   "Row 2, column 1 holds more than 32,767 characters."}),
    [](const auto& info) { return std::string(info.param.name); });

// A byte of a data file is one character, whatever its UTF-8 form takes.
TEST(DataFileRead, CellLimitCountsWindows1252Characters) {
    const std::string accented(kCellTextLimit, '\xE9');  // e acute
    EXPECT_EQ(CountCharacters(ReadDataFileRecord("\"" + accented + "\"")), kCellTextLimit);
    EXPECT_THROW(ReadDataFileRecord("\"" + accented + "\xE9\""), RunTimeError);
}

// A 10 MiB name stops the reader within its first 32,768 bytes and keeps none of them.
TEST(DataFileRead, ReaderStopsInsideALongCell) {
    DataFileRecordReader reader;
    EXPECT_FALSE(reader.feed("\"" + std::string(10u << 20, 'n')));
    ASSERT_TRUE(reader.tooLongCell().has_value());
    EXPECT_EQ(reader.tooLongCell()->row, 1);
    EXPECT_EQ(reader.tooLongCell()->column, 1);
    EXPECT_FALSE(reader.feed("\"\r\n"));
    EXPECT_THROW(reader.finish(), RunTimeError);
}

TEST(DataFileRead, FullBlockRoundTrip) {
    std::string block;
    for (int r = 1; r <= 300; ++r) {
        if (r > 1) {
            block.push_back('\r');
        }
        block += "Probe Ø" + std::to_string(r);
        for (int c = 2; c <= 43; ++c) {
            block += '\t';
            block += std::to_string(r * 100 + c) + ".25";
        }
    }
    EXPECT_EQ(ReadDataFileRecord(BuildDataFileRecord(block)), block);
}

}  // namespace
}  // namespace stelvador
