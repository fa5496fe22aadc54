#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace stelvador {

// The XML reader holds a whole text, attribute or comment in memory before it hands it on, and
// follows nesting as deep as it goes: a few kilobytes packed could make it hold gigabytes.
// This lexical pass goes over a part's bytes as they unpack, before the XML reader sees them:
// it refuses elements nested deeper than kMaxXmlDepth, markup (a tag with its attributes, a
// comment, a processing instruction) longer than kMaxXmlMarkupBytes and any document type
// declaration (no workbook part has one; they can define entity bombs), and it cuts a text
// longer than kMaxXmlTextBytes, ending what it keeps with kCutTextMark. A cut text is longer
// than any cell holds, so whoever reads it refuses it for that.
inline constexpr std::size_t kMaxXmlDepth = 256;
inline constexpr std::size_t kMaxXmlMarkupBytes = 1u << 20;
inline constexpr std::size_t kMaxXmlTextBytes = 1u << 20;
// U+FDD0, a character XML allows and no workbook text holds.
inline constexpr char16_t kCutTextCharacter = u'\uFDD0';
inline constexpr std::string_view kCutTextMark = "\xEF\xB7\x90";

// Whether a text read from a part was cut (or joins one that was).
inline bool WasCut(std::string_view text) {
    return text.find(kCutTextMark) != std::string_view::npos;
}

class XmlBoundsGuard {
  public:
    // Appends the bytes, cut as above, to out; false once a bound is passed (failure() says
    // which), after which nothing more is taken.
    bool Filter(std::string_view bytes, std::string& out);
    // What passed its bound ("elements nested more than 256 deep"), or empty.
    const std::string& failure() const { return m_failure; }

  private:
    enum class State { Text, AfterLess, Bang, StartTag, EndTag, Instruction, Comment, CData };

    bool Fail(std::string what);
    bool TakeMarkupByte();
    void TakeTextByte(char byte, std::string& out);

    State m_state = State::Text;
    std::size_t m_depth = 0;
    std::size_t m_markupBytes = 0;
    std::size_t m_textBytes = 0;
    bool m_cutting = false;
    bool m_inEntity = false;
    char m_quote = 0;
    char m_last = 0;
    char m_beforeLast = 0;
    std::string m_bang;  // the first bytes after "<!", to tell a comment from a CDATA section
    std::string m_failure;
};

}  // namespace stelvador
