// The bounds on XML as it unpacks: how deep elements nest, how long one text or one piece of
// markup runs; what stays within them passes through unchanged, whatever the blocks it comes in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/spreadsheet/xml_bounds.h"

namespace stelvador {
namespace {

std::string Nested(std::size_t depth, const std::string& inner = {}) {
    std::string xml;
    for (std::size_t i = 0; i < depth; ++i) {
        xml += "<a x='>'>";
    }
    xml += inner;
    for (std::size_t i = 0; i < depth; ++i) {
        xml += "</a>";
    }
    return xml;
}

TEST(XmlBounds, PassesWhatStaysWithinAndRefusesWhatGoesBeyondSayingWhat) {
    const std::string longest(kMaxXmlTextBytes, 'x');
    const struct {
        const char* name;
        std::string xml;
        const char* failure;  // empty: passes whole
        bool textTooLong = false;
    } cases[] = {
        {"nested to the bound", Nested(kMaxXmlDepth), ""},
        {"one level deeper", Nested(kMaxXmlDepth + 1), "XML elements nested more than 256 deep"},
        {"empty elements do not nest",
         "<r>" + Nested(0) + std::string(1000, ' ') +
             [] {
                 std::string many;
                 for (int i = 0; i < 1000; ++i) {
                     many += "<c/>";
                 }
                 return many;
             }() +
             "</r>",
         ""},
        {"declaration, comment, instruction", "<?xml version='1.0'?><!-- <a><a> --><?pi <a>?><r/>",
         ""},
        {"text at the bound", "<t>" + longest + "</t>", ""},
        {"text beyond it", "<t>" + longest + "x</t>", "a text longer than 1 MiB", true},
        {"CDATA beyond it", "<t><![CDATA[" + longest + "x]]></t>", "a text longer than 1 MiB",
         true},
        {"CDATA holding markup", "<t><![CDATA[<a><a>]]]]></t>", ""},
        {"attribute beyond the markup bound", "<c v='" + longest + "'/>",
         "XML markup longer than 1048576 bytes"},
        {"document type", "<!DOCTYPE r [<!ENTITY e 'x'>]><r>&e;</r>",
         "a document type declaration"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::size_t block : {std::size_t{1} << 16, std::size_t{7}}) {
            if (block == 7 && c.xml.size() > 100000) {
                continue;
            }
            XmlBoundsGuard guard;
            std::string out;
            bool passed = true;
            for (std::size_t at = 0; at < c.xml.size() && passed; at += block) {
                passed = guard.Filter(std::string_view(c.xml).substr(at, block), out);
            }
            EXPECT_EQ(guard.failure(), c.failure);
            EXPECT_EQ(passed, std::string(c.failure).empty());
            EXPECT_EQ(guard.textTooLong(), c.textTooLong);
            if (passed) {
                EXPECT_EQ(out, c.xml);
            }
        }
    }
}

}  // namespace
}  // namespace stelvador
