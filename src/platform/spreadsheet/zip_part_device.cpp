#include "platform/spreadsheet/zip_part_device.h"

#include <zip.h>

#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

ZipPartDevice::ZipPartDevice(zip_file* file, std::string name, std::size_t partLimit,
                             std::size_t& remaining)
    : m_file(file), m_name(std::move(name)), m_partLeft(partLimit), m_remaining(remaining) {
    open(QIODevice::ReadOnly);
}

ZipPartDevice::~ZipPartDevice() {
    zip_fclose(m_file);
}

qint64 ZipPartDevice::readData(char* data, qint64 maxSize) {
    if (!m_failure.empty() || maxSize <= 0) {
        return m_failure.empty() ? 0 : -1;
    }
    const zip_int64_t got = zip_fread(m_file, data, static_cast<zip_uint64_t>(maxSize));
    if (got < 0) {
        m_failure = "The workbook's part " + m_name + " is damaged.";
        return -1;
    }
    const auto count = static_cast<std::size_t>(got);
    if (count > m_partLeft || count > m_remaining) {
        m_failure = "The workbook is larger than this program reads.";
        return -1;
    }
    m_partLeft -= count;
    m_remaining -= count;
    return got;
}

void ZipPartDevice::ThrowIfFailed() const {
    if (!m_failure.empty()) {
        throw RunTimeError(error::kInvalidFileFormat, m_failure);
    }
}

}  // namespace stelvador
