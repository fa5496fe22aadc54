#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/run_time_error.h"

namespace stelvador {

// A data file (".epd") is one record: a double quote, the grid text block of the analysis grid's
// data block (TAB between cells, CR between rows) in Windows-1252, a double quote, CR LF.
// Nothing else: no header, count or escape for a double quote inside a cell.

// The longest field a data file's record is read to: a full data block is far shorter, so a
// longer one is no data file of this program.
inline constexpr std::size_t kMaxDataFileFieldBytes = 64u << 20;

// A cell of a data block that the data file cannot carry. Row and column count from 1 at the
// block's top-left cell; for the data block of a grid (which starts at grid row 1, column 1)
// they are the grid's own row and column.
struct UnwritableCell {
    // Tab and CarriageReturn: the cell's text holds a separator of the grid text block, which
    // would shift every later cell on reading.
    enum class Reason { DoubleQuote, NotWindows1252, Tab, CarriageReturn };
    int row = 0;
    int column = 0;
    Reason reason = Reason::DoubleQuote;
};

// The first cell (in reading order) holding a double quote or a character Windows-1252 cannot
// hold, or nothing when the whole block can be written. TABs and CRs are taken as the block's
// separators here; a cell's own TAB or CR is found only cell by cell (FindUnwritableInCell).
std::optional<UnwritableCell> FindUnwritableCell(std::string_view gridTextBlock);

// Why one cell's text cannot go into a data file (its first such character decides), or
// nothing when it can.
std::optional<UnwritableCell::Reason> FindUnwritableInCell(std::string_view cellText);

// The message that tells the user which cell stops the data file from being written; heading,
// when not empty, is the column's heading in the grid.
std::string DescribeUnwritableCell(const UnwritableCell& cell, std::string_view heading = {});

// Thrown when a data block cannot be written; what() is the message for the user and number()
// is error::kUnsupportedCharacter.
class UnwritableDataBlock : public RunTimeError {
  public:
    explicit UnwritableDataBlock(const UnwritableCell& cell, std::string_view heading = {});
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
// - a field without its closing double quote runs to the end of the file (within the limit
//   below);
// - a file of nothing but blanks (an empty file too) holds no record and is no data file:
//   RunTimeError kInvalidFileFormat, so the caller's text keeps its value;
// - any other character before the opening double quote means the file is not a data file:
//   RunTimeError kInvalidFileFormat; nothing of it is taken;
// - a field longer than maxFieldBytes is no data file either (kInvalidFileFormat), and reading
//   stops there;
// - a cell longer than kCellTextLimit characters (a byte is a character in Windows-1252) is
//   refused too (kInvalidFileFormat, its reason naming the cell), and reading stops as soon as
//   the cell is past the limit, so a long text costs no more than its first 32,768 bytes.
class DataFileRecordReader {
  public:
    // A cell of the record: row and column count from 1 at the field's first cell, as for
    // UnwritableCell. TAB ends a cell; CR, CR LF and a lone LF end a row.
    struct Cell {
        int row = 1;
        int column = 1;
    };

    explicit DataFileRecordReader(std::size_t maxFieldBytes = kMaxDataFileFieldBytes)
        : m_maxFieldBytes(maxFieldBytes) {}
    // Takes the next bytes of the file. Returns whether more bytes are wanted.
    bool feed(std::string_view bytes);
    // The cell whose text was longer than kCellTextLimit, once feed has stopped at it.
    std::optional<Cell> tooLongCell() const;
    // The field as UTF-8, once the file has ended or feed returned false; throws as listed above.
    std::string finish();

  private:
    enum class State { BeforeField, InField, Complete, NotADataFile, TooLong, TooLongCell };
    // Follows the cells of part, the field's next bytes; returns how many of them the cells
    // take, all of them unless a cell grows past the limit (the state is then TooLongCell).
    std::size_t followCells(std::string_view part);

    State m_state = State::BeforeField;
    std::size_t m_maxFieldBytes;
    std::string m_field;
    Cell m_cell;
    std::size_t m_cellLength = 0;
    bool m_afterCarriageReturn = false;
};

// The record's field of a whole file's bytes, as DataFileRecordReader reads it.
std::string ReadDataFileRecord(std::string_view fileBytes);

}  // namespace stelvador
