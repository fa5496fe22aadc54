#include "platform/spreadsheet/number_format_kind.h"

#include <cctype>

namespace stelvador {

DateTimeKind BuiltInFormatKind(int numFmtId) {
    if ((numFmtId >= 14 && numFmtId <= 17) || (numFmtId >= 27 && numFmtId <= 31) ||
        (numFmtId >= 34 && numFmtId <= 36) || (numFmtId >= 50 && numFmtId <= 58)) {
        return DateTimeKind::Date;
    }
    if ((numFmtId >= 18 && numFmtId <= 21) || (numFmtId >= 32 && numFmtId <= 33) ||
        (numFmtId >= 45 && numFmtId <= 47)) {
        return DateTimeKind::Time;
    }
    if (numFmtId == 22) {
        return DateTimeKind::DateTime;
    }
    return DateTimeKind::None;
}

DateTimeKind FormatCodeKind(std::string_view formatCode) {
    bool hasDate = false;
    bool hasTime = false;
    for (std::size_t i = 0; i < formatCode.size(); ++i) {
        const char ch = formatCode[i];
        if (ch == ';') {
            break;  // only the first section (positive numbers) decides
        }
        if (ch == '"') {
            const std::size_t end = formatCode.find('"', i + 1);
            if (end == std::string_view::npos) {
                break;
            }
            i = end;
            continue;
        }
        if (ch == '\\' || ch == '_' || ch == '*') {
            ++i;  // the next character is shown literally, or is a padding character
            continue;
        }
        if (ch == '[') {
            const std::size_t end = formatCode.find(']', i + 1);
            if (end == std::string_view::npos) {
                break;
            }
            // [h], [mm], [ss]: elapsed time; anything else ([Red], [$-409]) is no date part.
            const std::string_view inside = formatCode.substr(i + 1, end - i - 1);
            if (!inside.empty()) {
                const char first = static_cast<char>(std::tolower(inside.front()));
                if (inside.find_first_not_of(inside.front()) == std::string_view::npos &&
                    (first == 'h' || first == 'm' || first == 's')) {
                    hasTime = true;
                }
            }
            i = end;
            continue;
        }
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (lower == 'y' || lower == 'd') {
            hasDate = true;
        } else if (lower == 'h' || lower == 's') {
            hasTime = true;
        } else if (lower == 'e' && i + 1 < formatCode.size() &&
                   std::tolower(static_cast<unsigned char>(formatCode[i + 1])) == 'e') {
            hasDate = true;  // "ee": the year of an era
        }
    }
    if (hasDate && hasTime) {
        return DateTimeKind::DateTime;
    }
    if (hasDate) {
        return DateTimeKind::Date;
    }
    if (hasTime) {
        return DateTimeKind::Time;
    }
    return DateTimeKind::None;
}

}  // namespace stelvador
