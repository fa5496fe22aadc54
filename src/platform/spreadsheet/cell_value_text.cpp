#include "platform/spreadsheet/cell_value_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace stelvador {

namespace {

constexpr double kSecondsPerDay = 86400.0;
// 9999-12-31 in the 1900 system: the last day a workbook can show.
constexpr double kLastSerial = 2958465.0;

struct CivilDate {
    long long year;
    unsigned month;
    unsigned day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil_from_days).
CivilDate CivilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthIndex = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const unsigned month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const long long year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

std::string DatePart(long long serialDay) {
    // 1900-02-29 does not exist, but the 1900 system counts it as day 60.
    if (serialDay == 60) {
        return "1900-02-29";
    }
    // Day 0 is 1899-12-31; from day 61 on, the phantom day shifts the count by one.
    constexpr long long kDay0From1970 = -25568;
    const long long days = kDay0From1970 + serialDay - (serialDay > 60 ? 1 : 0);
    const CivilDate date = CivilFromDays(days);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%04lld-%02u-%02u", date.year, date.month, date.day);
    return text.data();
}

std::string TimePart(long long secondsOfDay) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02lld:%02lld:%02lld", secondsOfDay / 3600,
                  secondsOfDay / 60 % 60, secondsOfDay % 60);
    return text.data();
}

}  // namespace

std::string NumberToText(double value) {
    if (value == 0.0) {
        return "0";
    }
    std::array<char, 64> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

std::string IsoDateText(std::string_view stored) {
    const auto digits = [&](std::size_t from, std::size_t count) {
        if (stored.size() < from + count) {
            return false;
        }
        for (std::size_t i = from; i < from + count; ++i) {
            if (stored[i] < '0' || stored[i] > '9') {
                return false;
            }
        }
        return true;
    };
    // YYYY-MM-DD, then THH:MM:SS (or THH:MM) with any fraction of a second and zone after it.
    if (!digits(0, 4) || stored.size() < 10 || stored[4] != '-' || !digits(5, 2) ||
        stored[7] != '-' || !digits(8, 2)) {
        return std::string(stored);
    }
    const std::string date(stored.substr(0, 10));
    if (stored.size() == 10) {
        return date;
    }
    if (stored[10] != 'T' || !digits(11, 2) || stored.size() < 16 || stored[13] != ':' ||
        !digits(14, 2)) {
        return std::string(stored);
    }
    std::string time = std::string(stored.substr(11, 5)) + ":00";
    std::size_t at = 16;
    if (stored.size() >= 19 && stored[16] == ':' && digits(17, 2)) {
        time = std::string(stored.substr(11, 8));
        at = 19;
    }
    bool fractionZero = true;
    if (at < stored.size() && stored[at] == '.') {
        for (++at; at < stored.size() && stored[at] >= '0' && stored[at] <= '9'; ++at) {
            fractionZero = fractionZero && stored[at] == '0';
        }
    }
    const std::string_view zone = stored.substr(at);
    if (!fractionZero || !(zone.empty() || zone == "Z")) {
        return std::string(stored);  // more than this form says: kept as the file has it
    }
    return time == "00:00:00" ? date : date + " " + time;
}

double SerialTo1900System(double serial, bool date1904) {
    // 1904-01-01 is day 1462 of the 1900 system.
    return date1904 ? serial + 1462.0 : serial;
}

std::string SerialDateToText(double serial, DateTimeKind kind, bool date1904) {
    const double serial1900 = SerialTo1900System(serial, date1904);
    if (kind == DateTimeKind::None || !std::isfinite(serial1900) || serial1900 < 0.0 ||
        serial1900 >= kLastSerial + 1.0) {
        return NumberToText(serial);
    }
    const long long totalSeconds = std::llround(serial1900 * kSecondsPerDay);
    const long long day = totalSeconds / 86400;
    const long long secondsOfDay = totalSeconds % 86400;
    if (kind == DateTimeKind::Time && day == 0) {
        return TimePart(secondsOfDay);
    }
    if (kind == DateTimeKind::Date) {
        return DatePart(day);
    }
    return DatePart(day) + " " + TimePart(secondsOfDay);
}

}  // namespace stelvador
