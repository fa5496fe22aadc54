#pragma once

#include <string>
#include <string_view>

namespace stelvador {

// The text a number reads as: its shortest decimal form that reads back as the same double
// ("38.65042", "23", "-0.0091"); minus zero reads "0".
std::string NumberToText(double value);

// Which parts of a date and time a number format shows.
enum class DateTimeKind { None, Date, Time, DateTime };

// A serial day number (day 1 = 1900-01-01, with the 1900 system's day 60 = 1900-02-29, or
// day 0 = 1904-01-01 in the 1904 system) as an ISO text: "2024-03-15", "13:45:00" or
// "2024-03-15 13:45:00". A serial outside the years 1900 (1904) to 9999 reads as a number.
std::string SerialDateToText(double serial, DateTimeKind kind, bool date1904);

// The text of a cell that stores its date as an ISO text ("2024-03-15T13:45:00"): the date
// alone at midnight ("2024-03-15"), else the date and the time as the other dates read
// ("2024-03-15 13:45:00"); a text that is no such date stays as it is.
std::string IsoDateText(std::string_view stored);

// Serial day number (1900 system) to the 1900 system when the workbook counts from 1904.
double SerialTo1900System(double serial, bool date1904);

}  // namespace stelvador
