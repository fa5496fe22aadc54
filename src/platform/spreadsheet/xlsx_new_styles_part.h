#pragma once

#include <string>
#include <string_view>

namespace stelvador {

// A workbook package without a styles part shows every cell in the general format; a save that
// writes numbers in their own formats gives it a styles part first: the least one that spreadsheet
// programs read (one font, the two fills every part starts with, one border, one cell format),
// its relationship from the workbook part and its content type.

// The styles part's XML before any format is added.
std::string NewStylesPartXml();

// The relationships part with a styles relationship to the target (relative to the workbook's
// folder) added under an id none of its relationships has.
std::string WithStylesRelationship(std::string_view relationshipsXml, std::string_view target);

// The content types part with the styles content type for the part ("xl/styles.xml") added.
std::string WithStylesContentType(std::string_view contentTypesXml, std::string_view part);

}  // namespace stelvador
