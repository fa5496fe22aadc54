#include "platform/spreadsheet/xml_bounds.h"

namespace stelvador {

bool XmlBoundsGuard::Fail(std::string what) {
    m_failure = std::move(what);
    return false;
}

bool XmlBoundsGuard::TakeMarkupByte() {
    if (++m_markupBytes > kMaxXmlMarkupBytes) {
        return Fail("XML markup longer than " + std::to_string(kMaxXmlMarkupBytes) + " bytes");
    }
    return true;
}

bool XmlBoundsGuard::TakeTextByte() {
    if (++m_textBytes > kMaxXmlTextBytes) {
        m_textTooLong = true;
        return Fail("a text longer than " + std::to_string(kMaxXmlTextBytes >> 20) + " MiB");
    }
    return true;
}

bool XmlBoundsGuard::Filter(std::string_view bytes, std::string& out) {
    if (!m_failure.empty()) {
        return false;
    }
    for (const char byte : bytes) {
        switch (m_state) {
            case State::Text:
                if (byte == '<') {
                    m_state = State::AfterLess;
                    m_markupBytes = 1;
                    m_textBytes = 0;
                } else if (!TakeTextByte()) {
                    return false;
                }
                out += byte;
                continue;
            case State::AfterLess:
                m_state = byte == '/'   ? State::EndTag
                          : byte == '?' ? State::Instruction
                          : byte == '!' ? State::Bang
                                        : State::StartTag;
                m_bang.clear();
                m_quote = 0;
                break;
            case State::Bang:
                m_bang += byte;
                if (m_bang == "--") {
                    m_state = State::Comment;
                } else if (m_bang == "[CDATA[") {
                    m_state = State::CData;
                    m_textBytes = 0;
                } else if (std::string_view("[CDATA[").starts_with(m_bang) ||
                           std::string_view("--").starts_with(m_bang)) {
                    break;
                } else {
                    return Fail("a document type declaration");
                }
                break;
            case State::StartTag:
                if (m_quote != 0) {
                    if (byte == m_quote) {
                        m_quote = 0;
                    }
                } else if (byte == '"' || byte == '\'') {
                    m_quote = byte;
                } else if (byte == '>') {
                    m_state = State::Text;
                    if (m_last != '/' && ++m_depth > kMaxXmlDepth) {
                        return Fail("XML elements nested more than " +
                                    std::to_string(kMaxXmlDepth) + " deep");
                    }
                }
                break;
            case State::EndTag:
                if (byte == '>') {
                    m_state = State::Text;
                    if (m_depth > 0) {
                        --m_depth;
                    }
                }
                break;
            case State::Instruction:
                if (byte == '>' && m_last == '?') {
                    m_state = State::Text;
                }
                break;
            case State::Comment:
                if (byte == '>' && m_last == '-' && m_beforeLast == '-') {
                    m_state = State::Text;
                }
                break;
            case State::CData:
                if (byte == '>' && m_last == ']' && m_beforeLast == ']') {
                    m_state = State::Text;
                    m_textBytes = 0;
                } else if (!TakeTextByte()) {
                    return false;
                }
                out += byte;
                m_beforeLast = m_last;
                m_last = byte;
                continue;
        }
        if (!TakeMarkupByte()) {
            return false;
        }
        out += byte;
        m_beforeLast = m_last;
        m_last = byte;
    }
    return true;
}

}  // namespace stelvador
