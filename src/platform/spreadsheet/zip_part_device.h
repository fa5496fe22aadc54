#pragma once

#include <QIODevice>
#include <cstddef>
#include <string>

#include "platform/spreadsheet/xml_bounds.h"

struct zip_file;

namespace stelvador {

// One part of a zip archive, unpacked as it is read: the XML reader takes it a block at a time,
// so no part is ever held whole in memory, and a list bomb is refused after reading only as far
// as its list's limit. The bytes pass the XML bounds (xml_bounds.h) on their way. Unpacking
// past the part's allowance or the archive's remaining total, a damaged part or XML beyond its
// bounds ends the data; ThrowIfFailed then throws RunTimeError 321 whose reason says why.
class ZipPartDevice : public QIODevice {
  public:
    // Takes ownership of the open file. allowance is what the part may unpack to, and
    // allowanceWhat says what it is ("more than 128 MiB"); remaining is the archive's budget
    // shared by all parts, and totalWhat says what that is ("more than 256 MiB in all").
    ZipPartDevice(zip_file* file, std::string name, std::size_t allowance,
                  std::string allowanceWhat, std::size_t& remaining, std::string totalWhat);
    ~ZipPartDevice() override;
    ZipPartDevice(const ZipPartDevice&) = delete;
    ZipPartDevice& operator=(const ZipPartDevice&) = delete;

    bool isSequential() const override { return true; }
    void ThrowIfFailed() const;
    // When the data ended at a text longer than the XML bounds allow, takes that failure back
    // and says so: a reader that knows whose text it was refuses it as too long for a cell.
    bool TakeTextTooLong();

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    bool Unpack();

    zip_file* m_file;
    std::string m_name;
    std::size_t m_partLeft;
    std::string m_allowanceWhat;
    std::size_t& m_remaining;
    std::string m_totalWhat;
    XmlBoundsGuard m_guard;
    std::string m_filtered;  // bytes that passed the bounds, not yet read
    std::size_t m_filteredAt = 0;
    bool m_ended = false;
    std::string m_failure;
    bool m_textTooLong = false;
};

}  // namespace stelvador
