#include "platform/spreadsheet/xlsx_reader.h"

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/xlsx_parts.h"
#include "platform/spreadsheet/xlsx_sheet_reader.h"
#include "platform/spreadsheet/zip_archive.h"

namespace stelvador {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw RunTimeError(error::kInvalidFileFormat, what);
}

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
    Fail("The file is not a workbook: it has no workbook part.");
}

}  // namespace

WorkbookData ReadXlsxWorkbook(std::string_view bytes, const XlsxLimits& limits) {
    ZipArchive archive(bytes, limits.partBytes, limits.totalBytes);
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

    SharedStrings sharedStrings;
    std::vector<DateTimeKind> formatKinds;
    for (const auto& [id, relationship] : relationships) {
        if (relationship.type == "sharedStrings" && archive.Has(relationship.target)) {
            sharedStrings = ReadPart(archive, relationship.target, [&](QIODevice& xml) {
                return ReadSharedStrings(xml, limits.sharedStrings);
            });
        } else if (relationship.type == "styles" && archive.Has(relationship.target)) {
            formatKinds = ReadPart(archive, relationship.target, [&](QIODevice& xml) {
                return ReadCellFormatKinds(xml, limits.cellFormats, limits.numberFormats);
            });
        }
    }

    WorkbookData data;
    data.activeSheet = -1;
    std::size_t cellBudget = limits.cells;
    std::size_t textBudget = limits.textBytes;
    const SheetReadContext context{sharedStrings, formatKinds, workbook.date1904, cellBudget,
                                   textBudget};
    for (std::size_t tab = 0; tab < workbook.sheets.size(); ++tab) {
        const SheetEntry& entry = workbook.sheets[tab];
        const auto relationship = relationships.find(entry.relationshipId);
        if (relationship == relationships.end()) {
            Fail("The workbook names a sheet it does not hold.");
        }
        if (relationship->second.type != "worksheet") {
            continue;  // chart sheets and dialog sheets hold no cells
        }
        if (static_cast<int>(tab) == workbook.activeTab) {
            data.activeSheet = static_cast<int>(data.sheets.size());
        }
        SheetData sheet;
        sheet.name = entry.name;
        sheet.cells = ReadPart(archive, relationship->second.target,
                               [&](QIODevice& xml) { return ReadXlsxSheet(xml, context); });
        data.sheets.push_back(std::move(sheet));
    }
    if (data.sheets.empty()) {
        Fail("The workbook holds no worksheet.");
    }
    if (workbook.activeTab >= static_cast<int>(workbook.sheets.size())) {
        data.activeSheet = 0;
    }
    return data;
}

}  // namespace stelvador
