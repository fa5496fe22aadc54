#include "common/data_file_format.h"

#include <algorithm>

#include "common/cell_text_limit.h"
#include "common/error_numbers.h"
#include "common/grid_text_block.h"
#include "common/windows_1252.h"

namespace stelvador {

namespace {

constexpr char kQuote = '"';
constexpr std::string_view kRecordEnd = "\r\n";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Row and column (from 1) of the cell holding the byte at offset.
UnwritableCell cellAt(std::string_view block, std::size_t offset, UnwritableCell::Reason reason) {
    UnwritableCell cell{1, 1, reason};
    for (std::size_t i = 0; i < offset; ++i) {
        if (block[i] == kRowSeparator) {
            ++cell.row;
            cell.column = 1;
        } else if (block[i] == kCellSeparator) {
            ++cell.column;
        }
    }
    return cell;
}

// The converted block, or the first cell that cannot be written.
std::optional<std::string> convertBlock(std::string_view block,
                                        std::optional<UnwritableCell>& unwritable) {
    std::size_t failedAt = std::string_view::npos;
    auto bytes = Utf8ToWindows1252(block, &failedAt);
    const std::size_t quoteAt = block.find(kQuote);
    if (quoteAt != std::string_view::npos && quoteAt < failedAt) {
        unwritable = cellAt(block, quoteAt, UnwritableCell::Reason::DoubleQuote);
        return std::nullopt;
    }
    if (!bytes) {
        unwritable = cellAt(block, failedAt, UnwritableCell::Reason::NotWindows1252);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

std::optional<UnwritableCell> FindUnwritableCell(std::string_view gridTextBlock) {
    std::optional<UnwritableCell> unwritable;
    convertBlock(gridTextBlock, unwritable);
    return unwritable;
}

std::optional<UnwritableCell::Reason> FindUnwritableInCell(std::string_view cellText) {
    // A UTF-8 sequence never holds these bytes, so the first one found is the first character.
    const std::size_t specialAt = cellText.find_first_of("\"\t\r");
    const std::string_view before = cellText.substr(0, specialAt);
    const bool ascii = std::all_of(before.begin(), before.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii && !Utf8ToWindows1252(before).has_value()) {
        return UnwritableCell::Reason::NotWindows1252;
    }
    if (specialAt == std::string_view::npos) {
        return std::nullopt;
    }
    switch (cellText[specialAt]) {
        case kQuote:
            return UnwritableCell::Reason::DoubleQuote;
        case kCellSeparator:
            return UnwritableCell::Reason::Tab;
        default:
            return UnwritableCell::Reason::CarriageReturn;
    }
}

std::string DescribeUnwritableCell(const UnwritableCell& cell, std::string_view heading) {
    std::string text =
        "Row " + std::to_string(cell.row) + ", column " + std::to_string(cell.column);
    if (!heading.empty()) {
        text += " (";
        text += heading;
        text += ")";
    }
    text += " holds ";
    switch (cell.reason) {
        case UnwritableCell::Reason::DoubleQuote:
            text += "a double quote (\"), which a data file cannot hold.";
            break;
        case UnwritableCell::Reason::Tab:
            text += "a tab character, which a data file cannot hold.";
            break;
        case UnwritableCell::Reason::CarriageReturn:
            text += "a carriage return (a line break), which a data file cannot hold.";
            break;
        case UnwritableCell::Reason::NotWindows1252:
            text += "a character that a data file cannot hold (it holds Windows-1252 text only).";
            break;
    }
    text += " Nothing was written.";
    return text;
}

UnwritableDataBlock::UnwritableDataBlock(const UnwritableCell& cell, std::string_view heading)
    : RunTimeError(error::kUnsupportedCharacter, DescribeUnwritableCell(cell, heading)),
      m_cell(cell) {}

std::string BuildDataFileRecord(std::string_view gridTextBlock) {
    std::optional<UnwritableCell> unwritable;
    const auto bytes = convertBlock(gridTextBlock, unwritable);
    if (!bytes) {
        throw UnwritableDataBlock(*unwritable);
    }
    std::string record;
    record.reserve(bytes->size() + 2 + kRecordEnd.size());
    record.push_back(kQuote);
    record.append(*bytes);
    record.push_back(kQuote);
    record.append(kRecordEnd);
    return record;
}

bool DataFileRecordReader::feed(std::string_view bytes) {
    std::size_t i = 0;
    if (m_state == State::BeforeField) {
        while (i < bytes.size() && isBlank(bytes[i])) {
            ++i;
        }
        if (i == bytes.size()) {
            return true;
        }
        if (bytes[i] != kQuote) {
            m_state = State::NotADataFile;
            return false;
        }
        ++i;
        m_state = State::InField;
    }
    if (m_state != State::InField) {
        return false;
    }
    const std::string_view rest = bytes.substr(i);
    const std::size_t closing = rest.find(kQuote);
    const std::string_view part = rest.substr(0, closing);
    if (followCells(part) < part.size()) {
        m_field.clear();
        m_field.shrink_to_fit();
        return false;
    }
    if (part.size() > m_maxFieldBytes - m_field.size()) {
        m_state = State::TooLong;
        m_field.clear();
        m_field.shrink_to_fit();
        return false;
    }
    m_field.append(part);
    if (closing != std::string_view::npos) {
        m_state = State::Complete;
        return false;
    }
    return true;
}

std::size_t DataFileRecordReader::followCells(std::string_view part) {
    for (std::size_t i = 0; i < part.size(); ++i) {
        const char byte = part[i];
        const bool lineFeedOfCrLf = byte == '\n' && m_afterCarriageReturn;
        m_afterCarriageReturn = byte == '\r';
        if (byte == kCellSeparator) {
            ++m_cell.column;
            m_cellLength = 0;
        } else if (byte == '\r' || byte == '\n') {
            if (!lineFeedOfCrLf) {
                ++m_cell.row;
                m_cell.column = 1;
            }
            m_cellLength = 0;
        } else if (++m_cellLength > kCellTextLimit) {
            m_state = State::TooLongCell;
            return i;
        }
    }
    return part.size();
}

std::optional<DataFileRecordReader::Cell> DataFileRecordReader::tooLongCell() const {
    if (m_state != State::TooLongCell) {
        return std::nullopt;
    }
    return m_cell;
}

std::string DataFileRecordReader::finish() {
    switch (m_state) {
        case State::BeforeField:  // no record at all: an empty file is no data file
        case State::NotADataFile:
        case State::TooLong:
            throw RunTimeError(error::kInvalidFileFormat, "Invalid file format");
        case State::TooLongCell:
            throw RunTimeError(error::kInvalidFileFormat, "Invalid file format",
                               DescribeTooLongGridCell(m_cell.row, m_cell.column));
        case State::InField:
        case State::Complete:
            break;
    }
    return Windows1252ToUtf8(m_field);
}

std::string ReadDataFileRecord(std::string_view fileBytes) {
    DataFileRecordReader reader;
    reader.feed(fileBytes);
    return reader.finish();
}

}  // namespace stelvador
