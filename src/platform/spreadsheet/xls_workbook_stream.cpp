#include "platform/spreadsheet/xls_workbook_stream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <optional>

#include "common/utf8.h"
#include "platform/spreadsheet/cell_value_text.h"
#include "platform/spreadsheet/number_format_kind.h"
#include "platform/spreadsheet/xls_shared_strings.h"

namespace stelvador {

namespace {

constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;

// BIFF8 record types.
constexpr unsigned kBof = 0x0809;
constexpr unsigned kEof = 0x000A;
constexpr unsigned kFilePass = 0x002F;
constexpr unsigned kWindow1 = 0x003D;
constexpr unsigned kBoundSheet = 0x0085;
constexpr unsigned kFormula = 0x0006;
constexpr unsigned kString = 0x0207;
constexpr unsigned kBoolErr = 0x0205;
constexpr unsigned kFormat = 0x041E;
constexpr unsigned kExtendedFormat = 0x00E0;
constexpr unsigned kDateMode = 0x0022;
constexpr unsigned kNumber = 0x0203;
constexpr unsigned kRk = 0x027E;
constexpr unsigned kMulRk = 0x00BD;
constexpr unsigned kLabelSst = 0x00FD;
constexpr unsigned kLabel = 0x0204;
constexpr unsigned kRString = 0x00D6;
constexpr unsigned kSst = 0x00FC;
constexpr unsigned kContinue = 0x003C;
constexpr unsigned kBiff8Version = 0x0600;

// Little-endian reads that fail instead of reading past the end.
std::optional<std::uint32_t> U32(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::optional<unsigned> U16(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 2) {
        return std::nullopt;
    }
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
           (static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8);
}

// The compound file's sectors and allocation table, enough to read one stream.
class CompoundFile {
  public:
    bool Open(std::string_view bytes) {
        m_bytes = bytes;
        if (!bytes.starts_with(kCompoundFileSignature) || bytes.size() < 512) {
            return false;
        }
        const auto shift = U16(bytes, 0x1E);
        const auto miniShift = U16(bytes, 0x20);
        if (!shift || (*shift != 9 && *shift != 12) || !miniShift || *miniShift != 6) {
            return false;
        }
        m_sectorSize = std::size_t{1} << *shift;
        m_sectorCount = bytes.size() / m_sectorSize;  // an upper bound: the header counts one
        return ReadFat() && ReadDirectory();
    }

    // The named stream's bytes, or nothing.
    std::optional<std::string> Stream(std::u16string_view name) const {
        for (const Entry& entry : m_entries) {
            if (entry.name == name && entry.type == 2) {
                if (entry.size < m_miniCutoff) {
                    return MiniStream(entry);
                }
                return Chain(m_fat, entry.start, entry.size,
                             [&](std::uint32_t sector) { return SectorBytes(sector); });
            }
        }
        return std::nullopt;
    }

  private:
    struct Entry {
        std::u16string name;
        unsigned type = 0;
        std::uint32_t start = 0;
        std::uint64_t size = 0;
    };

    std::string_view SectorBytes(std::uint32_t sector) const {
        const std::size_t at = (static_cast<std::size_t>(sector) + 1) * m_sectorSize;
        if (sector > kLastRegularSector || at >= m_bytes.size()) {
            return {};
        }
        return m_bytes.substr(at, m_sectorSize);
    }

    // Follows a chain of the table from start, joining the pieces up to size bytes; nothing for
    // a broken or looping chain.
    template <typename Piece>
    std::optional<std::string> Chain(const std::vector<std::uint32_t>& table, std::uint32_t start,
                                     std::uint64_t size, Piece&& piece) const {
        std::string out;
        std::uint32_t sector = start;
        std::size_t steps = 0;
        while (out.size() < size) {
            if (sector >= table.size() || ++steps > table.size()) {
                return std::nullopt;
            }
            const std::string_view bytes = piece(sector);
            if (bytes.empty()) {
                return std::nullopt;
            }
            out.append(bytes.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(
                                           bytes.size(), size - out.size()))));
            sector = table[sector];
        }
        return out;
    }

    bool ReadFat() {
        std::vector<std::uint32_t> fatSectors;
        for (std::size_t i = 0; i < 109; ++i) {
            const auto sector = U32(m_bytes, 0x4C + 4 * i);
            if (sector && *sector <= kLastRegularSector) {
                fatSectors.push_back(*sector);
            }
        }
        auto difat = U32(m_bytes, 0x44);
        const std::size_t perSector = m_sectorSize / 4;
        std::size_t guard = 0;
        while (difat && *difat <= kLastRegularSector && ++guard <= m_sectorCount) {
            const std::string_view bytes = SectorBytes(*difat);
            if (bytes.size() < m_sectorSize) {
                return false;
            }
            for (std::size_t i = 0; i + 1 < perSector; ++i) {
                const auto sector = U32(bytes, 4 * i);
                if (sector && *sector <= kLastRegularSector) {
                    fatSectors.push_back(*sector);
                }
            }
            difat = U32(bytes, 4 * (perSector - 1));
        }
        if (fatSectors.size() > m_sectorCount) {
            return false;
        }
        for (const std::uint32_t sector : fatSectors) {
            const std::string_view bytes = SectorBytes(sector);
            if (bytes.size() < m_sectorSize) {
                return false;
            }
            for (std::size_t i = 0; i < perSector; ++i) {
                m_fat.push_back(*U32(bytes, 4 * i));
            }
        }
        return !m_fat.empty();
    }

    bool ReadDirectory() {
        const auto start = U32(m_bytes, 0x30);
        const auto cutoff = U32(m_bytes, 0x38);
        const auto miniFatStart = U32(m_bytes, 0x3C);
        if (!start || !cutoff || !miniFatStart) {
            return false;
        }
        m_miniCutoff = *cutoff;
        // The directory's size is not recorded: its whole chain is read.
        std::string bytes;
        std::uint32_t sector = *start;
        for (std::size_t steps = 0; sector < m_fat.size() && steps < m_fat.size(); ++steps) {
            const std::string_view piece = SectorBytes(sector);
            if (piece.empty()) {
                break;
            }
            bytes.append(piece);
            sector = m_fat[sector];
        }
        for (std::size_t at = 0; at + 128 <= bytes.size(); at += 128) {
            Entry entry;
            const unsigned nameBytes = *U16(bytes, at + 64);
            for (unsigned i = 0; i + 2 < nameBytes && i < 64; i += 2) {
                entry.name += static_cast<char16_t>(*U16(bytes, at + i));
            }
            entry.type = static_cast<unsigned char>(bytes[at + 66]);
            entry.start = *U32(bytes, at + 116);
            entry.size = *U32(bytes, at + 120);
            m_entries.push_back(std::move(entry));
        }
        if (m_entries.empty()) {
            return false;
        }
        // The root entry's stream holds the small streams, in 64-byte pieces.
        const Entry& root = m_entries.front();
        if (auto container = Chain(m_fat, root.start, root.size,
                                   [&](std::uint32_t s) { return SectorBytes(s); })) {
            m_miniStream = std::move(*container);
        }
        std::uint32_t miniFatSector = *miniFatStart;
        for (std::size_t steps = 0; miniFatSector < m_fat.size() && steps < m_fat.size(); ++steps) {
            const std::string_view piece = SectorBytes(miniFatSector);
            if (piece.empty()) {
                break;
            }
            for (std::size_t i = 0; i + 4 <= piece.size(); i += 4) {
                m_miniFat.push_back(*U32(piece, i));
            }
            miniFatSector = m_fat[miniFatSector];
        }
        return true;
    }

    std::optional<std::string> MiniStream(const Entry& entry) const {
        return Chain(m_miniFat, entry.start, entry.size,
                     [&](std::uint32_t sector) -> std::string_view {
                         const std::size_t at = static_cast<std::size_t>(sector) * 64;
                         if (at >= m_miniStream.size()) {
                             return {};
                         }
                         return std::string_view(m_miniStream).substr(at, 64);
                     });
    }

    std::string_view m_bytes;
    std::size_t m_sectorSize = 512;
    std::size_t m_sectorCount = 0;
    std::uint32_t m_miniCutoff = 4096;
    std::vector<std::uint32_t> m_fat;
    std::vector<std::uint32_t> m_miniFat;
    std::vector<Entry> m_entries;
    std::string m_miniStream;
};

struct Record {
    unsigned type;
    std::string_view data;
};

// The record at offset at of the stream, or nothing past its end.
std::optional<Record> RecordAt(std::string_view stream, std::size_t at) {
    const auto type = U16(stream, at);
    const auto length = U16(stream, at + 2);
    if (!type || !length || stream.size() - at - 4 < *length) {
        return std::nullopt;
    }
    return Record{*type, stream.substr(at + 4, *length)};
}

// A formula's text result: character count, a flags byte (bit 0: two bytes a character), the
// characters. Surrogate pairs are joined; a lone surrogate becomes U+FFFD.
std::string StringRecordText(std::string_view data) {
    const auto count = U16(data, 0);
    if (!count || data.size() < 3) {
        return {};
    }
    const bool wide = (static_cast<unsigned char>(data[2]) & 1) != 0;
    std::string text;
    std::size_t at = 3;
    for (unsigned i = 0; i < *count; ++i) {
        if (!wide) {
            if (at >= data.size()) {
                break;
            }
            AppendUtf8(text, static_cast<unsigned char>(data[at++]));
            continue;
        }
        const auto unit = U16(data, at);
        if (!unit) {
            break;
        }
        at += 2;
        char32_t ch = *unit;
        if (ch >= 0xD800 && ch <= 0xDBFF) {
            const auto low = U16(data, at);
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
                at += 2;
                ++i;
                AppendUtf8(text, 0x10000 + ((ch - 0xD800) << 10) + (*low - 0xDC00));
                continue;
            }
            ch = 0xFFFD;
        } else if (ch >= 0xDC00 && ch <= 0xDFFF) {
            ch = 0xFFFD;
        }
        AppendUtf8(text, ch);
    }
    return text;
}

CellValue TruthOrError(unsigned value, bool isError) {
    CellValue cell;
    if (isError) {
        cell.kind = CellKind::Error;
        cell.text = XlsErrorText(value);
    } else {
        cell.kind = CellKind::Boolean;
        cell.number = value != 0 ? 1.0 : 0.0;
        cell.text = value != 0 ? "TRUE" : "FALSE";
    }
    return cell;
}

// What the workbook's globals say of dates: the kind of each cell format, and the date system.
struct DateFormats {
    std::vector<DateTimeKind> kinds;  // by cell format (XF) index
    bool date1904 = false;
};

// A number as a cell of this format shows it: a date or a time by its format, else the number.
CellValue NumberCell(double number, unsigned format, const DateFormats& dates) {
    const DateTimeKind kind =
        format < dates.kinds.size() ? dates.kinds[format] : DateTimeKind::None;
    CellValue cell;
    cell.kind = kind == DateTimeKind::None ? CellKind::Number : CellKind::Date;
    cell.number = kind == DateTimeKind::None ? number : SerialTo1900System(number, dates.date1904);
    cell.text = kind == DateTimeKind::None ? NumberToText(number)
                                           : SerialDateToText(number, kind, dates.date1904);
    return cell;
}

// The number an RK value packs: the high 30 bits of a double or a 30-bit integer, perhaps
// a hundredth of it.
double RkNumber(std::uint32_t rk) {
    double number = 0.0;
    if ((rk & 0x02) != 0) {
        number = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&number, &bits, sizeof number);
    }
    return (rk & 0x01) != 0 ? number / 100.0 : number;
}

// A cell showing a shared string, whose text is read once the cells are known.
struct SharedTextCell {
    std::size_t tab;
    std::pair<int, int> where;
    std::uint32_t index;
};

// What the walk of one sheet takes besides formula results and truth values.
struct AllCells {
    std::size_t tab;
    std::vector<SharedTextCell>& sharedTexts;
};

// Reads the number and text records of a sheet (all but formulas, truth and error values).
void ReadValueRecord(const Record& record, const DateFormats& dates, int lastRow, int lastColumn,
                     AllCells& all, XlsSheetTab& tab) {
    const std::string_view data = record.data;
    const auto row = U16(data, 0);
    const auto column = U16(data, 2);
    if (!row || !column || static_cast<int>(*row) + 1 > lastRow) {
        return;
    }
    const auto inRange = [&](unsigned c) { return static_cast<int>(c) + 1 <= lastColumn; };
    const std::pair<int, int> where{static_cast<int>(*row) + 1, static_cast<int>(*column) + 1};
    switch (record.type) {
        case kNumber:
            if (data.size() >= 14 && inRange(*column)) {
                double number = 0.0;
                std::memcpy(&number, data.data() + 6, sizeof number);
                tab.cells.emplace_back(where, NumberCell(number, *U16(data, 4), dates));
            }
            break;
        case kRk:
            if (data.size() >= 10 && inRange(*column)) {
                tab.cells.emplace_back(where,
                                       NumberCell(RkNumber(*U32(data, 6)), *U16(data, 4), dates));
            }
            break;
        case kMulRk:
            // The first column, then a format and a value for each column, then the last column.
            for (std::size_t at = 4, c = *column; at + 6 + 2 <= data.size() && inRange(c);
                 at += 6, ++c) {
                tab.cells.emplace_back(
                    std::pair<int, int>{where.first, static_cast<int>(c) + 1},
                    NumberCell(RkNumber(*U32(data, at + 2)), *U16(data, at), dates));
            }
            break;
        case kLabelSst:
            if (data.size() >= 10 && inRange(*column)) {
                all.sharedTexts.push_back({all.tab, where, *U32(data, 6)});
            }
            break;
        case kLabel:
        case kRString:
            if (data.size() >= 9 && inRange(*column)) {
                CellValue cell;
                cell.text = StringRecordText(data.substr(6));
                if (!cell.text.empty()) {
                    tab.cells.emplace_back(where, std::move(cell));
                }
            }
            break;
        default:
            break;
    }
}

// The cells of one sheet's substream from its BOF record on, up to the last row and column.
void ReadSheetCells(std::string_view stream, std::size_t at, const DateFormats& dates, int lastRow,
                    int lastColumn, AllCells* all, XlsSheetTab& tab) {
    const auto bof = RecordAt(stream, at);
    if (!bof || bof->type != kBof) {
        return;
    }
    at += 4 + bof->data.size();
    // A formula whose result is text: its STRING record follows.
    std::optional<std::pair<int, int>> textFormula;
    while (const auto record = RecordAt(stream, at)) {
        at += 4 + record->data.size();
        if (record->type == kEof) {
            tab.complete = true;
            break;
        }
        const std::string_view data = record->data;
        if (record->type == kString && textFormula) {
            CellValue cell;
            cell.text = StringRecordText(data);
            tab.cells.emplace_back(*textFormula, std::move(cell));
            textFormula.reset();
            continue;
        }
        if (record->type != kFormula && record->type != kBoolErr) {
            if (all != nullptr) {
                ReadValueRecord(*record, dates, lastRow, lastColumn, *all, tab);
            }
            continue;
        }
        const auto row = U16(data, 0);
        const auto column = U16(data, 2);
        if (!row || !column || data.size() < (record->type == kFormula ? 14u : 8u)) {
            continue;
        }
        const std::pair<int, int> where{static_cast<int>(*row) + 1, static_cast<int>(*column) + 1};
        if (where.first > lastRow || where.second > lastColumn) {
            textFormula.reset();
            continue;
        }
        if (record->type == kBoolErr) {
            tab.cells.emplace_back(where, TruthOrError(static_cast<unsigned char>(data[6]),
                                                       static_cast<unsigned char>(data[7]) != 0));
            continue;
        }
        textFormula.reset();
        if (*U16(data, 12) == 0xFFFF) {
            // Not a number: the first byte says what the result is.
            switch (static_cast<unsigned char>(data[6])) {
                case 0:
                    textFormula = where;
                    break;
                case 1:
                    tab.cells.emplace_back(
                        where, TruthOrError(static_cast<unsigned char>(data[8]), false));
                    break;
                case 2:
                    tab.cells.emplace_back(where,
                                           TruthOrError(static_cast<unsigned char>(data[8]), true));
                    break;
                default:
                    break;  // an empty text: the cell stays empty
            }
            continue;
        }
        double number = 0.0;
        std::memcpy(&number, data.data() + 6, sizeof number);
        const unsigned format = *U16(data, 4);
        const DateTimeKind kind =
            format < dates.kinds.size() ? dates.kinds[format] : DateTimeKind::None;
        CellValue cell;
        cell.kind = kind == DateTimeKind::None ? CellKind::Number : CellKind::Date;
        cell.number =
            kind == DateTimeKind::None ? number : SerialTo1900System(number, dates.date1904);
        cell.text = kind == DateTimeKind::None ? NumberToText(number)
                                               : SerialDateToText(number, kind, dates.date1904);
        tab.cells.emplace_back(where, std::move(cell));
    }
}

// The format code of a FORMAT record: its number, then a string of 16-bit length. Only its
// ASCII letters matter (the date and time letters); other characters stand as '?'.
std::pair<unsigned, std::string> FormatRecord(std::string_view data) {
    const unsigned id = U16(data, 0).value_or(0);
    std::string code;
    const auto count = U16(data, 2);
    if (!count || data.size() < 5) {
        return {id, code};
    }
    const bool wide = (static_cast<unsigned char>(data[4]) & 1) != 0;
    std::size_t at = 5;
    for (unsigned i = 0; i < *count; ++i) {
        unsigned unit = 0;
        if (wide) {
            const auto wideUnit = U16(data, at);
            if (!wideUnit) {
                break;
            }
            unit = *wideUnit;
            at += 2;
        } else {
            if (at >= data.size()) {
                break;
            }
            unit = static_cast<unsigned char>(data[at++]);
        }
        code += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return {id, code};
}

}  // namespace

std::string XlsErrorText(unsigned code) {
    switch (code) {
        case 0x00:
            return "#NULL!";
        case 0x07:
            return "#DIV/0!";
        case 0x0F:
            return "#VALUE!";
        case 0x17:
            return "#REF!";
        case 0x1D:
            return "#NAME?";
        case 0x24:
            return "#NUM!";
        case 0x2A:
            return "#N/A";
        default:
            return "#N/A";
    }
}

XlsStreamFacts ReadXlsStreamFacts(std::string_view fileBytes, const WorkbookReadScope& scope,
                                  bool allCells) {
    XlsStreamFacts facts;
    CompoundFile file;
    if (!file.Open(fileBytes)) {
        return facts;
    }
    const std::optional<std::string> stream = file.Stream(u"Workbook");
    if (!stream) {
        return facts;
    }
    const auto bof = RecordAt(*stream, 0);
    if (!bof || bof->type != kBof || U16(bof->data, 0).value_or(0) != kBiff8Version) {
        return facts;
    }
    std::vector<std::size_t> sheetOffsets;
    std::map<unsigned, DateTimeKind> customFormats;
    DateFormats dates;
    std::vector<std::string_view> sharedStringTable;
    bool inSharedStringTable = false;
    std::size_t at = 4 + bof->data.size();
    while (const auto record = RecordAt(*stream, at)) {
        at += 4 + record->data.size();
        if (record->type == kEof) {
            break;
        }
        inSharedStringTable =
            record->type == kSst || (inSharedStringTable && record->type == kContinue);
        if (inSharedStringTable && allCells) {
            sharedStringTable.push_back(record->data);
        }
        if (record->type == kFilePass) {
            facts.encrypted = true;  // nothing more can be read
            return facts;
        }
        if (record->type == kFormat) {
            const auto [id, code] = FormatRecord(record->data);
            customFormats[id] = FormatCodeKind(code);
        } else if (record->type == kExtendedFormat && record->data.size() >= 4) {
            const unsigned id = *U16(record->data, 2);
            const auto custom = customFormats.find(id);
            dates.kinds.push_back(custom != customFormats.end()
                                      ? custom->second
                                      : BuiltInFormatKind(static_cast<int>(id)));
        } else if (record->type == kDateMode && record->data.size() >= 2) {
            dates.date1904 = *U16(record->data, 0) != 0;
        } else if (record->type == kWindow1 && record->data.size() >= 12) {
            facts.activeTab = static_cast<int>(*U16(record->data, 10));
        } else if (record->type == kBoundSheet && record->data.size() >= 6) {
            XlsSheetTab tab;
            tab.worksheet = static_cast<unsigned char>(record->data[5]) == 0;
            facts.tabs.push_back(std::move(tab));
            sheetOffsets.push_back(*U32(record->data, 0));
        }
    }
    std::vector<SharedTextCell> sharedTexts;
    for (std::size_t i = 0; i < facts.tabs.size(); ++i) {
        if (facts.tabs[i].worksheet &&
            (!scope.activeSheetOnly || static_cast<int>(i) == facts.activeTab)) {
            AllCells all{i, sharedTexts};
            ReadSheetCells(*stream, sheetOffsets[i], dates, scope.lastRow, scope.lastColumn,
                           allCells ? &all : nullptr, facts.tabs[i]);
        }
    }
    if (!sharedTexts.empty()) {
        std::vector<std::uint32_t> wanted;
        for (const SharedTextCell& cell : sharedTexts) {
            wanted.push_back(cell.index);
        }
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        const auto strings = ReadXlsSharedStrings(sharedStringTable, wanted);
        for (const SharedTextCell& cell : sharedTexts) {
            const auto text = strings.find(cell.index);
            if (text != strings.end() && !text->second.empty()) {
                CellValue value;
                value.text = text->second;
                facts.tabs[cell.tab].cells.emplace_back(cell.where, std::move(value));
            }
        }
    }
    facts.read = true;
    return facts;
}

}  // namespace stelvador
