#include "common/number_conversion.h"

#include <locale.h>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/error_numbers.h"
#include "common/run_time_error.h"

namespace stelvador {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

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

// The usual cell, "37.50" or "-0.25": an optional sign, at most 15 digits with at most one full
// stop, then the end of the text or a character that cannot continue the number. Its digits as a
// whole number and the power of ten of its decimals are both exact doubles, so their quotient is
// the correctly rounded value, the very value from_chars gives. false for any other text.
bool readPlainDecimal(std::string_view text, double& value) {
    static constexpr std::array<double, 16> kPowersOfTen = {
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const char* p = text.data();
    const char* const end = p + text.size();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Counts come from the pointer's advance, so the digit loops only accumulate.
    std::uint64_t digits = 0;
    const char* const firstDigit = p;
    unsigned digit = 0;
    while (p != end && (digit = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9) {
        digits = digits * 10 + digit;
        ++p;
    }
    std::ptrdiff_t decimals = 0;
    std::ptrdiff_t digitCount = p - firstDigit;
    if (p != end && *p == '.') {
        ++p;
        const char* const firstDecimal = p;
        while (p != end && (digit = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9) {
            digits = digits * 10 + digit;
            ++p;
        }
        decimals = p - firstDecimal;
        digitCount += decimals;
    }
    // More than 15 digits could overflow the exact range; an exponent needs the full reading.
    if (digitCount == 0 || digitCount > 15 || (p != end && (*p == 'E' || *p == 'e'))) {
        return false;
    }
    const double magnitude =
        static_cast<double>(digits) / kPowersOfTen[static_cast<std::size_t>(decimals)];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

double ConvertNonEmptyCellText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) {
        ++start;
    }
    text.remove_prefix(start);
    double plain = 0.0;
    if (readPlainDecimal(text, plain)) {
        return plain;
    }
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
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        value = parseOutOfRange(std::string(number));
    } else if (ec != std::errc() || end != number.data() + number.size()) {
        return 0.0;
    }
    return negative ? -value : value;
}

}  // namespace stelvador
