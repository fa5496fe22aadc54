#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace stelvador {

// A lexical view of the tags of a package part, for rewriting a few elements while every other
// byte stays as it was. The part has passed the XML bounds and been read once by the XML reader,
// so it is well-formed; comments, processing instructions and CDATA sections are stepped over.
struct XmlTag {
    std::size_t begin = 0;       // the '<'
    std::size_t end = 0;         // one past the '>'
    std::string_view prefix;     // "x" of <x:c>, or empty
    std::string_view localName;  // "c"
    bool closing = false;        // </c>
    bool empty = false;          // <c/>

    std::string_view text(std::string_view xml) const { return xml.substr(begin, end - begin); }
};

// The first start, end or empty-element tag at or after from; none at the end of the text.
std::optional<XmlTag> NextXmlTag(std::string_view xml, std::size_t from);

// The end of the element a start tag opens: one past its end tag, or the tag's own end when it
// is empty. The element's end when the text ends early is the text's end.
std::size_t XmlElementEnd(std::string_view xml, const XmlTag& start);

// Calls visit with the start tag and the end of each element of that local name, in order;
// what an element holds is not searched for more of them.
void ForEachXmlElement(std::string_view xml, std::string_view localName,
                       const std::function<void(const XmlTag& start, std::size_t end)>& visit);

// The raw value of the attribute with this qualified name in a tag's text (no entities undone).
std::optional<std::string_view> XmlAttribute(std::string_view tag, std::string_view name);

// The tag's text with the attribute set to the value (already escaped), added before the tag's
// end when it is absent.
std::string WithXmlAttribute(std::string_view tag, std::string_view name, std::string_view value);

// The tag's text without the attribute.
std::string WithoutXmlAttribute(std::string_view tag, std::string_view name);

// Text escaped for an element's content or an attribute value in double quotes.
std::string EscapeXml(std::string_view text);

// An attribute value with the five predefined entities and character references undone.
std::string UnescapeXml(std::string_view text);

// The qualified name of an element with the given prefix: "x:c", or "c" without one.
std::string QualifiedName(std::string_view prefix, std::string_view localName);

}  // namespace stelvador
