#include "common/number_conversion.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the leading number in text (0 when there is none), sign included.
std::size_t leadingNumberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// strtod in the C locale, for the rare number that from_chars reports out of range: it tells a
// value too large (overflow) from one too small (which reads as 0 or a subnormal).
double parseOutOfRange(const std::string& number) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    errno = 0;
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
    if (std::isinf(value)) {
        throw RunTimeError(error::kOverflow, "Overflow");
    }
    return value;
}

}  // namespace

double ConvertCellText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) {
        ++start;
    }
    text.remove_prefix(start);
    const std::size_t length = leadingNumberLength(text);
    if (length == 0) {
        return 0.0;
    }
    std::string_view number = text.substr(0, length);
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        value = parseOutOfRange(std::string(number));
    } else if (ec != std::errc() || end != number.data() + number.size()) {
        return 0.0;
    }
    return negative ? -value : value;
}

}  // namespace stelvador
