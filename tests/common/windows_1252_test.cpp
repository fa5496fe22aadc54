#include "common/windows_1252.h"

#include <gtest/gtest.h>

namespace stelvador {
namespace {

TEST(Windows1252, LettersOfWesternLanguagesRoundTrip) {
    const std::string text = "Sämple Ø1 – €5 „x“ ÿ";
    const auto bytes = Utf8ToWindows1252(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(*bytes, std::string("S\xE4mple \xD8"
                                  "1 \x96 \x80"
                                  "5 \x84x\x93 \xFF"));
    EXPECT_EQ(Windows1252ToUtf8(*bytes), text);
}

TEST(Windows1252, CharactersItCannotHoldAreRefusedWithTheirPlace) {
    std::size_t at = 99;
    EXPECT_FALSE(Utf8ToWindows1252("ab\xCE\xA9", &at).has_value()) << "Greek capital omega";
    EXPECT_EQ(at, 2u);
    EXPECT_FALSE(Utf8ToWindows1252("\xF0\x9F\x98\x80").has_value()) << "an emoji";
    EXPECT_FALSE(Utf8ToWindows1252("\xC3").has_value()) << "a cut sequence";
    EXPECT_FALSE(Utf8ToWindows1252("\xFF").has_value()) << "not UTF-8";
    EXPECT_FALSE(Utf8ToWindows1252("a\xC0\xA2", &at).has_value()) << "an overlong double quote";
    EXPECT_EQ(at, 1u);
}

TEST(Windows1252, EveryByteReadsAsSomeCharacter) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const auto back = Utf8ToWindows1252(Windows1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

}  // namespace
}  // namespace stelvador
