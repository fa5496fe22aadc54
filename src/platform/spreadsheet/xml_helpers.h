#pragma once

#include <QXmlStreamReader>
#include <string>
#include <string_view>

namespace stelvador {

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
