#include "platform/spreadsheet/zip_archive.h"

#include <zip.h>

#include <new>

#include "platform/spreadsheet/workbook_refusal.h"

namespace stelvador {

namespace {

// "128 MiB", or the bytes of a limit below a mebibyte.
std::string MiB(std::size_t bytes) {
    return bytes >= (1u << 20) ? std::to_string(bytes >> 20) + " MiB"
                               : std::to_string(bytes) + " bytes";
}

}  // namespace

void ZipArchive::Closer::operator()(zip* archive) const {
    zip_discard(archive);
}

ZipArchive::ZipArchive(std::string_view bytes, const UnpackLimits& limits)
    : m_limits(limits),
      m_remaining(limits.totalBytes),
      m_totalWhat("more than " + MiB(limits.totalBytes) + " in all") {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source == nullptr) {
        zip_error_fini(&error);
        throw std::bad_alloc();
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    const int code = zip_error_code_zip(&error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(source);
        if (code == ZIP_ER_NOZIP) {
            RefuseNotAWorkbook();
        }
        RefuseDamaged("its zip directory cannot be read");
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
        RefuseDamaged("it lacks its part " + name);
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_COMP_SIZE) == 0) {
        RefuseDamaged("its part " + name + " cannot be unpacked");
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE) {
        RefusePasswordProtected();
    }
    zip_file_t* file = zip_fopen_index(m_archive.get(), static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
        RefuseDamaged("its part " + name + " cannot be unpacked");
    }
    const std::size_t byRatio = m_limits.ratio > SIZE_MAX / 2 / (stat.comp_size + 1)
                                    ? SIZE_MAX
                                    : m_limits.freeBytes + m_limits.ratio * stat.comp_size;
    if (byRatio < m_limits.partBytes) {
        return std::make_unique<ZipPartDevice>(
            file, name, byRatio,
            "more than " + std::to_string(m_limits.ratio) + " times its packed size", m_remaining,
            m_totalWhat);
    }
    return std::make_unique<ZipPartDevice>(file, name, m_limits.partBytes,
                                           "more than " + MiB(m_limits.partBytes), m_remaining,
                                           m_totalWhat);
}

std::string ZipArchive::ReadWhole(const std::string& name) {
    const std::unique_ptr<ZipPartDevice> part = Open(name);
    const QByteArray bytes = part->readAll();
    part->ThrowIfFailed();
    return bytes.toStdString();
}

}  // namespace stelvador
