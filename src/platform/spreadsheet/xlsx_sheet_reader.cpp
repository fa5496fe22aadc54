#include "platform/spreadsheet/xlsx_sheet_reader.h"

#include <QString>
#include <charconv>
#include <cmath>

#include "common/cell_text_limit.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/xlsx_parts.h"
#include "platform/spreadsheet/xml_helpers.h"

namespace stelvador {

namespace {

[[noreturn]] void FailTooMuchText() {
    RefuseTooMuch("more cell text than " + std::to_string(kMaxWorkbookTextBytes >> 20) + " MiB");
}

// "AB12" to column 28 and row 12; false when the text is no cell reference.
bool ParseCellReference(QStringView reference, int& row, int& column) {
    qsizetype i = 0;
    long long columnNumber = 0;
    while (i < reference.size() && reference[i].isLetter() && reference[i].unicode() < 128) {
        columnNumber = columnNumber * 26 + (reference[i].toUpper().unicode() - 'A' + 1);
        if (columnNumber > kMaxSheetColumns) {
            return false;
        }
        ++i;
    }
    long long rowNumber = 0;
    const qsizetype digitsFrom = i;
    while (i < reference.size() && reference[i].isDigit() && reference[i].unicode() < 128) {
        rowNumber = rowNumber * 10 + (reference[i].unicode() - '0');
        if (rowNumber > kMaxSheetRows) {
            return false;
        }
        ++i;
    }
    if (i != reference.size() || columnNumber == 0 || (digitsFrom != i && rowNumber == 0)) {
        return false;
    }
    column = static_cast<int>(columnNumber);
    if (digitsFrom != i) {
        row = static_cast<int>(rowNumber);
    }
    return true;
}

struct RawCell {
    QString type;
    int style = 0;
    QString value;
    QString inlineText;
    bool hasValue = false;
    bool hasInline = false;
};

// Reads a cell's children up to its end tag.
void ReadCellContent(QXmlStreamReader& reader, RawCell& cell) {
    int phoneticDepth = 0;
    while (!reader.atEnd()) {
        const auto token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (reader.name() == u"c") {
                return;
            }
            if (reader.name() == u"rPh" && phoneticDepth > 0) {
                --phoneticDepth;
            }
        } else if (token == QXmlStreamReader::StartElement) {
            const QStringView name = reader.name();
            if (name == u"v") {
                cell.value = reader.readElementText();
                cell.hasValue = true;
            } else if (name == u"is") {
                cell.hasInline = true;
            } else if (name == u"rPh") {
                ++phoneticDepth;
            } else if (name == u"t" && cell.hasInline && phoneticDepth == 0) {
                cell.inlineText += reader.readElementText();
            } else if (name == u"f") {
                reader.skipCurrentElement();
            }
        }
    }
}

bool ParseNumber(const QString& text, double& number) {
    const std::string digits = text.trimmed().toStdString();
    const char* begin = digits.data();
    const char* end = begin + digits.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    const auto result = std::from_chars(begin, end, number);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(number);
}

// The value a cell holds, from its type, its style and its content; false for an empty cell.
// A shared string's index is left in sharedIndex, its text unknown yet.
bool ToCellValue(const RawCell& raw, const SheetReadContext& context, CellValue& value,
                 std::optional<std::uint32_t>& sharedIndex) {
    const QString& type = raw.type;
    if (type == u"inlineStr") {
        if (!raw.hasInline && !raw.hasValue) {
            return false;
        }
        value.text =
            DecodeEscapedCharacters((raw.hasInline ? raw.inlineText : raw.value).toStdString());
        return true;
    }
    if (!raw.hasValue) {
        return false;  // a formula without a cached value, or a cell that holds only a style
    }
    if (type == u"s") {
        bool ok = false;
        const uint index = raw.value.trimmed().toUInt(&ok);
        if (!ok) {
            RefuseDamaged("a cell refers to a shared string it does not hold");
        }
        sharedIndex = index;
        return true;
    }
    if (type == u"str") {
        value.text = DecodeEscapedCharacters(raw.value.toStdString());
        return true;
    }
    if (type == u"d") {
        value.text = IsoDateText(raw.value.trimmed().toStdString());
        return true;
    }
    if (type == u"b") {
        value.kind = CellKind::Boolean;
        const QString trimmed = raw.value.trimmed();
        value.number = (trimmed == u"1" || trimmed == u"true") ? 1.0 : 0.0;
        value.text = value.number != 0.0 ? "TRUE" : "FALSE";
        return true;
    }
    if (type == u"e") {
        value.kind = CellKind::Error;
        value.text = raw.value.trimmed().toStdString();
        return true;
    }
    double number = 0.0;
    if (!ParseNumber(raw.value, number)) {
        value.text = raw.value.toStdString();  // not a number after all: keep what it says
        return !value.text.empty();
    }
    const DateTimeKind kind =
        raw.style >= 0 && static_cast<std::size_t>(raw.style) < context.formatKinds.size()
            ? context.formatKinds[static_cast<std::size_t>(raw.style)]
            : DateTimeKind::None;
    value.number = number;
    if (kind != DateTimeKind::None) {
        value.kind = CellKind::Date;
        value.number = SerialTo1900System(number, context.date1904);
        value.text = SerialDateToText(number, kind, context.date1904);
    } else {
        value.kind = CellKind::Number;
        value.text = NumberToText(number);
    }
    return true;
}

}  // namespace

SheetRead ReadXlsxSheet(QIODevice& xml, const SheetReadContext& context,
                        const std::function<bool()>& textTooLong) {
    SheetRead read;
    QXmlStreamReader reader(&xml);
    int row = 0;
    int column = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = reader.name();
        if (name == u"row") {
            bool ok = false;
            const int number = AttributeValue(reader, u"r").toInt(&ok);
            if (ok && (number < 1 || number > kMaxSheetRows)) {
                RefuseDamaged("a row lies beyond the sheet's last row");
            }
            row = ok ? number : row + 1;
            column = 0;
            if (row > context.lastRow) {
                return read;  // rows come in order: nothing further is wanted
            }
        } else if (name == u"c") {
            // Looked up in one copy of the attribute list: a sheet holds many cells.
            QStringView reference;
            QStringView type;
            QStringView style;
            const QXmlStreamAttributes attributes = reader.attributes();
            for (const QXmlStreamAttribute& attribute : attributes) {
                const QStringView attributeName = attribute.name();
                if (attributeName == u"r") {
                    reference = attribute.value();
                } else if (attributeName == u"t") {
                    type = attribute.value();
                } else if (attributeName == u"s") {
                    style = attribute.value();
                }
            }
            if (reference.isEmpty()) {
                ++column;
            } else if (!ParseCellReference(reference, row, column)) {
                RefuseDamaged("a cell reference cannot be read");
            }
            if (row < 1 || row > kMaxSheetRows || column > kMaxSheetColumns) {
                RefuseDamaged("a cell lies beyond the sheet's limits");
            }
            if (row > context.lastRow) {
                return read;
            }
            if (column > context.lastColumn) {
                reader.skipCurrentElement();
                continue;
            }
            RawCell raw;
            raw.type = type.toString();
            raw.style = style.toInt();
            ReadCellContent(reader, raw);
            if (reader.hasError()) {
                if (textTooLong()) {
                    if (!read.firstTooLong) {
                        read.firstTooLong.emplace(row, column);
                    }
                    return read;  // a later cell is no earlier
                }
                break;
            }
            CellValue value;
            std::optional<std::uint32_t> sharedIndex;
            if (!ToCellValue(raw, context, value, sharedIndex)) {
                continue;
            }
            if (context.cellBudget == 0) {
                RefuseTooMuch("more than " + std::to_string(kMaxWorkbookCells) + " cells");
            }
            --context.cellBudget;
            if (sharedIndex) {
                read.sharedStringCells.push_back({row, column, *sharedIndex});
                continue;
            }
            if (ExceedsCellTextLimit(value.text)) {
                if (!read.firstTooLong) {
                    read.firstTooLong.emplace(row, column);
                }
                continue;
            }
            if (value.text.size() > context.textBudget) {
                FailTooMuchText();
            }
            context.textBudget -= value.text.size();
            read.cells.Set(row, column, std::move(value));
        }
    }
    ThrowIfXmlError(reader, "worksheet");
    return read;
}

}  // namespace stelvador
