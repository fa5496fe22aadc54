// Stands in for the .xls reader executable: behaves as its one argument says, so the tests can
// show how the program takes each way a reader ends.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/spreadsheet/workbook_transfer.h"

namespace {

void Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            std::exit(1);
        }
        done += static_cast<std::size_t>(wrote);
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace stelvador;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "abort") {
        Write("W");  // a partial answer, then a crash
        std::abort();
    }
    if (mode == "hang") {
        for (;;) {
            pause();
        }
    }
    if (mode == "fail") {
        Write(FailureAnswer(53, "gone"));
        return 0;
    }
    if (mode == "exit") {
        Write(WorkbookAnswer(WorkbookData{}));
        return 3;
    }
    if (mode == "garbage") {
        Write("W\x01");
        return 0;
    }
    WorkbookData data;
    if (mode == "big") {
        data.sheets.resize(1);
        data.sheets[0].cells.Set(1, 1, CellValue{CellKind::Text, std::string(1u << 20, 'x'), 0.0});
    } else {
        data.sheets.resize(2);
        data.sheets[1].name = "Two";
        data.sheets[1].cells.Set(3, 4, CellValue{CellKind::Number, "1.5", 1.5});
        data.activeSheet = 1;
    }
    Write(WorkbookAnswer(data));
    return 0;
}
