#pragma once

#include <QIODevice>
#include <cstddef>
#include <string>

struct zip_file;

namespace stelvador {

// One part of a zip archive, unpacked as it is read: the XML reader takes it a block at a time,
// so no part is ever held whole in memory, and a list bomb is refused after reading only as far
// as its list's limit. Reading past the part limit or the archive's remaining total, or a
// damaged part, ends the data; ThrowIfFailed then throws RunTimeError 321 saying why.
class ZipPartDevice : public QIODevice {
  public:
    // Takes ownership of the open file. remaining is the archive's budget shared by all parts.
    ZipPartDevice(zip_file* file, std::string name, std::size_t partLimit, std::size_t& remaining);
    ~ZipPartDevice() override;
    ZipPartDevice(const ZipPartDevice&) = delete;
    ZipPartDevice& operator=(const ZipPartDevice&) = delete;

    bool isSequential() const override { return true; }
    void ThrowIfFailed() const;

  protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    zip_file* m_file;
    std::string m_name;
    std::size_t m_partLeft;
    std::size_t& m_remaining;
    std::string m_failure;
};

}  // namespace stelvador
