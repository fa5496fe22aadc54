#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stelvador {

// The cell formats of a workbook's styles part, to give a rewritten number cell the number
// format it is shown with while it keeps the rest of its cell's style (font, fill, borders,
// alignment). A format the part lacks is added: a copy of the cell's format entry with the
// number format changed, and the number format itself where it is no built-in one. Everything
// else in the part stays as it was.
class CellStyles {
  public:
    // From the styles part's XML; an empty text is a workbook without one (every cell general).
    explicit CellStyles(std::string xml);

    // The style index (a cell's s attribute) that is the given style with this number format
    // code; the style itself when it already shows that format. The general format ("") keeps
    // the style. Without a styles part, the style stays as it is.
    int WithNumberFormat(int style, const std::string& formatCode);

    bool Changed() const { return !m_addedFormats.empty() || !m_addedStyles.empty(); }
    // The styles part with what was added.
    std::string Xml() const;

  private:
    std::string FormatCodeOf(int numFmtId) const;
    int NumberFormatIdFor(const std::string& formatCode);

    std::string m_xml;
    // The cellXfs entries as they stand in the part: where each xf element lies, and its
    // number format.
    struct StyleEntry {
        std::size_t begin;
        std::size_t end;
        int numFmtId;
    };
    std::vector<StyleEntry> m_styles;
    std::map<int, std::string> m_customFormats;  // numFmtId -> format code
    int m_highestFormatId = 0;                   // of every number format in the part
    // Where a list's start tag lies and where its end tag begins (for an empty-element tag,
    // where it ends); begin is npos when the part has no such list.
    struct ListPlace {
        std::size_t begin = std::string::npos;
        std::size_t startEnd = 0;
        std::size_t endTag = 0;
        bool empty = false;
    };
    ListPlace m_styleList;            // cellXfs
    ListPlace m_formatList;           // numFmts
    std::size_t m_sheetStartEnd = 0;  // the end of the styleSheet start tag
    std::string m_prefix;
    std::vector<std::string> m_addedFormats;  // numFmt elements to add
    std::vector<std::string> m_addedStyles;   // xf elements to add
    std::map<std::pair<int, std::string>, int> m_made;
};

}  // namespace stelvador
