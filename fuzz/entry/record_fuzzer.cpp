// Feeds arbitrary file bytes to the data file record reader, in chunks whose size the first byte
// picks, and pastes what it reads into the analysis grid's data block. Checks that reading ends,
// the grid keeps its shape, and that a writable text survives a write and a read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/data_file_format.h"
#include "common/run_time_error.h"
#include "entry/cap_cell.h"
#include "entry/data_file.h"
#include "platform/flex_grid.h"

namespace {

stelvador::FlexGrid& analysisGrid() {
    static stelvador::FlexGrid grid = [] {
        stelvador::FlexGrid laidOut(1001, 45);
        stelvador::capCell(laidOut);
        return laidOut;
    }();
    return grid;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t chunk = 1 + data[0] % 64;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    stelvador::DataFileRecordReader reader;
    std::size_t at = 0;
    while (at < bytes.size() && reader.feed(bytes.substr(at, chunk))) {
        at += chunk;
    }
    std::string text;
    try {
        text = reader.finish();
    } catch (const stelvador::RunTimeError&) {
        return 0;
    }
    check(text == stelvador::ReadDataFileRecord(bytes));

    stelvador::FlexGrid& grid = analysisGrid();
    stelvador::PasteIntoDataBlock(grid, text);
    stelvador::ReplaceDataBlock(grid, text);
    check(grid.Rows() == 301 && grid.Cols() == 44);
    check(grid.TextMatrix(0, 2) == "SiO2" && grid.TextMatrix(300, 0) == "300");

    // What was read is UTF-8 from Windows-1252, so without a double quote it can be written
    // back, and reading the record gives it again.
    const std::string record = stelvador::BuildDataFileRecord(text);
    check(stelvador::ReadDataFileRecord(record) == text);
    return 0;
}
