#include "platform/spreadsheet/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <array>

#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw RunTimeError(error::kInvalidFileFormat, what);
}

struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

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

std::string ZipArchive::Read(const std::string& name) {
    const zip_int64_t index = zip_name_locate(m_archive.get(), name.c_str(), ZIP_FL_NOCASE);
    if (index < 0) {
        Fail("The workbook lacks its part " + name + ".");
    }
    std::unique_ptr<zip_file_t, FileCloser> file(
        zip_fopen_index(m_archive.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file) {
        Fail("The workbook's part " + name + " cannot be unpacked (damaged or encrypted).");
    }
    std::string content;
    // Room for the size the archive states, within the part limit: no regrowth (and copy) of a
    // large part as it is unpacked. A wrong statement only costs a regrowth or unused room.
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive.get(), static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) != 0) {
        content.reserve(static_cast<std::size_t>(
            std::min<zip_uint64_t>(stat.size, std::min(m_partLimit, m_remaining))));
    }
    std::array<char, 65536> buffer{};
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            Fail("The workbook's part " + name + " is damaged.");
        }
        if (got == 0) {
            break;
        }
        const auto count = static_cast<std::size_t>(got);
        if (content.size() + count > m_partLimit || count > m_remaining) {
            Fail("The workbook is larger than this program reads.");
        }
        m_remaining -= count;
        content.append(buffer.data(), count);
    }
    return content;
}

}  // namespace stelvador
