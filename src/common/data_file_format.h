#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/run_time_error.h"

namespace stelvador {

// A data file (".epd") is one record: a double quote, the grid text block of the analysis grid's
// data block (TAB between cells, CR between rows) in Windows-1252, a double quote, CR LF.
// Nothing else: no header, count or escape for a double quote inside a cell.

// A cell of a data block that the data file cannot carry. Row and column count from 1 at the
// block's top-left cell; for the data block of a grid (which starts at grid row 1, column 1)
// they are the grid's own row and column.
struct UnwritableCell {
    enum class Reason { DoubleQuote, NotWindows1252 };
    int row = 0;
    int column = 0;
    Reason reason = Reason::DoubleQuote;
};

// The first cell (in reading order) holding a double quote or a character Windows-1252 cannot
// hold, or nothing when the whole block can be written.
std::optional<UnwritableCell> FindUnwritableCell(std::string_view gridTextBlock);

// The message that tells the user which cell stops the data file from being written.
std::string DescribeUnwritableCell(const UnwritableCell& cell);

// Thrown when a data block cannot be written; what() is the message for the user and number()
// is error::kUnsupportedCharacter.
class UnwritableDataBlock : public RunTimeError {
  public:
    explicit UnwritableDataBlock(const UnwritableCell& cell);
    const UnwritableCell& cell() const noexcept { return m_cell; }

  private:
    UnwritableCell m_cell;
};

// The bytes of the record for a grid text block given as UTF-8. Throws UnwritableDataBlock when
// a cell holds a double quote (it would end the field on reading) or a character Windows-1252
// cannot hold; nothing is built then.
std::string BuildDataFileRecord(std::string_view gridTextBlock);

// Reads the record's field from a data file's bytes as they arrive, and stops at the closing
// double quote, so a long file is never read further than its record.
//
// What a file yields:
// - blanks (space, TAB, CR, LF) before the opening double quote are skipped;
// - the field runs from the opening double quote to the next one, TABs and CRs included; the
//   quotes are dropped and the bytes are taken as Windows-1252;
// - a field without its closing double quote runs to the end of the file;
// - a file of nothing but blanks (an empty file too) holds no record: RunTimeError
//   kInputPastEndOfFile, so the caller's text keeps its value;
// - any other character before the opening double quote means the file is not a data file:
//   RunTimeError kInvalidFileFormat; nothing of it is taken.
class DataFileRecordReader {
  public:
    // Takes the next bytes of the file. Returns whether more bytes are wanted.
    bool feed(std::string_view bytes);
    // The field as UTF-8, once the file has ended or feed returned false; throws as listed above.
    std::string finish();

  private:
    enum class State { BeforeField, InField, Complete, NotADataFile };
    State m_state = State::BeforeField;
    std::string m_field;
};

// The record's field of a whole file's bytes, as DataFileRecordReader reads it.
std::string ReadDataFileRecord(std::string_view fileBytes);

}  // namespace stelvador
