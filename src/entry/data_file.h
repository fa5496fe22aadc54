#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "platform/flex_grid.h"

namespace stelvador {

// The steps by which the data entry window and the Calculate command save and load the
// analysis grid's data block. Each step either does all it says or throws RunTimeError and
// changes nothing, so callers can run them one by one in continue-on-error mode.

// Selects the data block: current cell column 1, row 1; other corner row Rows - 1, column
// Cols - 1.
void SelectDataBlock(FlexGrid& grid);

// Selects the data block and returns its data file record. Throws UnwritableDataBlock (number
// error::kUnsupportedCharacter, what() naming the row, the column and the column's heading for
// the user) when a cell holds a double quote, a TAB, a CR, a LF or a character Windows-1252
// cannot hold.
std::string DataBlockRecord(FlexGrid& grid);

// Save As and New File: the data block's record written to path, whole or not at all. The
// record is built before the file is opened, so a refused block writes nothing; a failed write
// leaves an existing file as it was and no temporary file behind. Throws RunTimeError 52 for the
// empty name, 76 when the folder does not exist, 75 when the file may not be written (a
// read-only file, a folder, a device or a pipe), 61 when the disk is full, 57 for a device
// failure.
void WriteDataFile(FlexGrid& grid, const std::string& path);

// A data file opened for reading, so that opening and reading can be separate steps.
class DataFileInput {
  public:
    // Throws RunTimeError 52 for the empty name, 53 when no such file exists, 76 when its
    // folder does not exist, 75 when it cannot be read (no permission) or is no regular file
    // (a folder, a pipe, a device).
    void Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }
    // The record's text as UTF-8, read only as far as its closing double quote, its rows ended
    // by CR whether the file ends them by CR, CR LF or LF. Throws 52 when
    // no file is open, 321 when it is not a data file (no record, as in an empty file, or a
    // field longer than kMaxDataFileFieldBytes: see DataFileRecordReader) or holds a cell
    // longer than kCellTextLimit characters (its reason, DescribeTooLongGridCell, names the
    // first such cell's row, column and heading), 57 when reading fails.
    std::string ReadRecord();
    void Close() { m_file.reset(); }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> m_file;
};

// The text with every CR LF and every lone LF turned into a CR: files that passed through
// another program's hands end their rows so, and each is a row end of the grid text block.
std::string RowEndsAsCr(std::string_view text);

// Opens, reads the record, closes.
std::string ReadDataFile(const std::string& path);

// Selects the data block and writes text into it through Clip: cell by cell from the top left,
// text beyond the block dropped, cells the text does not reach left as they were.
void PasteIntoDataBlock(FlexGrid& grid, std::string_view text);

// Loading a data file: selects the data block, empties every cell of it, then writes text into
// it through Clip, so the block ends holding exactly the text's cells and no earlier text.
void ReplaceDataBlock(FlexGrid& grid, std::string_view text);

}  // namespace stelvador
