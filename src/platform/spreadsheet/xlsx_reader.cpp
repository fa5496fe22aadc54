#include "platform/spreadsheet/xlsx_reader.h"

#include <algorithm>
#include <optional>

#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/xlsx_parts.h"
#include "platform/spreadsheet/xlsx_sheet_reader.h"
#include "platform/spreadsheet/zip_archive.h"

namespace stelvador {

namespace {

std::string DirectoryOf(const std::string& partName) {
    const std::size_t slash = partName.rfind('/');
    return slash == std::string::npos ? std::string() : partName.substr(0, slash + 1);
}

std::string RelationshipsPartOf(const std::string& partName) {
    const std::size_t slash = partName.rfind('/');
    const std::string directory = DirectoryOf(partName);
    const std::string file = slash == std::string::npos ? partName : partName.substr(slash + 1);
    return directory + "_rels/" + file + ".rels";
}

// Parses a part as it unpacks; when the unpacking failed (a limit, a damaged part), that is
// the failure reported rather than the XML cut short by it.
template <typename Parse>
auto ReadPart(ZipArchive& archive, const std::string& name, Parse parse) {
    const std::unique_ptr<ZipPartDevice> part = archive.Open(name);
    try {
        auto result = parse(*part);
        part->ThrowIfFailed();
        return result;
    } catch (const RunTimeError&) {
        part->ThrowIfFailed();
        throw;
    }
}

// The workbook part named by the package's office-document relationship.
std::string FindWorkbookPart(ZipArchive& archive, const XlsxLimits& limits) {
    if (archive.Has("_rels/.rels")) {
        const auto relationships = ReadPart(archive, "_rels/.rels", [&](QIODevice& xml) {
            return ReadRelationships(xml, std::string(), limits.relationships);
        });
        for (const auto& [id, relationship] : relationships) {
            if (relationship.type == "officeDocument" && archive.Has(relationship.target)) {
                return relationship.target;
            }
        }
    }
    if (archive.Has("xl/workbook.xml")) {
        return "xl/workbook.xml";
    }
    RefuseNotAWorkbook();
}

struct SheetToRead {
    std::string name;
    std::string part;
};

// What the cells read ask of the shared strings.
WantedStrings WantedStringsOf(const std::vector<SheetRead>& reads) {
    WantedStrings wanted;
    for (std::size_t sheet = 0; sheet < reads.size(); ++sheet) {
        const SheetRead& read = reads[sheet];
        if (read.firstTooLong && wanted.firstOwnTooLong == kNowhere) {
            wanted.firstOwnTooLong = {sheet, read.firstTooLong->first, read.firstTooLong->second};
        }
        for (const SharedStringCell& cell : read.sharedStringCells) {
            if (cell.index >= wanted.firstShownAt.size()) {
                wanted.firstShownAt.resize(std::size_t{cell.index} + 1, kNowhere);
            }
            CellPlace& first = wanted.firstShownAt[cell.index];
            first = std::min(first, CellPlace{sheet, cell.row, cell.column});
        }
    }
    return wanted;
}

// The cells of the sheets read, each showing the shared string it refers to, checked against
// the cell text limit and the text budget; the first cell too long for a cell is refused. A
// list of strings read only in part (see ReadSharedStrings) holds a string too long for a cell
// that an earlier cell shows than any string left unread.
void ResolveSharedStrings(std::vector<SheetRead>& reads, const SharedStrings& strings,
                          bool listComplete, std::size_t& textBudget) {
    for (const SheetRead& read : reads) {
        std::optional<std::pair<int, int>> tooLong = read.firstTooLong;
        for (const SharedStringCell& cell : read.sharedStringCells) {
            const std::pair<int, int> where{cell.row, cell.column};
            if (tooLong && *tooLong < where) {
                break;  // the cells come in order: a later one is no earlier
            }
            if (cell.index >= strings.size()) {
                if (listComplete) {
                    RefuseDamaged("a cell refers to a shared string it does not hold");
                }
                continue;  // unread: the refusal names a string known too long
            }
            if (strings.IsTooLong(cell.index)) {
                tooLong = where;
                break;
            }
        }
        if (tooLong) {
            throw SheetCellTooLong(tooLong->first, tooLong->second);
        }
    }
    for (SheetRead& read : reads) {
        for (const SharedStringCell& cell : read.sharedStringCells) {
            if (cell.index >= strings.size()) {
                RefuseDamaged("a cell refers to a shared string it does not hold");
            }
            const std::string_view text = strings[cell.index];
            // Checked before the copy: each cell holds a copy of its own.
            if (text.size() > textBudget) {
                RefuseTooMuch("more cell text than " + std::to_string(kMaxWorkbookTextBytes >> 20) +
                              " MiB");
            }
            textBudget -= text.size();
            if (!text.empty()) {
                read.cells.Set(cell.row, cell.column, CellValue{CellKind::Text, std::string(text)});
            }
        }
        read.sharedStringCells.clear();
    }
}

}  // namespace

WorkbookData ReadXlsxWorkbook(std::string_view bytes, const XlsxLimits& limits,
                              const WorkbookReadScope& scope) {
    ZipArchive archive(bytes, limits.unpack);
    const std::string workbookName = FindWorkbookPart(archive, limits);
    const std::string workbookDirectory = DirectoryOf(workbookName);
    const WorkbookPart workbook = ReadPart(archive, workbookName, [&](QIODevice& xml) {
        return ReadWorkbookPart(xml, limits.sheets);
    });

    std::map<std::string, Relationship> relationships;
    const std::string relationshipsName = RelationshipsPartOf(workbookName);
    if (archive.Has(relationshipsName)) {
        relationships = ReadPart(archive, relationshipsName, [&](QIODevice& xml) {
            return ReadRelationships(xml, workbookDirectory, limits.relationships);
        });
    }
    std::string sharedStringsPart;
    std::vector<DateTimeKind> formatKinds;
    WorkbookData data;
    data.xlsxParts.workbook = workbookName;
    if (archive.Has(relationshipsName)) {
        data.xlsxParts.workbookRelationships = relationshipsName;
    }
    for (const auto& [id, relationship] : relationships) {
        if (!archive.Has(relationship.target)) {
            continue;
        }
        if (relationship.type == "calcChain") {
            data.xlsxParts.calculationChain = relationship.target;
        } else if (relationship.type == "sharedStrings") {
            sharedStringsPart = relationship.target;
        } else if (relationship.type == "styles") {
            data.xlsxParts.styles = relationship.target;
            formatKinds = ReadPart(archive, relationship.target, [&](QIODevice& xml) {
                return ReadCellFormatKinds(xml, limits.cellFormats, limits.numberFormats);
            });
        }
    }

    // The sheets to read; a chart sheet or a dialog sheet holds no cells.
    data.activeSheet = -1;
    std::vector<SheetToRead> sheets;
    const int activeTab =
        workbook.activeTab < static_cast<int>(workbook.sheets.size()) ? workbook.activeTab : 0;
    for (std::size_t tab = 0; tab < workbook.sheets.size(); ++tab) {
        const bool active = static_cast<int>(tab) == activeTab;
        if (scope.activeSheetOnly && !active) {
            continue;
        }
        const SheetEntry& entry = workbook.sheets[tab];
        const auto relationship = relationships.find(entry.relationshipId);
        if (relationship == relationships.end()) {
            RefuseDamaged("it names a sheet it does not hold");
        }
        if (relationship->second.type != "worksheet") {
            if (scope.activeSheetOnly) {
                RefuseChartSheet();
            }
            continue;
        }
        if (active) {
            data.activeSheet = static_cast<int>(sheets.size());
        }
        sheets.push_back({entry.name, relationship->second.target});
    }
    if (sheets.empty()) {
        RefuseDamaged("it holds no worksheet");
    }

    std::size_t cellBudget = limits.cells;
    std::size_t textBudget = limits.textBytes;
    const SheetReadContext context{formatKinds,      workbook.date1904, scope.lastRow,
                                   scope.lastColumn, cellBudget,        textBudget};
    std::vector<SheetRead> reads;
    for (const SheetToRead& sheet : sheets) {
        reads.push_back(ReadPart(archive, sheet.part, [&](ZipPartDevice& xml) {
            return ReadXlsxSheet(xml, context, [&] { return xml.TakeTextTooLong(); });
        }));
    }
    // Only the shared strings the cells read show are kept, and the list is read no further
    // than it must be.
    const WantedStrings wanted = WantedStringsOf(reads);
    SharedStrings sharedStrings;
    if (!wanted.firstShownAt.empty() && !sharedStringsPart.empty()) {
        sharedStrings = ReadPart(archive, sharedStringsPart, [&](ZipPartDevice& xml) {
            return ReadSharedStrings(xml, limits.sharedStrings, wanted,
                                     [&] { return xml.TakeTextTooLong(); });
        });
    }
    // Only a refusal for a too-long text ends the list early.
    const bool listComplete = sharedStrings.size() >= wanted.firstShownAt.size() ||
                              (wanted.firstOwnTooLong == kNowhere && !sharedStrings.HasTooLong());
    ResolveSharedStrings(reads, sharedStrings, listComplete, textBudget);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        data.sheets.push_back({sheets[i].name, std::move(reads[i].cells), sheets[i].part, {}});
    }
    if (scope.activeSheetOnly) {
        data.activeSheet = 0;
    }
    return data;
}

}  // namespace stelvador
