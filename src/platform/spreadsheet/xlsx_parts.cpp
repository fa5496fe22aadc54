#include "platform/spreadsheet/xlsx_parts.h"

#include <QString>
#include <algorithm>

#include "common/cell_text_limit.h"
#include "platform/spreadsheet/number_format_kind.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/xml_helpers.h"

namespace stelvador {

void ThrowIfXmlError(const QXmlStreamReader& reader, std::string_view partName) {
    if (reader.hasError()) {
        RefuseDamaged("its " + std::string(partName) + " part is not well-formed XML");
    }
}

void CheckRoomInList(std::size_t count, std::size_t limit, std::string_view listName) {
    if (count >= limit) {
        RefuseTooMuch("more than " + std::to_string(limit) + " " + std::string(listName));
    }
}

std::string ResolvePartName(const std::string& sourceDirectory, std::string_view target) {
    std::string path;
    if (!target.empty() && target.front() == '/') {
        path = std::string(target.substr(1));
    } else {
        path = sourceDirectory + std::string(target);
    }
    // Normalise "." and ".." segments.
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string result;
    for (const std::string& segment : segments) {
        if (!result.empty()) {
            result += '/';
        }
        result += segment;
    }
    return result;
}

std::map<std::string, Relationship> ReadRelationships(QIODevice& xml,
                                                      const std::string& sourceDirectory,
                                                      std::size_t maxRelationships) {
    std::map<std::string, Relationship> relationships;
    QXmlStreamReader reader(&xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement ||
            reader.name() != u"Relationship") {
            continue;
        }
        if (AttributeValue(reader, u"TargetMode") == u"External") {
            continue;
        }
        CheckRoomInList(relationships.size(), maxRelationships, "relationships");
        const QString type = AttributeValue(reader, u"Type").toString();
        const QString target = AttributeValue(reader, u"Target").toString();
        Relationship relationship;
        relationship.type = type.mid(type.lastIndexOf(u'/') + 1).toStdString();
        relationship.target = ResolvePartName(sourceDirectory, target.toStdString());
        relationships.emplace(AttributeValue(reader, u"Id").toString().toStdString(),
                              std::move(relationship));
    }
    ThrowIfXmlError(reader, "relationships");
    return relationships;
}

WorkbookPart ReadWorkbookPart(QIODevice& xml, std::size_t maxSheets) {
    WorkbookPart part;
    bool activeTabSeen = false;
    QXmlStreamReader reader(&xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = reader.name();
        if (name == u"sheet") {
            CheckRoomInList(part.sheets.size(), maxSheets, "sheets");
            SheetEntry entry;
            entry.name = AttributeValue(reader, u"name").toString().toStdString();
            entry.relationshipId = AttributeValue(reader, u"id").toString().toStdString();
            part.sheets.push_back(std::move(entry));
        } else if (name == u"workbookPr") {
            const QStringView value = AttributeValue(reader, u"date1904");
            part.date1904 = value == u"1" || value == u"true";
        } else if (name == u"workbookView" && !activeTabSeen) {
            activeTabSeen = true;
            bool ok = false;
            const int tab = AttributeValue(reader, u"activeTab").toInt(&ok);
            part.activeTab = ok && tab >= 0 ? tab : 0;
        }
    }
    ThrowIfXmlError(reader, "workbook");
    return part;
}

std::string DecodeEscapedCharacters(std::string text) {
    std::size_t at = text.find("_x");
    if (at == std::string::npos) {
        return text;
    }
    std::string result;
    std::size_t from = 0;
    const auto isHex = [](char ch) {
        return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    };
    while (at != std::string::npos) {
        bool escape = at + 7 <= text.size() && text[at + 6] == '_';
        for (std::size_t i = at + 2; escape && i < at + 6; ++i) {
            escape = isHex(text[i]);
        }
        if (!escape) {
            at = text.find("_x", at + 1);
            continue;
        }
        result.append(text, from, at - from);
        const char32_t code =
            static_cast<char32_t>(std::stoul(text.substr(at + 2, 4), nullptr, 16));
        result += QString(QChar(static_cast<char16_t>(code))).toStdString();
        from = at + 7;
        at = text.find("_x", from);
    }
    result.append(text, from, std::string::npos);
    return result;
}

SharedStrings ReadSharedStrings(QIODevice& xml, std::size_t maxStrings, const WantedStrings& wanted,
                                const std::function<bool()>& textTooLong) {
    const std::vector<CellPlace>& shownAt = wanted.firstShownAt;
    // firstShownLater[i]: the first cell that shows any of the strings from i on.
    std::vector<CellPlace> firstShownLater(shownAt.size() + 1, kNowhere);
    for (std::size_t i = shownAt.size(); i-- > 0;) {
        firstShownLater[i] = std::min(shownAt[i], firstShownLater[i + 1]);
    }
    CellPlace firstTooLong = wanted.firstOwnTooLong;
    SharedStrings strings;
    if (firstTooLong < firstShownLater[0]) {
        return strings;
    }
    QXmlStreamReader reader(&xml);
    QString current;
    bool tooLong = false;
    int phoneticDepth = 0;
    bool inItem = false;
    while (!reader.atEnd() && strings.size() < shownAt.size()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = reader.name();
            if (name == u"si") {
                inItem = true;
                current.clear();
                tooLong = false;
            } else if (name == u"rPh") {
                ++phoneticDepth;
            } else if (name == u"t" && inItem && phoneticDepth == 0) {
                const QString text = reader.readElementText();
                const std::size_t index = strings.size();
                if (reader.hasError()) {
                    if (shownAt[index] != kNowhere && textTooLong()) {
                        strings.AddTooLong();  // the rest of the list cannot be read
                        return strings;
                    }
                    break;
                }
                // Only the strings cells show are kept, and of those no more than a cell holds.
                if (shownAt[index] != kNowhere && !tooLong) {
                    current += text;
                    // A UTF-16 unit is at most one character, and a character at most two units.
                    tooLong = static_cast<std::size_t>(current.size()) > 2 * kCellTextLimit;
                    if (tooLong) {
                        current.clear();
                        firstTooLong = std::min(firstTooLong, shownAt[index]);
                        if (firstTooLong < firstShownLater[index + 1]) {
                            strings.AddTooLong();  // the rest of it, and of the list, is not read
                            return strings;
                        }
                    }
                }
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const QStringView name = reader.name();
            if (name == u"si") {
                CheckRoomInList(strings.size(), maxStrings, "shared strings");
                std::string text = DecodeEscapedCharacters(current.toStdString());
                const std::size_t index = strings.size();
                if (tooLong || (shownAt[index] != kNowhere && ExceedsCellTextLimit(text))) {
                    strings.AddTooLong();
                    firstTooLong = std::min(firstTooLong, shownAt[index]);
                } else {
                    strings.Add(text);
                }
                if (firstTooLong < firstShownLater[index + 1]) {
                    return strings;
                }
                current.clear();
                inItem = false;
            } else if (name == u"rPh" && phoneticDepth > 0) {
                --phoneticDepth;
            }
        }
    }
    if (strings.size() < shownAt.size()) {
        ThrowIfXmlError(reader, "shared strings");
    }
    return strings;
}

std::vector<DateTimeKind> ReadCellFormatKinds(QIODevice& xml, std::size_t maxCellFormats,
                                              std::size_t maxNumberFormats) {
    std::map<int, DateTimeKind> customFormats;
    std::vector<DateTimeKind> kinds;
    QXmlStreamReader reader(&xml);
    bool inCellFormats = false;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = reader.name();
            if (name == u"numFmt") {
                const int id = AttributeValue(reader, u"numFmtId").toInt();
                if (customFormats.find(id) == customFormats.end()) {
                    CheckRoomInList(customFormats.size(), maxNumberFormats, "number formats");
                }
                customFormats[id] =
                    FormatCodeKind(AttributeValue(reader, u"formatCode").toString().toStdString());
            } else if (name == u"cellXfs") {
                inCellFormats = true;
            } else if (name == u"xf" && inCellFormats) {
                CheckRoomInList(kinds.size(), maxCellFormats, "cell formats");
                const int id = AttributeValue(reader, u"numFmtId").toInt();
                const auto custom = customFormats.find(id);
                kinds.push_back(custom != customFormats.end() ? custom->second
                                                              : BuiltInFormatKind(id));
            }
        } else if (token == QXmlStreamReader::EndElement && reader.name() == u"cellXfs") {
            inCellFormats = false;
        }
    }
    ThrowIfXmlError(reader, "styles");
    return kinds;
}

}  // namespace stelvador
