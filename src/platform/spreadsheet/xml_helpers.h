#pragma once

#include <QByteArray>
#include <QXmlStreamReader>
#include <string>
#include <string_view>

namespace stelvador {

// A stream reader over XML text held elsewhere (no copy is made).
inline QByteArray XmlBytes(std::string_view xml) {
    return QByteArray::fromRawData(xml.data(), static_cast<qsizetype>(xml.size()));
}

// The value of the attribute with this local name, whatever its namespace prefix.
inline QStringView AttributeValue(const QXmlStreamReader& reader, QStringView localName) {
    for (const QXmlStreamAttribute& attribute : reader.attributes()) {
        if (attribute.name() == localName) {
            return attribute.value();
        }
    }
    return {};
}

// Throws RunTimeError 321 naming the part when the reader met malformed XML.
void ThrowIfXmlError(const QXmlStreamReader& reader, std::string_view partName);

}  // namespace stelvador
