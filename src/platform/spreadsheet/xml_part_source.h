#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <string_view>

namespace stelvador {

// XML text held elsewhere (no copy is made), handed to a stream reader as a device: the reader
// then takes and decodes it a block at a time, where given the whole text at once it would
// decode all of it to UTF-16 first (twice its size, for a part of up to the unpack limit).
class XmlPartSource {
  public:
    explicit XmlPartSource(std::string_view xml)
        : m_bytes(QByteArray::fromRawData(xml.data(), static_cast<qsizetype>(xml.size()))),
          m_buffer(&m_bytes) {
        m_buffer.open(QIODevice::ReadOnly);
    }
    XmlPartSource(const XmlPartSource&) = delete;
    XmlPartSource& operator=(const XmlPartSource&) = delete;

    QIODevice* device() { return &m_buffer; }

  private:
    QByteArray m_bytes;
    QBuffer m_buffer;
};

}  // namespace stelvador
