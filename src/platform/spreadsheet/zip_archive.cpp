#include "platform/spreadsheet/zip_archive.h"

#include <zip.h>
#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw RunTimeError(error::kInvalidFileFormat, what);
}

}  // namespace

void ZipArchive::Closer::operator()(zip* archive) const {
    zip_discard(archive);
}

ZipArchive::ZipArchive(std::string_view bytes, std::size_t partLimit, std::size_t totalLimit)
    : m_partLimit(partLimit), m_remaining(totalLimit) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        Fail("The workbook cannot be read.");
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(source);
        Fail("The file is not a workbook, or it is damaged.");
    }
    m_archive.reset(archive);
}

ZipArchive::~ZipArchive() = default;

bool ZipArchive::Has(const std::string& name) const {
    return zip_name_locate(m_archive.get(), name.c_str(), ZIP_FL_NOCASE) >= 0;
}

std::unique_ptr<ZipPartDevice> ZipArchive::Open(const std::string& name) {
    const zip_int64_t index = zip_name_locate(m_archive.get(), name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) {
        Fail("The workbook lacks its part " + name + ".");
    }
    zip_file_t* file = zip_fopen_index(m_archive.get(), static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        Fail("The workbook's part " + name + " cannot be unpacked (damaged or encrypted).");
    }
    return std::make_unique<ZipPartDevice>(file, name, m_partLimit, m_remaining);
}

}  // namespace stelvador
