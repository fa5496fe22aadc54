#pragma once

#include <string>
#include <string_view>

namespace stelvador {

// What makes the next spreadsheet program that opens a rewritten package recalculate its
// formulas, since the values they read have changed: the workbook part asks for a full
// calculation on load, and the calculation chain (the order of the last calculation, which no
// longer fits once a formula cell has become a value) goes with its relationship and its
// content type.

// The workbook part with calcPr fullCalcOnLoad="1", the element added in its place when absent.
std::string WithFullCalculationOnLoad(std::string_view workbookXml);

// The worksheet part without the values its formula cells keep from the last calculation,
// formulas and everything else as they were: a spreadsheet program that does not recalculate
// on load when asked to (LibreOffice) calculates a formula that has no value, where it would show
// a stored value that no longer fits the cells written.
std::string WithoutCachedFormulaValues(std::string_view sheetXml);

// The relationships part without the relationships of that type (the last segment of the type
// URI, "calcChain").
std::string WithoutRelationshipsOfType(std::string_view relationshipsXml, std::string_view type);

// The content types part without the override for the part ("xl/calcChain.xml").
std::string WithoutContentTypeOverride(std::string_view contentTypesXml, std::string_view part);

}  // namespace stelvador
