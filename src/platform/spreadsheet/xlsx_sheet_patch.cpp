#include "platform/spreadsheet/xlsx_sheet_patch.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "common/sheet_cell_reference.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/written_value.h"
#include "platform/spreadsheet/xml_tags.h"

namespace stelvador {

namespace {

constexpr int kNoStyle = -1;

struct Place {
    int row = 0;
    int column = 0;
};

// A reference "AB12" (or its column or row alone) read; 0 for a part that is absent, and for
// both when it lies beyond the sheet. Small letters are read too, as the workbook reader reads
// them.
Place ReadReference(std::string_view reference) {
    Place place;
    std::size_t i = 0;
    for (; i < reference.size(); ++i) {
        const char letter = reference[i] >= 'a' && reference[i] <= 'z'
                                ? static_cast<char>(reference[i] - 'a' + 'A')
                                : reference[i];
        if (letter < 'A' || letter > 'Z') {
            break;
        }
        place.column = place.column * 26 + (letter - 'A' + 1);
        if (place.column > kMaxSheetColumns) {
            return Place{};
        }
    }
    for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9'; ++i) {
        place.row = place.row * 10 + (reference[i] - '0');
        if (place.row > kMaxSheetRows) {
            return Place{};
        }
    }
    return place;
}

int IntegerOf(std::string_view text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string NumberText(double number) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

// Characters XML cannot hold (control characters, U+FFFE and U+FFFF) are written as _xHHHH_,
// and so is the underscore that starts a text reading like such an escape, so that readers undo
// only the escapes written here.
std::string EscapedCellText(std::string_view text) {
    const auto isHex = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    };
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool looksEscaped = c == '_' && i + 6 < text.size() && text[i + 1] == 'x' &&
                                  isHex(text[i + 2]) && isHex(text[i + 3]) && isHex(text[i + 4]) &&
                                  isHex(text[i + 5]) && text[i + 6] == '_';
        if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE) {
            result += text[i + 2] == '\xBE' ? "_xFFFE_" : "_xFFFF_";
            i += 2;
            continue;
        }
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || looksEscaped) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            result += "_x00";
            result += kHex[c >> 4];
            result += kHex[c & 0xF];
            result += '_';
        } else {
            result += static_cast<char>(c);
        }
    }
    return EscapeXml(result);
}

bool HasOuterSpace(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (isSpace(text.front()) || isSpace(text.back()));
}

class SheetPatcher {
  public:
    SheetPatcher(std::string_view xml, const std::vector<CellPatch>& patches, CellStyles& styles)
        : m_xml(xml), m_patches(patches), m_styles(styles) {}

    std::string Run();

  private:
    std::string Name(std::string_view localName) const {
        return QualifiedName(m_prefix, localName);
    }
    void CopyTo(std::size_t end) {
        m_out.append(m_xml.substr(m_at, end - m_at));
        m_at = end;
    }
    std::string WidenedDimension(std::string_view head) const;
    void PatchSheetData(const XmlTag& sheetData);
    // New rows for the patches before the row (all that are left for 0).
    void InsertRowsBefore(int row);
    void PatchRow(const XmlTag& rowTag, int row, std::size_t rowEnd);
    // Writes the patch's cell; style is the old cell's s attribute, kNoStyle when it had none.
    void WriteCell(const CellPatch& patch, int style);
    // The patches of one row left from m_next, up to the column (all for 0).
    void InsertCellsBefore(int row, int column);
    // The style a cell the part lacks is shown with: its row's when the row is formatted whole,
    // else its column's, as a spreadsheet program gives a cell typed into there.
    int NewCellStyle(int column) const;
    void ReadColumnStyles(std::string_view head);

    struct ColumnStyle {
        int first;
        int last;
        int style;
    };

    std::string_view m_xml;
    const std::vector<CellPatch>& m_patches;
    CellStyles& m_styles;
    std::string m_out;
    std::string m_prefix;
    std::size_t m_at = 0;
    std::size_t m_next = 0;  // the first patch not yet written
    std::vector<ColumnStyle> m_columnStyles;
    int m_rowStyle = kNoStyle;  // of the row being patched, when it is formatted whole
};

void SheetPatcher::ReadColumnStyles(std::string_view head) {
    ForEachXmlElement(head, "col", [&](const XmlTag& start, std::size_t) {
        const std::string_view tag = start.text(head);
        const auto style = XmlAttribute(tag, "style");
        const auto first = XmlAttribute(tag, "min");
        const auto last = XmlAttribute(tag, "max");
        if (style && first && last) {
            m_columnStyles.push_back({IntegerOf(*first), IntegerOf(*last), IntegerOf(*style)});
        }
    });
}

int SheetPatcher::NewCellStyle(int column) const {
    if (m_rowStyle != kNoStyle) {
        return m_rowStyle;
    }
    for (const ColumnStyle& columns : m_columnStyles) {
        if (columns.first <= column && column <= columns.last) {
            return columns.style == 0 ? kNoStyle : columns.style;
        }
    }
    return kNoStyle;
}

std::string SheetPatcher::WidenedDimension(std::string_view head) const {
    std::size_t from = 0;
    while (const auto tag = NextXmlTag(head, from)) {
        from = tag->end;
        if (tag->closing || tag->localName != "dimension") {
            continue;
        }
        const std::string_view tagText = tag->text(head);
        const auto ref = XmlAttribute(tagText, "ref");
        if (!ref) {
            break;
        }
        const std::size_t colon = ref->find(':');
        Place first = ReadReference(ref->substr(0, colon));
        Place last =
            colon == std::string_view::npos ? first : ReadReference(ref->substr(colon + 1));
        if (first.row == 0 || first.column == 0 || last.row == 0 || last.column == 0) {
            break;  // a dimension that names no cells of the sheet is left as it was
        }
        bool widened = false;
        for (const CellPatch& patch : m_patches) {
            if (patch.value == nullptr) {
                continue;
            }
            const Place wide{std::max(last.row, patch.row), std::max(last.column, patch.column)};
            const Place narrow{std::min(first.row, patch.row),
                               std::min(first.column, patch.column)};
            widened = widened || wide.row != last.row || wide.column != last.column ||
                      narrow.row != first.row || narrow.column != first.column;
            first = narrow;
            last = wide;
        }
        if (!widened || first.row == 0 || first.column == 0) {
            break;
        }
        std::string newRef = CellReference(first.row, first.column);
        if (first.row != last.row || first.column != last.column) {
            newRef += ":" + CellReference(last.row, last.column);
        }
        std::string result(head.substr(0, tag->begin));
        result += WithXmlAttribute(tagText, "ref", newRef);
        result.append(head.substr(tag->end));
        return result;
    }
    return std::string(head);
}

std::string SheetPatcher::Run() {
    std::size_t from = 0;
    std::optional<XmlTag> sheetData;
    while (const auto tag = NextXmlTag(m_xml, from)) {
        if (!tag->closing && tag->localName == "sheetData") {
            sheetData = tag;
            break;
        }
        from = tag->end;
    }
    if (!sheetData) {
        RefuseDamaged("a worksheet part holds no sheet data");
    }
    m_prefix = std::string(sheetData->prefix);
    m_out.reserve(m_xml.size() + m_patches.size() * 48);
    m_out += WidenedDimension(m_xml.substr(0, sheetData->begin));
    ReadColumnStyles(m_xml.substr(0, sheetData->begin));
    m_at = sheetData->begin;
    PatchSheetData(*sheetData);
    CopyTo(m_xml.size());
    return std::move(m_out);
}

void SheetPatcher::PatchSheetData(const XmlTag& sheetData) {
    if (sheetData.empty) {
        m_out += "<" + Name("sheetData") + ">";
        m_at = sheetData.end;
        InsertRowsBefore(0);
        m_out += "</" + Name("sheetData") + ">";
        return;
    }
    CopyTo(sheetData.end);
    int lastRow = 0;
    while (const auto tag = NextXmlTag(m_xml, m_at)) {
        CopyTo(tag->begin);
        if (tag->closing) {
            InsertRowsBefore(0);  // the end of the sheet data
            return;
        }
        const std::size_t end = XmlElementEnd(m_xml, *tag);
        if (tag->localName != "row") {
            CopyTo(end);
            continue;
        }
        const std::string_view rowTag = tag->text(m_xml);
        const auto r = XmlAttribute(rowTag, "r");
        // A row without a number of its own follows the one before.
        const int row = r && IntegerOf(*r) > 0 ? IntegerOf(*r) : lastRow + 1;
        InsertRowsBefore(row);
        if (m_next < m_patches.size() && m_patches[m_next].row == row) {
            PatchRow(*tag, row, end);
        } else if (!r) {
            // Rows inserted before it would move a row that tells its place by its order alone.
            m_out += WithXmlAttribute(rowTag, "r", std::to_string(row));
            m_at = tag->end;
            CopyTo(end);
        } else {
            CopyTo(end);
        }
        lastRow = row;
    }
    InsertRowsBefore(0);
}

void SheetPatcher::InsertRowsBefore(int row) {
    while (m_next < m_patches.size() && (row == 0 || m_patches[m_next].row < row)) {
        const int newRow = m_patches[m_next].row;
        const std::size_t before = m_out.size();
        m_out += "<" + Name("row") + " r=\"" + std::to_string(newRow) + "\">";
        const std::size_t cellsStart = m_out.size();
        InsertCellsBefore(newRow, 0);
        if (m_out.size() == cellsStart) {
            m_out.resize(before);  // only emptied cells the part never held: no row
        } else {
            m_out += "</" + Name("row") + ">";
        }
    }
}

void SheetPatcher::InsertCellsBefore(int row, int column) {
    while (m_next < m_patches.size() && m_patches[m_next].row == row &&
           (column == 0 || m_patches[m_next].column < column)) {
        const CellPatch& patch = m_patches[m_next];
        // An emptied cell the part never held stays absent.
        WriteCell(patch, patch.value == nullptr ? kNoStyle : NewCellStyle(patch.column));
        ++m_next;
    }
}

void SheetPatcher::PatchRow(const XmlTag& rowTag, int row, std::size_t rowEnd) {
    std::string startTag(rowTag.text(m_xml));
    if (!XmlAttribute(startTag, "r")) {
        startTag = WithXmlAttribute(startTag, "r", std::to_string(row));
    }
    if (const auto spans = XmlAttribute(startTag, "spans")) {
        // The columns the row's cells span, a hint readers may trust: it covers the new cells.
        const std::size_t colon = spans->find(':');
        if (colon != std::string_view::npos) {
            int first = IntegerOf(spans->substr(0, colon));
            int last = IntegerOf(spans->substr(colon + 1));
            for (std::size_t i = m_next; i < m_patches.size() && m_patches[i].row == row; ++i) {
                first = std::min(first, m_patches[i].column);
                last = std::max(last, m_patches[i].column);
            }
            startTag = WithXmlAttribute(startTag, "spans",
                                        std::to_string(first) + ":" + std::to_string(last));
        }
    }
    const auto customFormat = XmlAttribute(startTag, "customFormat");
    const auto rowStyle = XmlAttribute(startTag, "s");
    m_rowStyle = rowStyle && customFormat && (*customFormat == "1" || *customFormat == "true")
                     ? IntegerOf(*rowStyle)
                     : kNoStyle;
    // Reset when the row is done: rows inserted anew have no style of their own.
    struct RowStyleReset {
        int& style;
        ~RowStyleReset() { style = kNoStyle; }
    } reset{m_rowStyle};
    if (rowTag.empty) {
        startTag.erase(startTag.rfind('/'), 1);
        m_out += startTag;
        InsertCellsBefore(row, 0);
        m_out += "</" + QualifiedName(rowTag.prefix, rowTag.localName) + ">";
        m_at = rowEnd;
        return;
    }
    m_out += startTag;
    m_at = rowTag.end;
    int lastColumn = 0;
    while (const auto tag = NextXmlTag(m_xml, m_at)) {
        CopyTo(tag->begin);
        if (tag->closing) {
            InsertCellsBefore(row, 0);
            CopyTo(tag->end);
            return;
        }
        const std::size_t end = XmlElementEnd(m_xml, *tag);
        if (tag->localName != "c") {
            // What else a row holds (its extLst) follows all its cells.
            InsertCellsBefore(row, 0);
            CopyTo(end);
            continue;
        }
        const std::string_view cellTag = tag->text(m_xml);
        const auto r = XmlAttribute(cellTag, "r");
        const int column =
            r && ReadReference(*r).column > 0 ? ReadReference(*r).column : lastColumn + 1;
        InsertCellsBefore(row, column);
        if (m_next < m_patches.size() && m_patches[m_next].row == row &&
            m_patches[m_next].column == column) {
            const auto s = XmlAttribute(cellTag, "s");
            WriteCell(m_patches[m_next], s ? IntegerOf(*s) : kNoStyle);
            ++m_next;
            m_at = end;
        } else if (!r) {
            // Cells inserted before it would move a cell that tells its place by its order alone.
            m_out += WithXmlAttribute(cellTag, "r", CellReference(row, column));
            m_at = tag->end;
            CopyTo(end);
        } else {
            CopyTo(end);
        }
        lastColumn = column;
    }
    CopyTo(rowEnd);
}

void SheetPatcher::WriteCell(const CellPatch& patch, int style) {
    const CellValue* value = patch.value;
    if (value != nullptr && value->kind == CellKind::Number) {
        style = m_styles.WithNumberFormat(style == kNoStyle ? 0 : style,
                                          WrittenNumberFormat(value->text));
        if (style == 0) {
            style = kNoStyle;
        }
    }
    if (value == nullptr && style == kNoStyle) {
        return;  // an emptied cell without a style of its own leaves nothing behind
    }
    m_out += "<" + Name("c") + " r=\"" + CellReference(patch.row, patch.column) + "\"";
    if (style != kNoStyle) {
        m_out += " s=\"" + std::to_string(style) + "\"";
    }
    if (value == nullptr) {
        m_out += "/>";
        return;
    }
    switch (value->kind) {
        case CellKind::Number:
        case CellKind::Date:
            m_out += "><" + Name("v") + ">" + NumberText(value->number) + "</" + Name("v") + ">";
            break;
        case CellKind::Boolean:
            m_out += " t=\"b\"><" + Name("v") + ">" + (value->number != 0.0 ? "1" : "0") + "</" +
                     Name("v") + ">";
            break;
        case CellKind::Text:
        case CellKind::Error:
            m_out += " t=\"inlineStr\"><" + Name("is") + "><" + Name("t") +
                     (HasOuterSpace(value->text) ? " xml:space=\"preserve\">" : ">") +
                     EscapedCellText(value->text) + "</" + Name("t") + "></" + Name("is") + ">";
            break;
    }
    m_out += "</" + Name("c") + ">";
}

}  // namespace

std::string PatchSheetXml(std::string_view xml, const std::vector<CellPatch>& patches,
                          CellStyles& styles) {
    if (patches.empty()) {
        return std::string(xml);
    }
    return SheetPatcher(xml, patches, styles).Run();
}

}  // namespace stelvador
