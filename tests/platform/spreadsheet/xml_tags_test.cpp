// The lexical view of a part's tags that the rewrite of a few elements works on.
#include "platform/spreadsheet/xml_tags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stelvador {
namespace {

// The tags of a text as "<name", "</name" or "<name/", in order.
std::vector<std::string> TagsOf(std::string_view xml) {
    std::vector<std::string> tags;
    std::size_t from = 0;
    while (const auto tag = NextXmlTag(xml, from)) {
        const std::string name = QualifiedName(tag->prefix, tag->localName);
        tags.push_back(tag->closing ? "</" + name : tag->empty ? "<" + name + "/" : "<" + name);
        from = tag->end;
    }
    return tags;
}

TEST(XmlTags, StepsOverCommentsInstructionsCdataAndQuotedBrackets) {
    EXPECT_EQ(TagsOf("<?xml version=\"1.0\"?><!-- <x> --><a b='>'><x:c d=\"/>\"/>"
                     "<![CDATA[<y>]]></a>"),
              (std::vector<std::string>{"<a", "<x:c/", "</a"}));
}

TEST(XmlTags, AnElementEndsAfterItsOwnEndTag) {
    const std::string xml = "<r><c><f>1</f><c/></c><c/></r>";
    const auto cell = NextXmlTag(xml, 3);
    ASSERT_TRUE(cell);
    EXPECT_EQ(xml.substr(cell->begin, XmlElementEnd(xml, *cell) - cell->begin),
              "<c><f>1</f><c/></c>");
}

TEST(XmlTags, AttributesAreReadSetAndRemoved) {
    const std::string tag = "<c r=\"A1\" s='3' xr:s=\"9\"/>";
    EXPECT_EQ(XmlAttribute(tag, "s").value_or("none"), "3");
    EXPECT_EQ(XmlAttribute(tag, "xr:s").value_or("none"), "9");
    EXPECT_FALSE(XmlAttribute(tag, "t"));
    EXPECT_EQ(WithXmlAttribute(tag, "s", "4"), "<c r=\"A1\" s='4' xr:s=\"9\"/>");
    EXPECT_EQ(WithXmlAttribute(tag, "t", "n"), "<c r=\"A1\" s='3' xr:s=\"9\" t=\"n\"/>");
    EXPECT_EQ(WithXmlAttribute("<row r=\"1\" >", "spans", "1:2"), "<row r=\"1\" spans=\"1:2\" >");
    EXPECT_EQ(WithoutXmlAttribute(tag, "s"), "<c r=\"A1\" xr:s=\"9\"/>");
}

TEST(XmlTags, TextsAreEscapedAndUnescaped) {
    EXPECT_EQ(EscapeXml("a<b>&\"c\"\r"), "a&lt;b&gt;&amp;&quot;c&quot;&#13;");
    EXPECT_EQ(UnescapeXml("&quot;x&quot;&amp;&lt;&#65;&#x42;&#x2013;&bogus;&"),
              "\"x\"&<AB\u2013&bogus;&");
}

}  // namespace
}  // namespace stelvador
