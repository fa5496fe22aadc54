#include "platform/spreadsheet/zip_part_device.h"

#include <zip.h>

#include <algorithm>
#include <cstring>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/workbook_refusal.h"

namespace stelvador {

namespace {

constexpr std::size_t kUnpackBlock = 64u << 10;

}  // namespace

ZipPartDevice::ZipPartDevice(zip_file* file, std::string name, std::size_t allowance,
                             std::string allowanceWhat, std::size_t& remaining,
                             std::string totalWhat)
    : m_file(file),
      m_name(std::move(name)),
      m_partLeft(allowance),
      m_allowanceWhat(std::move(allowanceWhat)),
      m_remaining(remaining),
      m_totalWhat(std::move(totalWhat)) {
    open(QIODevice::ReadOnly);
}

ZipPartDevice::~ZipPartDevice() {
    zip_fclose(m_file);
}

// Unpacks the next block through the bounds; false at the end of the part or on a failure.
bool ZipPartDevice::Unpack() {
    char block[kUnpackBlock];
    const zip_int64_t got = zip_fread(m_file, block, sizeof block);
    if (got < 0) {
        m_failure = DamagedReason("its part " + m_name + " cannot be unpacked");
        return false;
    }
    if (got == 0) {
        m_ended = true;
        return false;
    }
    const auto count = static_cast<std::size_t>(got);
    if (count > m_partLeft) {
        m_failure = TooMuchReason("its part " + m_name + " unpacks to " + m_allowanceWhat);
        return false;
    }
    if (count > m_remaining) {
        m_failure = TooMuchReason("its parts unpack to " + m_totalWhat);
        return false;
    }
    m_partLeft -= count;
    m_remaining -= count;
    m_filtered.erase(0, m_filteredAt);
    m_filteredAt = 0;
    if (!m_guard.Filter(std::string_view(block, count), m_filtered)) {
        m_failure = TooMuchReason("its part " + m_name + " holds " + m_guard.failure());
        m_textTooLong = m_guard.textTooLong();
        return m_filteredAt < m_filtered.size();  // what came before is read first
    }
    return true;
}

qint64 ZipPartDevice::readData(char* data, qint64 maxSize) {
    if (maxSize <= 0) {
        return 0;
    }
    while (m_filteredAt == m_filtered.size()) {
        if (!m_failure.empty()) {
            return -1;
        }
        if (m_ended || !Unpack()) {
            return m_failure.empty() ? 0 : -1;
        }
    }
    const std::size_t count =
        std::min(static_cast<std::size_t>(maxSize), m_filtered.size() - m_filteredAt);
    std::memcpy(data, m_filtered.data() + m_filteredAt, count);
    m_filteredAt += count;
    return static_cast<qint64>(count);
}

bool ZipPartDevice::TakeTextTooLong() {
    if (!m_textTooLong) {
        return false;
    }
    m_textTooLong = false;
    m_failure.clear();
    m_ended = true;
    return true;
}

void ZipPartDevice::ThrowIfFailed() const {
    if (!m_failure.empty()) {
        throw RunTimeError(error::kInvalidFileFormat, m_failure, m_failure);
    }
}

}  // namespace stelvador
