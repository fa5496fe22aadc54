#include "platform/spreadsheet/workbook_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/workbook_refusal.h"
#include "platform/spreadsheet/xls_reader_process.h"
#include "platform/spreadsheet/xlsx_reader.h"

namespace stelvador {

namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kEmptyZipSignature = "PK\x05\x06";
constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// An encrypted .xlsx is a compound file holding a stream named "EncryptedPackage".
bool HoldsEncryptedPackage(std::string_view bytes) {
    static constexpr std::string_view kName = "EncryptedPackage";
    std::string utf16;
    for (const char ch : kName) {
        utf16 += ch;
        utf16 += '\0';
    }
    return bytes.find(utf16) != std::string_view::npos;
}

std::string ReadWholeFile(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code code;
    const fs::path file(path);
    const fs::file_status status = fs::status(file, code);
    if (!fs::exists(status)) {
        const fs::path parent = file.parent_path();
        if (!parent.empty() && !fs::is_directory(parent, code)) {
            throw RunTimeError(error::kPathNotFound, "Path not found: " + path);
        }
        throw RunTimeError(error::kFileNotFound, "File not found: " + path);
    }
    if (!fs::is_regular_file(status)) {
        throw RunTimeError(error::kPathFileAccessError, "Not a file: " + path);
    }
    const auto size = fs::file_size(file, code);
    if (code) {
        throw RunTimeError(error::kPathFileAccessError, "Cannot read " + path);
    }
    if (size > kMaxWorkbookFileBytes) {
        RefuseTooMuch("the file is larger than " + std::to_string(kMaxWorkbookFileBytes >> 20) +
                      " MiB");
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        throw RunTimeError(error::kPathFileAccessError, "Cannot read " + path);
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    return bytes;
}

}  // namespace

WorkbookData ReadWorkbookBytes(std::string_view bytes, const std::string& path,
                               const WorkbookReadScope& scope) {
    if (bytes.starts_with(kZipSignature) || bytes.starts_with(kEmptyZipSignature)) {
        return ReadXlsxWorkbook(bytes, XlsxLimits{}, scope);
    }
    if (bytes.starts_with(kCompoundFileSignature)) {
        if (HoldsEncryptedPackage(bytes)) {
            RefusePasswordProtected();
        }
        return ReadXlsWorkbook(path, scope);
    }
    RefuseNotAWorkbook();
}

WorkbookData ReadWorkbookFile(const std::string& path, const WorkbookReadScope& scope) {
    if (path.empty()) {
        throw RunTimeError(error::kBadFileNameOrNumber, "No workbook name was given.");
    }
    auto source = std::make_shared<XlsxSource>();
    source->bytes = ReadWholeFile(path);
    WorkbookData data = ReadWorkbookBytes(source->bytes, path, scope);
    // A workbook read whole from an .xlsx package keeps it, for a save that rewrites only the
    // cells written.
    const bool whole = !scope.activeSheetOnly && scope.lastRow == kMaxSheetRows &&
                       scope.lastColumn == kMaxSheetColumns;
    if (whole && !data.xlsxParts.workbook.empty()) {
        source->parts = data.xlsxParts;
        data.xlsxSource = std::move(source);
    }
    return data;
}

bool HasXlsxExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return extension == ".xlsx";
}

}  // namespace stelvador
