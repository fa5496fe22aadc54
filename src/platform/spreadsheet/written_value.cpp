#include "platform/spreadsheet/written_value.h"

#include <charconv>
#include <cmath>
#include <string>

namespace stelvador {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct NumberShape {
    bool grouped = false;
    std::size_t decimals = 0;
};

// Whether the text is [-]integer[.digits], the integer part plain digits or digits grouped in
// threes by commas, with no superfluous leading zero (".5" would show as "0.5": kept as text).
bool ReadsAsNumber(std::string_view text, NumberShape& shape) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        ++i;
    }
    const std::size_t integerStart = i;
    std::size_t digitsInGroup = 0;
    std::size_t integerDigits = 0;
    for (; i < text.size() && (IsDigit(text[i]) || text[i] == ','); ++i) {
        if (text[i] == ',') {
            // A comma needs one to three digits before it (the first group) or exactly three.
            if (digitsInGroup == 0 || (shape.grouped && digitsInGroup != 3) || digitsInGroup > 3) {
                return false;
            }
            shape.grouped = true;
            digitsInGroup = 0;
        } else {
            ++digitsInGroup;
            ++integerDigits;
        }
    }
    if (shape.grouped && digitsInGroup != 3) {
        return false;
    }
    if (integerDigits > 1 && text[integerStart] == '0') {
        return false;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        shape.decimals = i - fractionStart;
        if (shape.decimals == 0) {
            return false;
        }
    }
    return i == text.size() && integerDigits > 0;
}

std::string FormatFor(const NumberShape& shape) {
    std::string format = shape.grouped ? "#,##0" : "0";
    if (shape.decimals > 0) {
        format += '.';
        format.append(shape.decimals, '0');
    }
    return format;
}

}  // namespace

CellValue WrittenCellValue(std::string_view text) {
    CellValue value;
    value.text = std::string(text);
    NumberShape shape;
    if (text.empty() || !ReadsAsNumber(text, shape)) {
        return value;
    }
    std::string digits;
    digits.reserve(text.size());
    for (const char c : text) {
        if (c != ',') {
            digits += c;
        }
    }
    double number = 0.0;
    const auto [end, code] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (code != std::errc() || end != digits.data() + digits.size() || !std::isfinite(number) ||
        (number == 0.0 && std::signbit(number))) {
        return value;  // beyond a double, or a minus zero that no number shows: kept as text
    }
    value.kind = CellKind::Number;
    value.number = number;
    return value;
}

std::string WrittenNumberFormat(std::string_view text) {
    NumberShape shape;
    return ReadsAsNumber(text, shape) ? FormatFor(shape) : std::string();
}

}  // namespace stelvador
