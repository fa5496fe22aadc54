#include "platform/spreadsheet/xlsx_shared_formulas.h"

#include <cctype>
#include <charconv>
#include <map>
#include <optional>

#include "common/sheet_cell_reference.h"
#include "platform/spreadsheet/workbook_data.h"
#include "platform/spreadsheet/xml_tags.h"

namespace stelvador {

namespace {

bool IsWordCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.' || c == '$' ||
           c == '\\';
}

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A reference's column or row part: "$AB" or "12", its number and whether it is absolute.
struct Part {
    bool absolute = false;
    int number = 0;
};

// The column letters ("$AB") or the row digits ("12") the word is made of, whole, within the
// sheet; none otherwise.
std::optional<Part> ReferencePart(std::string_view word, bool column) {
    Part part;
    std::size_t i = 0;
    if (i < word.size() && word[i] == '$') {
        part.absolute = true;
        ++i;
    }
    const std::size_t longest = column ? 3 : 7;
    if (i == word.size() || word.size() - i > longest) {
        return std::nullopt;
    }
    for (; i < word.size(); ++i) {
        if (column ? !IsLetter(word[i]) : !IsDigit(word[i])) {
            return std::nullopt;
        }
        part.number = column ? part.number * 26 +
                                   (std::toupper(static_cast<unsigned char>(word[i])) - 'A' + 1)
                             : part.number * 10 + (word[i] - '0');
    }
    const int limit = column ? kMaxSheetColumns : kMaxSheetRows;
    return part.number >= 1 && part.number <= limit ? std::optional<Part>(part) : std::nullopt;
}

std::optional<Part> ColumnPart(std::string_view word) {
    return ReferencePart(word, true);
}

std::optional<Part> RowPart(std::string_view word) {
    return ReferencePart(word, false);
}

// A cell reference "$A$1": its column part and row part.
std::optional<std::pair<Part, Part>> CellPart(std::string_view word) {
    std::size_t split = word.front() == '$' ? 1 : 0;
    while (split < word.size() && IsLetter(word[split])) {
        ++split;
    }
    const auto column = ColumnPart(word.substr(0, split));
    const auto row = column ? RowPart(word.substr(split)) : std::nullopt;
    if (!row) {
        return std::nullopt;
    }
    return std::pair{*column, *row};
}

// The part moved; false when it leaves the sheet.
bool Move(Part& part, int by, int limit) {
    if (!part.absolute) {
        part.number += by;
    }
    return part.number >= 1 && part.number <= limit;
}

std::string ColumnWord(const Part& part) {
    return (part.absolute ? "$" : "") + SheetColumnLetters(part.number);
}

std::string RowWord(const Part& part) {
    return (part.absolute ? "$" : "") + std::to_string(part.number);
}

// One side of a reference moved, or #REF! when it leaves the sheet. kind: cell, column or row.
enum class Kind { Cell, Column, Row };

std::string Moved(std::string_view word, Kind kind, int rows, int columns) {
    if (kind == Kind::Cell) {
        auto [column, row] = *CellPart(word);
        if (!Move(column, columns, kMaxSheetColumns) || !Move(row, rows, kMaxSheetRows)) {
            return "#REF!";
        }
        return ColumnWord(column) + RowWord(row);
    }
    if (kind == Kind::Column) {
        Part column = *ColumnPart(word);
        return Move(column, columns, kMaxSheetColumns) ? ColumnWord(column) : "#REF!";
    }
    Part row = *RowPart(word);
    return Move(row, rows, kMaxSheetRows) ? RowWord(row) : "#REF!";
}

// Where the quoted stretch that starts at i ends (one past its closing quote, a doubled quote
// being one quote inside).
std::size_t QuotedEnd(std::string_view text, std::size_t i) {
    const char quote = text[i];
    for (std::size_t j = i + 1; j < text.size(); ++j) {
        if (text[j] == quote) {
            if (j + 1 < text.size() && text[j + 1] == quote) {
                ++j;
                continue;
            }
            return j + 1;
        }
    }
    return text.size();
}

std::size_t BracketEnd(std::string_view text, std::size_t i) {
    int depth = 0;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] == '[') {
            ++depth;
        } else if (text[j] == ']' && --depth == 0) {
            return j + 1;
        }
    }
    return text.size();
}

struct SharedFormula {
    int row;
    int column;
    std::string text;  // unescaped
};

struct CellFormula {
    int row = 0;
    int column = 0;
    std::optional<XmlTag> formula;  // the f start tag, when the cell has one
};

// The cell's place and its formula tag.
CellFormula FormulaOf(std::string_view xml, const XmlTag& cell, std::size_t cellEnd) {
    CellFormula found;
    const std::string_view cellTag = cell.text(xml);
    const auto r = XmlAttribute(cellTag, "r");
    if (!r) {
        return found;
    }
    std::size_t split = 0;
    while (split < r->size() && IsLetter((*r)[split])) {
        ++split;
    }
    const auto column = ColumnPart(r->substr(0, split));
    const auto row = RowPart(r->substr(split));
    if (!column || !row) {
        return found;
    }
    found.row = row->number;
    found.column = column->number;
    for (auto inner = NextXmlTag(xml, cell.end); inner && inner->end <= cellEnd;
         inner = NextXmlTag(xml, inner->end)) {
        if (!inner->closing && inner->localName == "f") {
            found.formula = inner;
            break;
        }
    }
    return found;
}

}  // namespace

std::string ShiftedFormula(std::string_view formula, int rows, int columns) {
    std::string result;
    result.reserve(formula.size() + 8);
    std::size_t i = 0;
    while (i < formula.size()) {
        const char c = formula[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = QuotedEnd(formula, i);
            result.append(formula.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '[') {
            const std::size_t end = BracketEnd(formula, i);
            result.append(formula.substr(i, end - i));
            i = end;
            continue;
        }
        if (!IsWordCharacter(c)) {
            result += c;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < formula.size() && IsWordCharacter(formula[end])) {
            ++end;
        }
        const std::string_view word = formula.substr(i, end - i);
        const char next = end < formula.size() ? formula[end] : '\0';
        const char before = i > 0 ? formula[i - 1] : '\0';
        // A function, a sheet name, or a word inside a name or number is no reference.
        if (next == '(' || next == '!' || (before != ':' && IsDigit(word.front()) && next != ':')) {
            result.append(word);
            i = end;
            continue;
        }
        if (CellPart(word)) {
            result += Moved(word, Kind::Cell, rows, columns);
            i = end;
            continue;
        }
        // Whole columns and whole rows come as ranges: A:B, 3:4.
        std::size_t otherBegin = end + 1;
        std::size_t otherEnd = otherBegin;
        while (next == ':' && otherEnd < formula.size() && IsWordCharacter(formula[otherEnd])) {
            ++otherEnd;
        }
        const std::string_view other =
            next == ':' ? formula.substr(otherBegin, otherEnd - otherBegin) : std::string_view();
        bool range = false;
        for (const Kind kind : {Kind::Column, Kind::Row}) {
            const auto fits = [&](std::string_view side) {
                return kind == Kind::Column ? ColumnPart(side).has_value()
                                            : RowPart(side).has_value();
            };
            if (!range && !other.empty() && fits(word) && fits(other)) {
                result +=
                    Moved(word, kind, rows, columns) + ":" + Moved(other, kind, rows, columns);
                range = true;
            }
        }
        if (range) {
            i = otherEnd;
        } else {
            result.append(word);
            i = end;
        }
    }
    return result;
}

std::string WithOrphanedSharedFormulasResolved(std::string_view sheetXml,
                                               const std::set<std::pair<int, int>>& rewritten) {
    if (sheetXml.find("shared") == std::string_view::npos) {
        return std::string(sheetXml);
    }
    // The shared formulas whose first cell is rewritten, by their shared index.
    std::map<std::string, SharedFormula> orphaned;
    // First the shared formulas whose first cell is rewritten, then the cells that share them.
    for (int pass = 0; pass < 2; ++pass) {
        std::string result;
        std::size_t copied = 0;
        ForEachXmlElement(sheetXml, "c", [&](const XmlTag& tag, std::size_t cellEnd) {
            const CellFormula cell = FormulaOf(sheetXml, tag, cellEnd);
            if (tag.empty || !cell.formula) {
                return;
            }
            const std::string_view formulaTag = cell.formula->text(sheetXml);
            const auto type = XmlAttribute(formulaTag, "t");
            const auto index = XmlAttribute(formulaTag, "si");
            if (!type || *type != "shared" || !index) {
                return;
            }
            const bool isRewritten = rewritten.contains({cell.row, cell.column});
            const bool first = XmlAttribute(formulaTag, "ref").has_value() && !cell.formula->empty;
            if (pass == 0) {
                if (first && isRewritten) {
                    const auto endTag = NextXmlTag(sheetXml, cell.formula->end);
                    const std::size_t textEnd = endTag ? endTag->begin : cell.formula->end;
                    orphaned[std::string(*index)] = {
                        cell.row, cell.column,
                        UnescapeXml(
                            sheetXml.substr(cell.formula->end, textEnd - cell.formula->end))};
                }
                return;
            }
            const auto shared = orphaned.find(std::string(*index));
            if (isRewritten || first || shared == orphaned.end()) {
                return;
            }
            const std::string name = QualifiedName(cell.formula->prefix, "f");
            result.append(sheetXml.substr(copied, cell.formula->begin - copied));
            result += "<" + name + ">" +
                      EscapeXml(ShiftedFormula(shared->second.text, cell.row - shared->second.row,
                                               cell.column - shared->second.column)) +
                      "</" + name + ">";
            copied = XmlElementEnd(sheetXml, *cell.formula);
        });
        if (orphaned.empty()) {
            break;
        }
        if (pass == 1) {
            result.append(sheetXml.substr(copied));
            return result;
        }
    }
    return std::string(sheetXml);
}

}  // namespace stelvador
