#include "platform/spreadsheet/xlsx_writer.h"

#include <xlsxwriter.h>

#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/written_value.h"

namespace stelvador {

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw RunTimeError(error::kPathFileAccessError, what);
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

}  // namespace

void WriteXlsxWorkbook(const std::vector<const SheetData*>& sheets, const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path temporary = target;
    temporary += ".saving";

    lxw_workbook_options options{};
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(temporary.string().c_str(), &options);
    if (workbook == nullptr) {
        Fail("Cannot write " + path);
    }
    DateFormats formats{workbook_add_format(workbook), workbook_add_format(workbook),
                        workbook_add_format(workbook)};
    format_set_num_format(formats.date, "yyyy-mm-dd");
    format_set_num_format(formats.time, "hh:mm:ss");
    format_set_num_format(formats.dateTime, "yyyy-mm-dd hh:mm:ss");

    NumberFormats numberFormats(workbook);
    std::string failure;
    std::set<std::string> takenNames;
    for (std::size_t index = 0; index < sheets.size() && failure.empty(); ++index) {
        const SheetData& data = *sheets[index];
        lxw_worksheet* sheet =
            workbook_add_worksheet(workbook, SheetNameFor(data.name, index, takenNames).c_str());
        if (sheet == nullptr) {
            failure = "Cannot add the sheet " + data.name;
            break;
        }
        data.cells.ForEach([&](int row, int column, const CellValue& value) {
            if (!failure.empty()) {
                return;
            }
            const lxw_error result = WriteCell(sheet, row, column, value, formats, numberFormats);
            if (result != LXW_NO_ERROR) {
                failure = std::string("Cannot write a cell: ") + lxw_strerror(result);
            }
        });
    }
    if (sheets.empty()) {
        workbook_add_worksheet(workbook, nullptr);
    }
    const lxw_error closed = workbook_close(workbook);
    std::error_code code;
    if (!failure.empty() || closed != LXW_NO_ERROR) {
        fs::remove(temporary, code);
        Fail(failure.empty() ? "Cannot write " + path + ": " + lxw_strerror(closed) : failure);
    }
    fs::rename(temporary, target, code);
    if (code) {
        fs::remove(temporary, code);
        Fail("Cannot write " + path);
    }
}

}  // namespace stelvador
