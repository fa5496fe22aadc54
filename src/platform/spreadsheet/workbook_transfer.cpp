#include "platform/spreadsheet/workbook_transfer.h"

#include <cstdint>
#include <cstring>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/workbook_refusal.h"

namespace stelvador {

namespace {

constexpr char kWorkbookMark = 'W';
constexpr char kFailureMark = 'E';

[[noreturn]] void FailDamaged() {
    RefuseDamaged("the .xls reader could not read it");
}

template <typename Number>
void Put(std::string& out, Number value) {
    char bytes[sizeof(Number)];
    std::memcpy(bytes, &value, sizeof(Number));
    out.append(bytes, sizeof(Number));
}

void PutText(std::string& out, const std::string& text) {
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(text.size()));
    out += text;
}

class Reader {
  public:
    Reader(const std::string& bytes, std::size_t from) : m_bytes(bytes), m_at(from) {}

    template <typename Number>
    Number Get() {
        if (m_bytes.size() - m_at < sizeof(Number)) {
            FailDamaged();
        }
        Number value;
        std::memcpy(&value, m_bytes.data() + m_at, sizeof(Number));
        m_at += sizeof(Number);
        return value;
    }
    std::string GetText() {
        const auto size = Get<std::uint32_t>();
        if (m_bytes.size() - m_at < size) {
            FailDamaged();
        }
        std::string text = m_bytes.substr(m_at, size);
        m_at += size;
        return text;
    }

  private:
    const std::string& m_bytes;
    std::size_t m_at;
};

WorkbookData ReadWorkbook(Reader& in) {
    WorkbookData data;
    data.activeSheet = in.Get<std::int32_t>();
    const auto sheets = in.Get<std::uint32_t>();
    for (std::uint32_t s = 0; s < sheets; ++s) {
        SheetData sheet;
        sheet.name = in.GetText();
        const auto cells = in.Get<std::uint32_t>();
        for (std::uint32_t c = 0; c < cells; ++c) {
            const auto row = in.Get<std::int32_t>();
            const auto column = in.Get<std::int32_t>();
            const auto kind = in.Get<std::uint8_t>();
            CellValue value;
            value.number = in.Get<double>();
            value.text = in.GetText();
            if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns ||
                kind > static_cast<std::uint8_t>(CellKind::Error)) {
                FailDamaged();
            }
            value.kind = static_cast<CellKind>(kind);
            sheet.cells.Set(row, column, std::move(value));
        }
        data.sheets.push_back(std::move(sheet));
    }
    if (data.activeSheet >= static_cast<int>(data.sheets.size())) {
        data.activeSheet = data.sheets.empty() ? -1 : 0;
    }
    return data;
}

std::string SerializeWorkbook(const WorkbookData& data) {
    std::string out;
    Put<std::int32_t>(out, data.activeSheet);
    Put<std::uint32_t>(out, static_cast<std::uint32_t>(data.sheets.size()));
    for (const SheetData& sheet : data.sheets) {
        PutText(out, sheet.name);
        Put<std::uint32_t>(out, static_cast<std::uint32_t>(sheet.cells.Count()));
        sheet.cells.ForEach([&](int row, int column, const CellValue& value) {
            Put<std::int32_t>(out, row);
            Put<std::int32_t>(out, column);
            Put<std::uint8_t>(out, static_cast<std::uint8_t>(value.kind));
            Put<double>(out, value.number);
            PutText(out, value.text);
        });
    }
    return out;
}

}  // namespace

std::string WorkbookAnswer(const WorkbookData& data) {
    return kWorkbookMark + SerializeWorkbook(data);
}

std::string FailureAnswer(int number, const std::string& description, const std::string& reason) {
    std::string answer(1, kFailureMark);
    Put<std::int32_t>(answer, number);
    PutText(answer, description);
    PutText(answer, reason);
    Put<std::int32_t>(answer, 0);
    Put<std::int32_t>(answer, 0);
    return answer;
}

std::string FailureAnswer(const RunTimeError& failure) {
    std::string answer = FailureAnswer(failure.number(), failure.what(), failure.reason());
    if (const auto* tooLong = dynamic_cast<const SheetCellTooLong*>(&failure)) {
        answer.resize(answer.size() - 2 * sizeof(std::int32_t));
        Put<std::int32_t>(answer, tooLong->row());
        Put<std::int32_t>(answer, tooLong->column());
    }
    return answer;
}

WorkbookData WorkbookFromAnswer(std::string answer) {
    if (answer.empty()) {
        FailDamaged();
    }
    Reader in(answer, 1);
    if (answer.front() == kFailureMark) {
        const auto number = in.Get<std::int32_t>();
        const std::string description = in.GetText();
        const std::string reason = in.GetText();
        const auto row = in.Get<std::int32_t>();
        const auto column = in.Get<std::int32_t>();
        if (row >= 1 && row <= kMaxSheetRows && column >= 1 && column <= kMaxSheetColumns) {
            throw SheetCellTooLong(row, column);
        }
        throw RunTimeError(number, description, reason);
    }
    if (answer.front() != kWorkbookMark) {
        FailDamaged();
    }
    return ReadWorkbook(in);
}

}  // namespace stelvador
