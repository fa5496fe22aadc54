#pragma once

#include <zip.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace stelvador {

struct ZipPart {
    std::string name;
    std::string content;
    bool encrypted = false;
    int compressionLevel = 1;
};

// Writes a zip archive of the parts to path (test input of our own making).
inline void WriteZip(const std::filesystem::path& path, const std::vector<ZipPart>& parts) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        throw std::runtime_error("cannot create " + path.string());
    }
    for (const ZipPart& part : parts) {
        zip_source_t* source =
            zip_source_buffer(archive, part.content.data(), part.content.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, part.name.c_str(), source, ZIP_FL_OVERWRITE);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                                 static_cast<zip_uint32_t>(part.compressionLevel));
        if (part.encrypted) {
            zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256,
                                    "secret");
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot write " + path.string());
    }
}

// The parts of a one-sheet .xlsx whose sheet part holds the given XML.
inline std::vector<ZipPart> MinimalXlsxParts(std::string sheetXml) {
    return {
        {"[Content_Types].xml", "<Types/>"},
        {"_rels/.rels",
         R"(<Relationships><Relationship Id="r1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml",
         R"(<workbook xmlns:r="r"><sheets><sheet name="S" sheetId="1" r:id="rs"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships><Relationship Id="rs" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)"},
        {"xl/worksheets/sheet1.xml", std::move(sheetXml)},
    };
}

}  // namespace stelvador
