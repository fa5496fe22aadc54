#include "platform/spreadsheet/xlsx_recalculation.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>

#include "platform/spreadsheet/xml_tags.h"

namespace stelvador {

namespace {

// The children of the workbook element that follow calcPr, in the order the format sets.
constexpr std::array<std::string_view, 9> kAfterCalculationProperties = {
    "oleSize",       "customWorkbookViews", "pivotCaches",       "smartTagPr", "smartTagTypes",
    "webPublishing", "fileRecoveryPr",      "webPublishObjects", "extLst"};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The text without the elements of that local name that the test picks, each with what it holds.
std::string WithoutElements(std::string_view xml, std::string_view localName,
                            const std::function<bool(std::string_view tag)>& picked) {
    std::string result;
    std::size_t copied = 0;
    ForEachXmlElement(xml, localName, [&](const XmlTag& start, std::size_t end) {
        if (picked(start.text(xml))) {
            result.append(xml.substr(copied, start.begin - copied));
            copied = end;
        }
    });
    result.append(xml.substr(copied));
    return result;
}

}  // namespace

std::string WithFullCalculationOnLoad(std::string_view workbookXml) {
    std::size_t from = 0;
    int depth = 0;
    std::string prefix;
    std::size_t at = workbookXml.size();
    while (const auto tag = NextXmlTag(workbookXml, from)) {
        from = tag->end;
        if (tag->closing) {
            if (--depth == 0) {
                at = tag->begin;  // the workbook's end: calcPr goes before it
                break;
            }
            continue;
        }
        if (depth == 0) {
            prefix = std::string(tag->prefix);
        }
        if (depth == 1 && tag->localName == "calcPr") {
            std::string result(workbookXml.substr(0, tag->begin));
            result += WithXmlAttribute(tag->text(workbookXml), "fullCalcOnLoad", "1");
            result.append(workbookXml.substr(tag->end));
            return result;
        }
        if (depth == 1 &&
            std::find(kAfterCalculationProperties.begin(), kAfterCalculationProperties.end(),
                      tag->localName) != kAfterCalculationProperties.end()) {
            at = tag->begin;
            break;
        }
        if (!tag->empty) {
            ++depth;
        }
    }
    std::string result(workbookXml.substr(0, at));
    result += "<" + QualifiedName(prefix, "calcPr") + " fullCalcOnLoad=\"1\"/>";
    result.append(workbookXml.substr(at));
    return result;
}

std::string WithoutCachedFormulaValues(std::string_view sheetXml) {
    std::string result;
    std::size_t copied = 0;
    ForEachXmlElement(sheetXml, "c", [&](const XmlTag& cell, std::size_t cellEnd) {
        bool hasFormula = false;
        std::size_t valueBegin = std::string_view::npos;
        std::size_t valueEnd = 0;
        for (auto inner = NextXmlTag(sheetXml, cell.end); inner && inner->end <= cellEnd;
             inner = NextXmlTag(sheetXml, inner->end)) {
            if (inner->closing) {
                continue;
            }
            if (inner->localName == "f") {
                hasFormula = true;
            } else if (inner->localName == "v") {
                // A value element that holds nothing stores no value (openpyxl writes them).
                const std::size_t end = XmlElementEnd(sheetXml, *inner);
                const auto next = NextXmlTag(sheetXml, inner->end);
                if (!inner->empty && !(next && next->begin == inner->end && next->end == end)) {
                    valueBegin = inner->begin;
                    valueEnd = end;
                }
            }
        }
        if (hasFormula && valueBegin != std::string_view::npos) {
            result.append(sheetXml.substr(copied, valueBegin - copied));
            copied = valueEnd;
        }
    });
    if (copied == 0) {
        return std::string(sheetXml);
    }
    result.append(sheetXml.substr(copied));
    return result;
}

std::string WithoutRelationshipsOfType(std::string_view relationshipsXml, std::string_view type) {
    return WithoutElements(relationshipsXml, "Relationship", [&](std::string_view tag) {
        const std::string uri = UnescapeXml(XmlAttribute(tag, "Type").value_or(""));
        const std::size_t slash = uri.rfind('/');
        return std::string_view(uri).substr(slash == std::string::npos ? 0 : slash + 1) == type;
    });
}

std::string WithoutContentTypeOverride(std::string_view contentTypesXml, std::string_view part) {
    const std::string partName = "/" + std::string(part);
    return WithoutElements(contentTypesXml, "Override", [&](std::string_view tag) {
        return SameIgnoringCase(UnescapeXml(XmlAttribute(tag, "PartName").value_or("")), partName);
    });
}

}  // namespace stelvador
