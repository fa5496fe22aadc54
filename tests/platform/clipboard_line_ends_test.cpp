#include <gtest/gtest.h>

#include <string>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/clipboard_line_ends.h"
#include "platform/qt_clipboard.h"

namespace stelvador {
namespace {

struct ReadCase {
    const char* name;
    std::string desktop;
    std::string block;
};

class ClipboardReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ClipboardReadTest, LineEndsBecomeRowEnds) {
    EXPECT_EQ(GridTextBlockFromDesktopText(GetParam().desktop), GetParam().block);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ClipboardReadTest,
    ::testing::Values(ReadCase{"SingleCell", "38.650", "38.650"}, ReadCase{"Empty", "", ""},
                      ReadCase{"Lf", "a\tb\nc\td", "a\tb\rc\td"},
                      ReadCase{"CrLf", "a\tb\r\nc\td", "a\tb\rc\td"},
                      ReadCase{"LoneCr", "a\tb\rc\td", "a\tb\rc\td"},
                      ReadCase{"MixedEnds", "a\r\nb\nc\rd", "a\rb\rc\rd"},
                      ReadCase{"TrailingLfAddsNoRow", "a\tb\nc\td\n", "a\tb\rc\td"},
                      ReadCase{"TrailingCrLfAddsNoRow", "a\tb\r\nc\td\r\n", "a\tb\rc\td"},
                      ReadCase{"TrailingCrAddsNoRow", "a\rb\r", "a\rb"},
                      ReadCase{"SecondTrailingEndIsAnEmptyRow", "a\n\n", "a\r"},
                      ReadCase{"EmptyRowsInside", "a\n\nb\r\n\r\nc", "a\r\rb\r\rc"},
                      ReadCase{"LfCrIsTwoEnds", "a\n\rb", "a\r\rb"},
                      ReadCase{"OnlyALineEnd", "\r\n", ""},
                      ReadCase{"EmptyLastCellKept", "a\t\n", "a\t"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(ClipboardWriteTest, EveryRowEndsWithTheGivenLineEndAndCellsKeepTheirTab) {
    EXPECT_EQ(DesktopTextFromGridTextBlock("a\tb\rc\td", "\n"), "a\tb\nc\td\n");
    EXPECT_EQ(DesktopTextFromGridTextBlock("a\tb\rc\td", "\r\n"), "a\tb\r\nc\td\r\n");
    EXPECT_EQ(DesktopTextFromGridTextBlock("\r", "\n"), "\n\n");
    EXPECT_EQ(DesktopTextFromGridTextBlock("38.650", "\n"), "38.650\n");
    EXPECT_EQ(DesktopTextFromGridTextBlock("", "\n"), "\n");
}

TEST(ClipboardWriteTest, TheDesktopLineEndIsLfHere) {
    EXPECT_EQ(DesktopLineEnd(), "\n");
}

TEST(ClipboardWriteTest, WrittenBlocksReadBackAsTheSameRows) {
    // Empty last rows and columns and a single empty cell included: what we copy pastes back.
    for (const std::string block :
         {"Ep-1\t38.65\t\r\t\t0.5\r\rlast", "37.1\r38.2\r", "a\t\rb\t", "\r\r", "", "\t"}) {
        for (const std::string_view end : {"\n", "\r\n", "\r"}) {
            EXPECT_EQ(GridTextBlockFromDesktopText(DesktopTextFromGridTextBlock(block, end)),
                      block);
        }
    }
}

// This test program runs without a GUI application, so there is no clipboard to open.
TEST(QtClipboardWithoutApplicationTest, EveryOperationFailsWith521) {
    QtClipboard clipboard;
    const auto expect521 = [](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "no failure";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), error::kCantOpenClipboard);
        }
    };
    expect521([&] { clipboard.Clear(); });
    expect521([&] { clipboard.GetText(); });
    expect521([&] { clipboard.SetText("a"); });
}

}  // namespace
}  // namespace stelvador
