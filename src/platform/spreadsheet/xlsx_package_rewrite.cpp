#include "platform/spreadsheet/xlsx_package_rewrite.h"

#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

#include "common/error_message_tables.h"
#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "common/whole_file_writer.h"
#include "platform/spreadsheet/xlsx_cell_styles.h"
#include "platform/spreadsheet/xlsx_new_styles_part.h"
#include "platform/spreadsheet/xlsx_recalculation.h"
#include "platform/spreadsheet/xlsx_shared_formulas.h"
#include "platform/spreadsheet/xlsx_sheet_patch.h"
#include "platform/spreadsheet/zip_archive.h"

namespace stelvador {

namespace {

constexpr const char* kContentTypesPart = "[Content_Types].xml";

[[noreturn]] void FailRewrite(std::string reason) {
    throw RunTimeError(
        error::kPathFileAccessError,
        std::string(ErrorMessage(ErrorTable::Results, error::kPathFileAccessError).value_or("")),
        std::move(reason));
}

[[noreturn]] void FailZip(zip_error_t* error) {
    if (zip_error_code_zip(error) == ZIP_ER_MEMORY) {
        throw std::bad_alloc();
    }
    FailRewrite(std::string("The workbook's package cannot be rewritten: ") +
                zip_error_strerror(error) + ".");
}

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

struct Replacement {
    std::string part;
    std::string bytes;
    bool large = false;  // a worksheet, packed at a faster level than the others
    bool added = false;  // a part the package lacks
};

std::string DirectoryOf(const std::string& partName) {
    const std::size_t slash = partName.rfind('/');
    return slash == std::string::npos ? std::string() : partName.substr(0, slash + 1);
}

// The archive with the parts replaced and removed; every other entry's packed bytes are copied.
std::string Repack(std::string_view bytes, const std::vector<Replacement>& replaced,
                   const std::vector<std::string>& removed) {
    zip_error_t error;
    zip_error_init(&error);
    // A buffer source writes its result into memory of its own, sharing the leading parts that
    // stay as they were with the package read when they are most of it, and then frees that
    // memory as its own: it is given a copy it owns (malloc'd, freed by libzip).
    void* copy = std::malloc(std::max<std::size_t>(bytes.size(), 1));
    if (copy == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(copy, bytes.data(), bytes.size());
    zip_source_t* buffer = zip_source_buffer_create(copy, bytes.size(), 1, &error);
    if (buffer == nullptr) {
        FailZip(&error);  // the copy is not freed: libzip may have freed it already
    }
    zip_t* archive = zip_open_from_source(buffer, 0, &error);
    if (archive == nullptr) {
        zip_source_free(buffer);
        FailZip(&error);
    }
    // Kept after the archive closes, to read what was written.
    zip_source_keep(buffer);
    const std::unique_ptr<zip_source_t, SourceFree> result(buffer);
    const auto fail = [&] {
        zip_error_t failure;
        zip_error_init(&failure);
        zip_error_set(&failure, zip_error_code_zip(zip_get_error(archive)),
                      zip_error_code_system(zip_get_error(archive)));
        zip_discard(archive);
        FailZip(&failure);
    };
    for (const Replacement& replacement : replaced) {
        const zip_int64_t index = zip_name_locate(archive, replacement.part.c_str(), ZIP_FL_NOCASE);
        zip_source_t* part =
            zip_source_buffer(archive, replacement.bytes.data(), replacement.bytes.size(), 0);
        if (replacement.added) {
            if (index >= 0 || part == nullptr ||
                zip_file_add(archive, replacement.part.c_str(), part, ZIP_FL_ENC_UTF_8) < 0) {
                zip_source_free(part);
                fail();
            }
            continue;
        }
        if (index < 0 || part == nullptr) {
            zip_source_free(part);
            fail();
        }
        if (!replacement.large) {
            if (zip_file_replace(archive, static_cast<zip_uint64_t>(index), part, 0) != 0) {
                zip_source_free(part);
                fail();
            }
            continue;
        }
        // libzip packs an entry replaced in place at its slowest deflate level, which makes a
        // sheet of sent results take several times longer than the rest of the save; an entry
        // added anew takes the level asked for, and goes to the end of the archive, where the
        // order of parts means nothing to a reader.
        const std::string name = zip_get_name(archive, static_cast<zip_uint64_t>(index), 0);
        if (zip_delete(archive, static_cast<zip_uint64_t>(index)) != 0) {
            zip_source_free(part);
            fail();
        }
        const zip_int64_t added = zip_file_add(archive, name.c_str(), part, ZIP_FL_ENC_UTF_8);
        if (added < 0) {
            zip_source_free(part);
            fail();
        }
        if (zip_set_file_compression(archive, static_cast<zip_uint64_t>(added), ZIP_CM_DEFLATE,
                                     6) != 0) {
            fail();
        }
    }
    for (const std::string& name : removed) {
        const zip_int64_t index = zip_name_locate(archive, name.c_str(), ZIP_FL_NOCASE);
        if (index >= 0 && zip_delete(archive, static_cast<zip_uint64_t>(index)) != 0) {
            fail();
        }
    }
    if (zip_close(archive) != 0) {
        fail();
    }
    if (zip_source_open(buffer) != 0) {
        FailZip(zip_source_error(buffer));
    }
    std::string written;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) != 0) {
        written.reserve(static_cast<std::size_t>(stat.size));
    }
    char block[64 << 10];
    zip_int64_t got = 0;
    while ((got = zip_source_read(buffer, block, sizeof block)) > 0) {
        written.append(block, static_cast<std::size_t>(got));
    }
    if (got < 0) {
        zip_source_close(buffer);
        FailZip(zip_source_error(buffer));
    }
    zip_source_close(buffer);
    return written;
}

XlsxSource Rewrite(const XlsxSource& source, const std::vector<const SheetData*>& sheets) {
    ZipArchive archive(source.bytes, UnpackLimits{});
    const XlsxPackageParts& parts = source.parts;
    // Without a styles part, one is made for the formats of written numbers, where the package
    // has the relationships and content types to hold it.
    const bool newStylesPart = parts.styles.empty() && !parts.workbookRelationships.empty() &&
                               archive.Has(kContentTypesPart);
    CellStyles styles(newStylesPart          ? NewStylesPartXml()
                      : parts.styles.empty() ? std::string()
                                             : archive.ReadWhole(parts.styles));
    std::vector<Replacement> replaced;
    for (const SheetData* sheet : sheets) {
        if (sheet->writtenCells.empty() || sheet->partName.empty()) {
            continue;
        }
        std::vector<CellPatch> patches;
        patches.reserve(sheet->writtenCells.size());
        for (const auto& [row, column] : sheet->writtenCells) {
            patches.push_back({row, column, sheet->cells.Find(row, column)});
        }
        const std::string xml = WithOrphanedSharedFormulasResolved(
            archive.ReadWhole(sheet->partName), sheet->writtenCells);
        replaced.push_back({sheet->partName,
                            WithoutCachedFormulaValues(PatchSheetXml(xml, patches, styles)), true});
    }
    if (replaced.empty()) {
        return source;  // nothing written: the package as it was
    }
    // A formula on a sheet nobody wrote may read the written cells (through another sheet's
    // name, a defined name, a formula reading such a formula); a spreadsheet program that shows
    // stored values without recalculating would show the value it had before.
    for (const SheetData* sheet : sheets) {
        if (!sheet->writtenCells.empty() || sheet->partName.empty()) {
            continue;
        }
        const std::string xml = archive.ReadWhole(sheet->partName);
        std::string withoutValues = WithoutCachedFormulaValues(xml);
        if (withoutValues != xml) {
            replaced.push_back({sheet->partName, std::move(withoutValues), true});
        }
    }
    replaced.push_back(
        {parts.workbook, WithFullCalculationOnLoad(archive.ReadWhole(parts.workbook))});
    XlsxSource rewritten;
    rewritten.parts = parts;
    std::vector<std::string> removed;
    std::optional<std::string> relationships;
    std::optional<std::string> contentTypes;
    if (styles.Changed() && newStylesPart) {
        std::string name = DirectoryOf(parts.workbook) + "styles.xml";
        for (int number = 1; archive.Has(name); ++number) {
            name = DirectoryOf(parts.workbook) + "styles" + std::to_string(number) + ".xml";
        }
        replaced.push_back({name, styles.Xml(), false, true});
        relationships = WithStylesRelationship(archive.ReadWhole(parts.workbookRelationships),
                                               name.substr(DirectoryOf(parts.workbook).size()));
        contentTypes = WithStylesContentType(archive.ReadWhole(kContentTypesPart), name);
        rewritten.parts.styles = name;
    } else if (styles.Changed()) {
        replaced.push_back({parts.styles, styles.Xml()});
    }
    if (!parts.calculationChain.empty()) {
        removed.push_back(parts.calculationChain);
        if (!parts.workbookRelationships.empty()) {
            relationships = WithoutRelationshipsOfType(
                relationships ? *relationships : archive.ReadWhole(parts.workbookRelationships),
                "calcChain");
        }
        if (archive.Has(kContentTypesPart)) {
            contentTypes = WithoutContentTypeOverride(
                contentTypes ? *contentTypes : archive.ReadWhole(kContentTypesPart),
                parts.calculationChain);
        }
        rewritten.parts.calculationChain.clear();
    }
    if (relationships) {
        replaced.push_back({parts.workbookRelationships, std::move(*relationships)});
    }
    if (contentTypes) {
        replaced.push_back({kContentTypesPart, std::move(*contentTypes)});
    }
    rewritten.bytes = Repack(source.bytes, replaced, removed);
    return rewritten;
}

}  // namespace

XlsxSource RewriteXlsxPackage(const XlsxSource& source,
                              const std::vector<const SheetData*>& sheets) {
    try {
        return Rewrite(source, sheets);
    } catch (const std::bad_alloc&) {
        throw RunTimeError(
            error::kOutOfMemory,
            std::string(ErrorMessage(ErrorTable::Results, error::kOutOfMemory).value_or("")));
    } catch (const RunTimeError& failure) {
        if (failure.number() != error::kInvalidFileFormat) {
            throw;
        }
        // A part that cannot be read again as it was read at first: the package is no longer
        // what this program can rewrite.
        FailRewrite(failure.reason().empty() ? std::string(failure.what()) : failure.reason());
    }
}

XlsxSource WriteRewrittenXlsxPackage(const XlsxSource& source,
                                     const std::vector<const SheetData*>& sheets,
                                     const std::string& path) {
    XlsxSource rewritten = RewriteXlsxPackage(source, sheets);
    WriteWholeFile(path, rewritten.bytes);
    return rewritten;
}

}  // namespace stelvador
