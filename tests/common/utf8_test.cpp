#include "common/utf8.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace stelvador {
namespace {

struct SequenceCase {
    const char* name;
    std::string bytes;
    // The value read from the first byte, or nothing for a refused sequence.
    std::optional<char32_t> code;
};

class Utf8Decoding : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(Utf8Decoding, ReadsAValidSequenceWholeAndRefusesAnyOther) {
    const SequenceCase& c = GetParam();
    std::size_t at = 0;
    EXPECT_EQ(DecodeUtf8(c.bytes, at), c.code);
    // A read sequence is passed over whole; a refused one leaves the place where it starts.
    EXPECT_EQ(at, c.code ? c.bytes.size() : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8Decoding,
    ::testing::Values(
        SequenceCase{"Nul", std::string(1, '\0'), 0x00}, SequenceCase{"DoubleQuote", "\"", 0x22},
        SequenceCase{"LastOneByte", "\x7F", 0x7F}, SequenceCase{"FirstTwoBytes", "\xC2\x80", 0x80},
        SequenceCase{"LetterAUmlaut", "\xC3\xA4", 0xE4},
        SequenceCase{"LastTwoBytes", "\xDF\xBF", 0x7FF},
        SequenceCase{"FirstThreeBytes", "\xE0\xA0\x80", 0x800},
        SequenceCase{"EuroSign", "\xE2\x82\xAC", 0x20AC},
        SequenceCase{"BeforeSurrogates", "\xED\x9F\xBF", 0xD7FF},
        SequenceCase{"AfterSurrogates", "\xEE\x80\x80", 0xE000},
        SequenceCase{"LastThreeBytes", "\xEF\xBF\xBF", 0xFFFF},
        SequenceCase{"FirstFourBytes", "\xF0\x90\x80\x80", 0x10000},
        SequenceCase{"Emoji", "\xF0\x9F\x98\x80", 0x1F600},
        SequenceCase{"LastCodePoint", "\xF4\x8F\xBF\xBF", 0x10FFFF},
        // Overlong forms: a value written with more bytes than it needs.
        SequenceCase{"OverlongDoubleQuoteInTwo", "\xC0\xA2", std::nullopt},
        SequenceCase{"OverlongNulInTwo", "\xC0\x80", std::nullopt},
        SequenceCase{"OverlongLastOneByteInTwo", "\xC1\xBF", std::nullopt},
        SequenceCase{"OverlongDoubleQuoteInThree", "\xE0\x80\xA2", std::nullopt},
        SequenceCase{"OverlongLastTwoBytesInThree", "\xE0\x9F\xBF", std::nullopt},
        SequenceCase{"OverlongDoubleQuoteInFour", "\xF0\x80\x80\xA2", std::nullopt},
        SequenceCase{"OverlongLastThreeBytesInFour", "\xF0\x8F\xBF\xBF", std::nullopt},
        // Surrogates are halves of UTF-16 pairs, no characters.
        SequenceCase{"FirstSurrogate", "\xED\xA0\x80", std::nullopt},
        SequenceCase{"LastSurrogate", "\xED\xBF\xBF", std::nullopt},
        // Cut short: the text ends, or another character starts, before the sequence does.
        SequenceCase{"TwoBytesCut", "\xC3", std::nullopt},
        SequenceCase{"ThreeBytesCut", "\xE2\x82", std::nullopt},
        SequenceCase{"FourBytesCut", "\xF0\x9F\x98", std::nullopt},
        SequenceCase{"LetterInsteadOfContinuation",
                     "\xC3"
                     "A",
                     std::nullopt},
        SequenceCase{"NewSequenceInsteadOfContinuation", "\xE2\xC3\xA4", std::nullopt},
        // Beyond U+10FFFF, and bytes no sequence starts with.
        SequenceCase{"JustBeyondLastCodePoint", "\xF4\x90\x80\x80", std::nullopt},
        SequenceCase{"FiveBytesLead", "\xF8\x88\x80\x80\x80", std::nullopt},
        SequenceCase{"LeadF5", "\xF5\x80\x80\x80", std::nullopt},
        SequenceCase{"ByteFF", "\xFF", std::nullopt},
        SequenceCase{"StrayContinuation", "\x80", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8Decoding, ReadsOneSequenceOfALongerText) {
    const std::string text = "\xC3\xA4x";
    std::size_t at = 0;
    EXPECT_EQ(DecodeUtf8(text, at), char32_t{0xE4});
    EXPECT_EQ(at, 2u);
    EXPECT_EQ(DecodeUtf8(text, at), char32_t{'x'});
    EXPECT_EQ(at, 3u);
}

TEST(Utf8Encoding, WritesTheShortestFormThatReadsBack) {
    for (const char32_t code : {0x00, 0x22, 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFD,
                                0xFFFF, 0x10000, 0x10FFFF}) {
        std::string bytes;
        AppendUtf8(bytes, code);
        const std::size_t length = code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
        EXPECT_EQ(bytes.size(), length) << std::hex << static_cast<unsigned>(code);
        std::size_t at = 0;
        EXPECT_EQ(DecodeUtf8(bytes, at), code) << std::hex << static_cast<unsigned>(code);
        EXPECT_EQ(at, bytes.size());
    }
}

TEST(Utf8Encoding, WritesTheReplacementCharacterForWhatIsNoCharacter) {
    for (const char32_t code : {0xD800, 0xDFFF, 0x110000, 0x7FFFFFFF}) {
        std::string bytes = "a";
        AppendUtf8(bytes, code);
        EXPECT_EQ(bytes, "a\xEF\xBF\xBD") << std::hex << static_cast<unsigned>(code);
    }
}

}  // namespace
}  // namespace stelvador
