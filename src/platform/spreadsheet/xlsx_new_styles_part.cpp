#include "platform/spreadsheet/xlsx_new_styles_part.h"

#include "platform/spreadsheet/xml_tags.h"

namespace stelvador {

namespace {

// The text with the element added before the end tag of its root element, in the root's prefix.
std::string WithChildAtEnd(std::string_view xml, std::string_view localName,
                           std::string_view attributes) {
    std::size_t from = 0;
    std::size_t rootEnd = std::string_view::npos;
    std::string_view prefix;
    bool first = true;
    while (const auto tag = NextXmlTag(xml, from)) {
        from = tag->end;
        if (first) {
            prefix = tag->prefix;
            first = false;
            if (tag->empty) {
                // An empty root element: it becomes a start tag and an end tag around the child.
                std::string result(xml.substr(0, tag->end - 2));
                result += ">";
                result += "<" + QualifiedName(prefix, localName) + " " + std::string(attributes) +
                          "/></" + QualifiedName(tag->prefix, tag->localName) + ">";
                result.append(xml.substr(tag->end));
                return result;
            }
        }
        if (tag->closing) {
            rootEnd = tag->begin;  // the last end tag is the root's
        }
    }
    if (rootEnd == std::string_view::npos) {
        return std::string(xml);
    }
    std::string result(xml.substr(0, rootEnd));
    result += "<" + QualifiedName(prefix, localName) + " " + std::string(attributes) + "/>";
    result.append(xml.substr(rootEnd));
    return result;
}

}  // namespace

std::string NewStylesPartXml() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
           "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill>"
           "<patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" "
           "fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\">"
           "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
}

std::string WithStylesRelationship(std::string_view relationshipsXml, std::string_view target) {
    std::string id;
    for (int number = 1;; ++number) {
        id = "rId" + std::to_string(number);
        if (relationshipsXml.find("\"" + id + "\"") == std::string_view::npos &&
            relationshipsXml.find("'" + id + "'") == std::string_view::npos) {
            break;
        }
    }
    return WithChildAtEnd(relationshipsXml, "Relationship",
                          "Id=\"" + id +
                              "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                              "relationships/styles\" Target=\"" +
                              EscapeXml(target) + "\"");
}

std::string WithStylesContentType(std::string_view contentTypesXml, std::string_view part) {
    return WithChildAtEnd(contentTypesXml, "Override",
                          "PartName=\"/" + EscapeXml(part) +
                              "\" ContentType=\"application/"
                              "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"");
}

}  // namespace stelvador
