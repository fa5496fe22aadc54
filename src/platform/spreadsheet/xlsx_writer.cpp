#include "platform/spreadsheet/xlsx_writer.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "common/error_message_tables.h"
#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "common/whole_file_writer.h"
#include "platform/spreadsheet/silenced_standard_error.h"
#include "platform/spreadsheet/written_value.h"

namespace stelvador {

namespace {

// The number of a library failure: a failing file operation by its cause, so that a full disk
// reads "Disk full"; any other failure as a file that cannot be written.
int LibraryErrorNumber(lxw_error code, int cause) {
    switch (code) {
        case LXW_ERROR_MEMORY_MALLOC_FAILED:
            return error::kOutOfMemory;
        case LXW_ERROR_CREATING_XLSX_FILE:
        case LXW_ERROR_CREATING_TMPFILE:
        case LXW_ERROR_READING_TMPFILE:
        case LXW_ERROR_ZIP_FILE_OPERATION:
        case LXW_ERROR_ZIP_BAD_ZIP_FILE:
        case LXW_ERROR_ZIP_INTERNAL_ERROR:
        case LXW_ERROR_ZIP_FILE_ADD:
        case LXW_ERROR_ZIP_CLOSE:
            return cause != 0 ? FileErrorNumber(cause) : error::kPathFileAccessError;
        default:
            return error::kPathFileAccessError;
    }
}

// A failure of a file operation is told by its number alone; one of the workbook's content
// (a sheet or a cell the library refuses) carries the library's explanation as its reason.
[[noreturn]] void Fail(lxw_error code, int cause) {
    const int number = LibraryErrorNumber(code, cause);
    std::string description(ErrorMessage(ErrorTable::Results, number).value_or(""));
    const bool fileOperation = cause != 0 || code == LXW_ERROR_CREATING_XLSX_FILE;
    throw RunTimeError(number, std::move(description),
                       fileOperation ? std::string() : std::string(lxw_strerror(code)));
}

// A sheet name the format accepts: no []:*?/\, at most 31 characters, not empty, unique.
std::string SheetNameFor(const std::string& name, std::size_t index, std::set<std::string>& taken) {
    std::string result;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size() && characters < 31; ++characters) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(name[i]);
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        const std::string character = name.substr(i, length);
        result += character.find_first_of("[]:*?/\\") == std::string::npos ? character : "_";
        i += length;
    }
    while (!result.empty() && result.front() == '\'') {
        result.erase(0, 1);
    }
    while (!result.empty() && result.back() == '\'') {
        result.pop_back();
    }
    if (result.empty() || taken.contains(result)) {
        result = "Sheet" + std::to_string(index + 1);
        for (int extra = 2; taken.contains(result); ++extra) {
            result = "Sheet" + std::to_string(index + 1) + "_" + std::to_string(extra);
        }
    }
    taken.insert(result);
    return result;
}

struct DateFormats {
    lxw_format* date;
    lxw_format* time;
    lxw_format* dateTime;
};

// One format object per number format code the numbers use, made on first use. A number keeps
// the decimals and grouping of its text, so a number written as "1,234.500" shows so in the file.
class NumberFormats {
  public:
    explicit NumberFormats(lxw_workbook* workbook) : m_workbook(workbook) {}

    lxw_format* For(const std::string& code) {
        if (code.empty()) {
            return nullptr;
        }
        const auto found = m_formats.find(code);
        if (found != m_formats.end()) {
            return found->second;
        }
        lxw_format* format = workbook_add_format(m_workbook);
        format_set_num_format(format, code.c_str());
        m_formats.emplace(code, format);
        return format;
    }

  private:
    lxw_workbook* m_workbook;
    std::map<std::string, lxw_format*> m_formats;
};

lxw_format* FormatForDate(const std::string& text, const DateFormats& formats) {
    if (text.size() == 8 && text[2] == ':') {
        return formats.time;
    }
    return text.size() > 10 ? formats.dateTime : formats.date;
}

lxw_error WriteCell(lxw_worksheet* sheet, int row, int column, const CellValue& value,
                    const DateFormats& formats, NumberFormats& numberFormats) {
    const auto lxwRow = static_cast<lxw_row_t>(row - 1);
    const auto lxwColumn = static_cast<lxw_col_t>(column - 1);
    switch (value.kind) {
        case CellKind::Number:
            return worksheet_write_number(sheet, lxwRow, lxwColumn, value.number,
                                          numberFormats.For(WrittenNumberFormat(value.text)));
        case CellKind::Boolean:
            return worksheet_write_boolean(sheet, lxwRow, lxwColumn, value.number != 0.0, nullptr);
        case CellKind::Date:
            return worksheet_write_number(sheet, lxwRow, lxwColumn, value.number,
                                          FormatForDate(value.text, formats));
        case CellKind::Text:
        case CellKind::Error:
            break;
    }
    return worksheet_write_string(sheet, lxwRow, lxwColumn, value.text.c_str(), nullptr);
}

void WriteWorkbookWithLibrary(const std::vector<const SheetData*>& sheets,
                              const std::string& path) {
    lxw_workbook_options options{};
    options.use_zip64 = LXW_TRUE;
    // The library ignores a failed write into its own temporary files, so they go on the disk
    // the workbook goes to: a disk that runs full while they are written fails the write of
    // the workbook itself, which the library does report.
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) {
        folder = ".";
    }
    options.tmpdir = folder.data();
    lxw_workbook* workbook = workbook_new_opt(path.c_str(), &options);
    if (workbook == nullptr) {
        Fail(LXW_ERROR_MEMORY_MALLOC_FAILED, 0);
    }
    DateFormats formats{workbook_add_format(workbook), workbook_add_format(workbook),
                        workbook_add_format(workbook)};
    format_set_num_format(formats.date, "yyyy-mm-dd");
    format_set_num_format(formats.time, "hh:mm:ss");
    format_set_num_format(formats.dateTime, "yyyy-mm-dd hh:mm:ss");

    NumberFormats numberFormats(workbook);
    lxw_error failure = LXW_NO_ERROR;
    std::set<std::string> takenNames;
    for (std::size_t index = 0; index < sheets.size() && failure == LXW_NO_ERROR; ++index) {
        const SheetData& data = *sheets[index];
        lxw_worksheet* sheet =
            workbook_add_worksheet(workbook, SheetNameFor(data.name, index, takenNames).c_str());
        if (sheet == nullptr) {
            failure = LXW_ERROR_PARAMETER_VALIDATION;
            break;
        }
        data.cells.ForEach([&](int row, int column, const CellValue& value) {
            if (failure == LXW_NO_ERROR) {
                failure = WriteCell(sheet, row, column, value, formats, numberFormats);
            }
        });
    }
    if (sheets.empty()) {
        workbook_add_worksheet(workbook, nullptr);
    }
    // The cause of a failing file operation is read before anything else can change it.
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    const int cause = errno;
    if (failure != LXW_NO_ERROR) {
        Fail(failure, 0);
    }
    if (closed != LXW_NO_ERROR) {
        Fail(closed, cause);
    }
}

}  // namespace

void WriteXlsxWorkbook(const std::vector<const SheetData*>& sheets, const std::string& path) {
    // The library prints its own error lines; the code it returns is what is reported.
    const SilencedStandardError silenced;
    WriteWholeFileThrough(path, [&](const std::string& temporaryPath) {
        WriteWorkbookWithLibrary(sheets, temporaryPath);
    });
}

}  // namespace stelvador
