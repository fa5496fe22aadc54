#include "platform/spreadsheet/xlsx_cell_styles.h"

#include <algorithm>
#include <charconv>

#include "platform/spreadsheet/xml_tags.h"

namespace stelvador {

namespace {

// The number formats every spreadsheet program knows by number alone, that a written number
// may use.
constexpr std::pair<int, std::string_view> kBuiltInFormats[] = {
    {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}};

int IntegerOf(std::optional<std::string_view> text, int fallback) {
    if (!text) {
        return fallback;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    return error == std::errc() && end == text->data() + text->size() ? value : fallback;
}

}  // namespace

CellStyles::CellStyles(std::string xml) : m_xml(std::move(xml)) {
    const std::string_view text = m_xml;
    std::size_t from = 0;
    int depth = 0;
    int styleListDepth = -1;
    while (const auto tag = NextXmlTag(text, from)) {
        from = tag->end;
        if (tag->closing) {
            --depth;
            if (tag->localName == "cellXfs" && depth == styleListDepth) {
                m_styleList.endTag = tag->begin;
                styleListDepth = -1;
            } else if (tag->localName == "numFmts" && m_formatList.begin != std::string::npos &&
                       m_formatList.endTag == 0) {
                m_formatList.endTag = tag->begin;
            }
            continue;
        }
        const std::string_view name = tag->localName;
        if (depth == 0 && name == "styleSheet") {
            m_sheetStartEnd = tag->end;
            m_prefix = std::string(tag->prefix);
        } else if (name == "numFmts" && m_formatList.begin == std::string::npos) {
            m_formatList = {tag->begin, tag->end, tag->empty ? tag->end : 0, tag->empty};
        } else if (name == "numFmt") {
            // The list's own formats can be shown by a cell format; a differential format (dxf)
            // holds one of its own, whose number no new format may take either.
            const std::string_view tagText = tag->text(text);
            const int id = IntegerOf(XmlAttribute(tagText, "numFmtId"), -1);
            m_highestFormatId = std::max(m_highestFormatId, id);
            if (m_formatList.begin != std::string::npos && m_formatList.endTag == 0) {
                m_customFormats[id] = UnescapeXml(XmlAttribute(tagText, "formatCode").value_or(""));
            }
        } else if (name == "cellXfs" && m_styleList.begin == std::string::npos) {
            m_styleList = {tag->begin, tag->end, tag->empty ? tag->end : 0, tag->empty};
            if (!tag->empty) {
                styleListDepth = depth;
            }
        } else if (name == "xf" && styleListDepth >= 0 && depth == styleListDepth + 1) {
            const std::size_t end = XmlElementEnd(text, *tag);
            m_styles.push_back(
                {tag->begin, end, IntegerOf(XmlAttribute(tag->text(text), "numFmtId"), 0)});
            from = end;
            continue;  // the element is stepped over whole
        }
        if (!tag->empty) {
            ++depth;
        }
    }
}

std::string CellStyles::FormatCodeOf(int numFmtId) const {
    const auto custom = m_customFormats.find(numFmtId);
    if (custom != m_customFormats.end()) {
        return custom->second;
    }
    for (const auto& [id, code] : kBuiltInFormats) {
        if (id == numFmtId) {
            return std::string(code);
        }
    }
    return numFmtId == 0 ? "General" : std::string();
}

int CellStyles::NumberFormatIdFor(const std::string& formatCode) {
    for (const auto& [id, code] : kBuiltInFormats) {
        if (code == formatCode && !m_customFormats.contains(id)) {
            return id;
        }
    }
    for (const auto& [id, code] : m_customFormats) {
        if (code == formatCode) {
            return id;
        }
    }
    // Custom formats are numbered from 164 on, after the built-in ones.
    m_highestFormatId = std::max(163, m_highestFormatId) + 1;
    const int id = m_highestFormatId;
    m_customFormats[id] = formatCode;
    m_addedFormats.push_back("<" + QualifiedName(m_prefix, "numFmt") + " numFmtId=\"" +
                             std::to_string(id) + "\" formatCode=\"" + EscapeXml(formatCode) +
                             "\"/>");
    return id;
}

int CellStyles::WithNumberFormat(int style, const std::string& formatCode) {
    if (formatCode.empty() || m_styles.empty()) {
        return style;
    }
    const std::size_t base =
        style >= 0 && static_cast<std::size_t>(style) < m_styles.size() ? style : 0;
    if (FormatCodeOf(m_styles[base].numFmtId) == formatCode) {
        return static_cast<int>(base);
    }
    const auto made = m_made.find({static_cast<int>(base), formatCode});
    if (made != m_made.end()) {
        return made->second;
    }
    const int id = NumberFormatIdFor(formatCode);
    const std::string_view text = m_xml;
    const auto entryOf = [&](std::size_t index) {
        return text.substr(m_styles[index].begin, m_styles[index].end - m_styles[index].begin);
    };
    const std::string_view entry = entryOf(base);
    const std::size_t startEnd = NextXmlTag(entry, 0)->end;
    std::string startTag =
        WithXmlAttribute(entry.substr(0, startEnd), "numFmtId", std::to_string(id));
    startTag = WithXmlAttribute(startTag, "applyNumberFormat", "1");
    std::string copy = startTag + std::string(entry.substr(startEnd));
    // A style the list holds already (made by an earlier save, or by the user) is used again:
    // each save of a send would otherwise add its formats once more.
    int index = -1;
    for (std::size_t i = 0; i < m_styles.size() && index < 0; ++i) {
        if (entryOf(i) == copy) {
            index = static_cast<int>(i);
        }
    }
    for (std::size_t i = 0; i < m_addedStyles.size() && index < 0; ++i) {
        if (m_addedStyles[i] == copy) {
            index = static_cast<int>(m_styles.size() + i);
        }
    }
    if (index < 0) {
        m_addedStyles.push_back(std::move(copy));
        index = static_cast<int>(m_styles.size() + m_addedStyles.size() - 1);
    }
    m_made.emplace(std::pair{static_cast<int>(base), formatCode}, index);
    return index;
}

std::string CellStyles::Xml() const {
    if (!Changed()) {
        return m_xml;
    }
    const std::string_view text = m_xml;
    std::string result;
    result.reserve(m_xml.size() + 256 * (m_addedStyles.size() + m_addedFormats.size()));
    std::size_t copied = 0;
    // A list gets its new entries before its end tag and its count attribute set; an empty list
    // tag becomes a start tag and an end tag around them.
    const auto extendList = [&](const ListPlace& list, std::string_view name, std::size_t count,
                                const std::vector<std::string>& added) {
        result.append(text.substr(copied, list.begin - copied));
        std::string startTag(text.substr(list.begin, list.startEnd - list.begin));
        if (list.empty) {
            startTag.erase(startTag.rfind('/'), 1);
        }
        result += WithXmlAttribute(startTag, "count", std::to_string(count));
        if (!list.empty) {
            result.append(text.substr(list.startEnd, list.endTag - list.startEnd));
        }
        for (const std::string& entry : added) {
            result += entry;
        }
        if (list.empty) {
            result += "</" + QualifiedName(m_prefix, name) + ">";
            copied = list.startEnd;
        } else {
            copied = list.endTag;
        }
    };
    if (!m_addedFormats.empty()) {
        std::size_t formats = 0;
        for (const auto& entry : m_customFormats) {
            formats += entry.first >= 0 ? 1 : 0;
        }
        if (m_formatList.begin != std::string::npos) {
            extendList(m_formatList, "numFmts", formats, m_addedFormats);
        } else {
            // The list of number formats is the first in the part.
            result.append(text.substr(0, m_sheetStartEnd));
            result += "<" + QualifiedName(m_prefix, "numFmts") + " count=\"" +
                      std::to_string(formats) + "\">";
            for (const std::string& entry : m_addedFormats) {
                result += entry;
            }
            result += "</" + QualifiedName(m_prefix, "numFmts") + ">";
            copied = m_sheetStartEnd;
        }
    }
    if (!m_addedStyles.empty()) {
        extendList(m_styleList, "cellXfs", m_styles.size() + m_addedStyles.size(), m_addedStyles);
    }
    result.append(text.substr(copied));
    return result;
}

}  // namespace stelvador
