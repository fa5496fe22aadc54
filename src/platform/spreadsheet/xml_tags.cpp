#include "platform/spreadsheet/xml_tags.h"

#include <charconv>

#include "common/utf8.h"

namespace stelvador {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One past the '>' that ends the markup at '<', quotes respected; npos when it does not end.
std::size_t MarkupEnd(std::string_view xml, std::size_t at) {
    char quote = 0;
    for (std::size_t i = at + 1; i < xml.size(); ++i) {
        const char c = xml[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

// Where the attribute's name starts in the tag's text, or npos.
std::size_t FindAttribute(std::string_view tag, std::string_view name) {
    char quote = 0;
    for (std::size_t i = 1; i + name.size() < tag.size(); ++i) {
        const char c = tag[i];
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            }
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if (!IsSpace(c) || tag.substr(i + 1, name.size()) != name) {
            continue;
        }
        std::size_t after = i + 1 + name.size();
        while (after < tag.size() && IsSpace(tag[after])) {
            ++after;
        }
        if (after < tag.size() && tag[after] == '=') {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

struct AttributeSpan {
    std::size_t from;        // the space before the name
    std::size_t valueBegin;  // after the opening quote
    std::size_t valueEnd;    // the closing quote
};

std::optional<AttributeSpan> AttributeSpanOf(std::string_view tag, std::string_view name) {
    const std::size_t at = FindAttribute(tag, name);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t equals = tag.find('=', at);
    std::size_t open = equals + 1;
    while (open < tag.size() && IsSpace(tag[open])) {
        ++open;
    }
    if (open >= tag.size() || (tag[open] != '"' && tag[open] != '\'')) {
        return std::nullopt;
    }
    const std::size_t close = tag.find(tag[open], open + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return AttributeSpan{at - 1, open + 1, close};
}

}  // namespace

std::optional<XmlTag> NextXmlTag(std::string_view xml, std::size_t from) {
    std::size_t at = xml.find('<', from);
    while (at != std::string_view::npos) {
        const std::string_view rest = xml.substr(at);
        std::size_t skipTo = std::string_view::npos;
        if (rest.starts_with("<!--")) {
            skipTo = xml.find("-->", at + 4);
            skipTo = skipTo == std::string_view::npos ? skipTo : skipTo + 3;
        } else if (rest.starts_with("<![CDATA[")) {
            skipTo = xml.find("]]>", at + 9);
            skipTo = skipTo == std::string_view::npos ? skipTo : skipTo + 3;
        } else if (rest.starts_with("<?")) {
            skipTo = xml.find("?>", at + 2);
            skipTo = skipTo == std::string_view::npos ? skipTo : skipTo + 2;
        } else if (rest.starts_with("<!")) {
            skipTo = MarkupEnd(xml, at);
        } else {
            const std::size_t end = MarkupEnd(xml, at);
            if (end == std::string_view::npos) {
                return std::nullopt;
            }
            XmlTag tag;
            tag.begin = at;
            tag.end = end;
            tag.closing = xml[at + 1] == '/';
            tag.empty = !tag.closing && xml[end - 2] == '/';
            std::size_t nameBegin = at + (tag.closing ? 2 : 1);
            std::size_t nameEnd = nameBegin;
            while (nameEnd < end - 1 && !IsSpace(xml[nameEnd]) && xml[nameEnd] != '/' &&
                   xml[nameEnd] != '>') {
                ++nameEnd;
            }
            const std::string_view name = xml.substr(nameBegin, nameEnd - nameBegin);
            const std::size_t colon = name.find(':');
            if (colon == std::string_view::npos) {
                tag.localName = name;
            } else {
                tag.prefix = name.substr(0, colon);
                tag.localName = name.substr(colon + 1);
            }
            return tag;
        }
        if (skipTo == std::string_view::npos) {
            return std::nullopt;
        }
        at = xml.find('<', skipTo);
    }
    return std::nullopt;
}

std::size_t XmlElementEnd(std::string_view xml, const XmlTag& start) {
    if (start.empty || start.closing) {
        return start.end;
    }
    std::size_t depth = 1;
    std::size_t from = start.end;
    while (const auto tag = NextXmlTag(xml, from)) {
        if (tag->closing) {
            if (--depth == 0) {
                return tag->end;
            }
        } else if (!tag->empty) {
            ++depth;
        }
        from = tag->end;
    }
    return xml.size();
}

void ForEachXmlElement(std::string_view xml, std::string_view localName,
                       const std::function<void(const XmlTag& start, std::size_t end)>& visit) {
    std::size_t from = 0;
    while (const auto tag = NextXmlTag(xml, from)) {
        from = tag->end;
        if (tag->closing || tag->localName != localName) {
            continue;
        }
        from = XmlElementEnd(xml, *tag);
        visit(*tag, from);
    }
}

std::optional<std::string_view> XmlAttribute(std::string_view tag, std::string_view name) {
    const auto span = AttributeSpanOf(tag, name);
    if (!span) {
        return std::nullopt;
    }
    return tag.substr(span->valueBegin, span->valueEnd - span->valueBegin);
}

std::string WithXmlAttribute(std::string_view tag, std::string_view name, std::string_view value) {
    std::string result;
    if (const auto span = AttributeSpanOf(tag, name)) {
        result.reserve(tag.size() + value.size());
        result.append(tag.substr(0, span->valueBegin));
        result.append(value);
        result.append(tag.substr(span->valueEnd));
        return result;
    }
    std::size_t insertAt = tag.size() - 1;
    if (insertAt > 0 && tag[insertAt - 1] == '/') {
        --insertAt;
    }
    while (insertAt > 0 && IsSpace(tag[insertAt - 1])) {
        --insertAt;
    }
    result.reserve(tag.size() + name.size() + value.size() + 4);
    result.append(tag.substr(0, insertAt));
    result += ' ';
    result.append(name);
    result += "=\"";
    result.append(value);
    result += '"';
    result.append(tag.substr(insertAt));
    return result;
}

std::string WithoutXmlAttribute(std::string_view tag, std::string_view name) {
    const auto span = AttributeSpanOf(tag, name);
    if (!span) {
        return std::string(tag);
    }
    std::string result(tag.substr(0, span->from));
    result.append(tag.substr(span->valueEnd + 1));
    return result;
}

std::string EscapeXml(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                result += "&amp;";
                break;
            case '<':
                result += "&lt;";
                break;
            case '>':
                result += "&gt;";
                break;
            case '"':
                result += "&quot;";
                break;
            case '\r':
                result += "&#13;";  // a raw CR would be read as a line end
                break;
            default:
                result += c;
        }
    }
    return result;
}

std::string UnescapeXml(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
        if (semicolon == std::string_view::npos) {
            result += text[i];
            continue;
        }
        const std::string_view entity = text.substr(i + 1, semicolon - i - 1);
        if (entity == "amp") {
            result += '&';
        } else if (entity == "lt") {
            result += '<';
        } else if (entity == "gt") {
            result += '>';
        } else if (entity == "quot") {
            result += '"';
        } else if (entity == "apos") {
            result += '\'';
        } else if (entity.starts_with('#')) {
            const bool hex = entity.size() > 1 && (entity[1] == 'x' || entity[1] == 'X');
            const std::string_view digits = entity.substr(hex ? 2 : 1);
            std::uint32_t code = 0;
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
            if (error != std::errc() || end != digits.data() + digits.size()) {
                result += text[i];
                continue;
            }
            AppendUtf8(result, static_cast<char32_t>(code));
        } else {
            result += text[i];
            continue;
        }
        i = semicolon;
    }
    return result;
}

std::string QualifiedName(std::string_view prefix, std::string_view localName) {
    std::string name;
    if (!prefix.empty()) {
        name.append(prefix);
        name += ':';
    }
    name.append(localName);
    return name;
}

}  // namespace stelvador
