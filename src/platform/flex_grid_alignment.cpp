#include "platform/flex_grid_alignment.h"

namespace stelvador {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool LooksNumeric(std::string_view text) {
    std::size_t i = 0;
    std::size_t end = text.size();
    while (i < end && isBlank(text[i])) {
        ++i;
    }
    while (end > i && isBlank(text[end - 1])) {
        --end;
    }
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    bool digits = false;
    while (i < end && (isDigit(text[i]) || (digits && text[i] == ','))) {
        digits = true;
        ++i;
    }
    if (i < end && text[i] == '.') {
        ++i;
        while (i < end && isDigit(text[i])) {
            digits = true;
            ++i;
        }
    }
    if (!digits) {
        return false;
    }
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        bool exponentDigits = false;
        while (i < end && isDigit(text[i])) {
            exponentDigits = true;
            ++i;
        }
        if (!exponentDigits) {
            return false;
        }
    }
    return i == end;
}

Qt::Alignment ToQtAlignment(int gridAlignment, std::string_view text) {
    switch (gridAlignment) {
        case 1:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case 2:
            return Qt::AlignLeft | Qt::AlignBottom;
        case 3:
            return Qt::AlignHCenter | Qt::AlignTop;
        case 4:
            return Qt::AlignCenter;
        case 5:
            return Qt::AlignHCenter | Qt::AlignBottom;
        case 6:
            return Qt::AlignRight | Qt::AlignTop;
        case 7:
            return Qt::AlignRight | Qt::AlignVCenter;
        case 8:
            return Qt::AlignRight | Qt::AlignBottom;
        default:
            return (LooksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
}

}  // namespace stelvador
