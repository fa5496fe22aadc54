#pragma once

namespace stelvador {

// Run-time error numbers, given by the meaning of the error message texts.
namespace error {
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kOutOfStringSpace = 14;
inline constexpr int kBadFileNameOrNumber = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kDeviceIoError = 57;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kInvalidFileFormat = 321;
inline constexpr int kObjectRequired = 424;
inline constexpr int kCantCreateObject = 429;
inline constexpr int kObjectDoesntSupportProperty = 438;
inline constexpr int kCantOpenClipboard = 521;
// The grid control's own numbers for a row or column index it does not have.
inline constexpr int kInvalidRowValue = 30009;
inline constexpr int kInvalidColValue = 30010;
// A data block the data file cannot carry (a double quote, a character outside Windows-1252).
inline constexpr int kUnsupportedCharacter = 30100;
}  // namespace error

}  // namespace stelvador
