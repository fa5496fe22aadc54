#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "zip_maker.h"

namespace stelvador {

// Small .xlsx files that list a great many entries in one of the lists the reader keeps: each
// entry a few bytes of XML, so millions of them pack into a few hundred kilobytes.
enum class ListBomb { SharedStrings, Sheets, Relationships, CellFormats, NumberFormats };

inline const char* ListBombName(ListBomb bomb) {
    switch (bomb) {
        case ListBomb::SharedStrings:
            return "SharedStrings";
        case ListBomb::Sheets:
            return "Sheets";
        case ListBomb::Relationships:
            return "Relationships";
        case ListBomb::CellFormats:
            return "CellFormats";
        case ListBomb::NumberFormats:
            return "NumberFormats";
    }
    return "";
}

// The words the refusal uses for the list.
inline const char* ListBombListName(ListBomb bomb) {
    switch (bomb) {
        case ListBomb::SharedStrings:
            return "shared strings";
        case ListBomb::Sheets:
            return "sheets";
        case ListBomb::Relationships:
            return "relationships";
        case ListBomb::CellFormats:
            return "cell formats";
        case ListBomb::NumberFormats:
            return "number formats";
    }
    return "";
}

inline std::string Repeated(std::size_t count, const std::string& entry) {
    std::string text;
    text.reserve(count * entry.size());
    for (std::size_t i = 0; i < count; ++i) {
        text += entry;
    }
    return text;
}

// Entries whose only difference is a number (lists keyed by it grow with every entry).
template <typename Entry>
std::string Numbered(std::size_t count, Entry entry) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += entry(std::to_string(i));
    }
    return text;
}

// The parts of a workbook whose list holds this many entries in all (at least the one to four
// entries of a readable workbook).
inline std::vector<ZipPart> ListBombParts(ListBomb bomb, std::size_t entries) {
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::string relationships = "<Relationships><Relationship Id=\"rs\" Type=\"" + type +
                                "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship "
                                "Id=\"rt\" Type=\"" +
                                type +
                                "sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship "
                                "Id=\"ry\" Type=\"" +
                                type + "styles\" Target=\"styles.xml\"/>";
    std::string workbook =
        "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rs\"/>";
    std::string shared = "<sst><si><t>A</t></si>";
    std::string styles = "<styleSheet><numFmts>";
    std::string cellFormats = "<cellXfs><xf numFmtId=\"0\"/>";
    switch (bomb) {
        case ListBomb::SharedStrings:
            shared += Repeated(entries - 1, "<si/>");
            break;
        case ListBomb::Sheets:
            workbook += Repeated(entries - 1, "<sheet/>");
            break;
        case ListBomb::Relationships:
            relationships += Numbered(entries - 3, [](const std::string& n) {
                return "<Relationship Id=\"" + n + "\"/>";
            });
            break;
        case ListBomb::CellFormats:
            cellFormats += Repeated(entries - 1, "<xf/>");
            break;
        case ListBomb::NumberFormats:
            styles += Numbered(entries, [](const std::string& n) {
                return "<numFmt numFmtId=\"" + n + "\" formatCode=\"0\"/>";
            });
            break;
    }
    // The cell shows the last shared string, so that the whole list is read.
    const std::size_t shownString = bomb == ListBomb::SharedStrings ? entries - 1 : 0;
    std::vector<ZipPart> parts =
        MinimalXlsxParts("<worksheet><sheetData><row><c t=\"s\"><v>" + std::to_string(shownString) +
                         "</v></c></row></sheetData></worksheet>");
    for (ZipPart& part : parts) {
        if (part.name == "xl/_rels/workbook.xml.rels") {
            part.content = relationships + "</Relationships>";
        } else if (part.name == "xl/workbook.xml") {
            part.content = workbook + "</sheets></workbook>";
        }
    }
    parts.push_back({"xl/sharedStrings.xml", shared + "</sst>"});
    parts.push_back(
        {"xl/styles.xml", styles + "</numFmts>" + cellFormats + "</cellXfs></styleSheet>"});
    return parts;
}

}  // namespace stelvador
