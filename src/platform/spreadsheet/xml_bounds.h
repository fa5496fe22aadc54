#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace stelvador {

// The XML reader holds a whole text, attribute or comment in memory before it hands it on, and
// follows nesting as deep as it goes: a few kilobytes packed could make it hold gigabytes.
// This lexical pass goes over a part's bytes as they unpack, before the XML reader sees them,
// and refuses elements nested deeper than kMaxXmlDepth, markup (a tag with its attributes, a
// comment, a processing instruction) longer than kMaxXmlMarkupBytes, a text longer than
// kMaxXmlTextBytes (longer than any cell holds) and any document type declaration (no
// workbook part has one; they can define entity bombs).
inline constexpr std::size_t kMaxXmlDepth = 256;
inline constexpr std::size_t kMaxXmlMarkupBytes = 1u << 20;
inline constexpr std::size_t kMaxXmlTextBytes = 1u << 20;

class XmlBoundsGuard {
  public:
    // Appends the bytes to out up to where a bound is passed; false then (failure() says
    // which), after which nothing more is taken.
    bool Filter(std::string_view bytes, std::string& out);
    // What passed its bound ("XML elements nested more than 256 deep"), or empty.
    const std::string& failure() const { return m_failure; }
    // Whether the bound passed was a text's length: the text is longer than a cell holds.
    bool textTooLong() const { return m_textTooLong; }

  private:
    enum class State { Text, AfterLess, Bang, StartTag, EndTag, Instruction, Comment, CData };

    bool Fail(std::string what);
    bool TakeMarkupByte();
    bool TakeTextByte();

    State m_state = State::Text;
    std::size_t m_depth = 0;
    std::size_t m_markupBytes = 0;
    std::size_t m_textBytes = 0;
    bool m_textTooLong = false;
    char m_quote = 0;
    char m_last = 0;
    char m_beforeLast = 0;
    std::string m_bang;  // the first bytes after "<!", to tell a comment from a CDATA section
    std::string m_failure;
};

}  // namespace stelvador
