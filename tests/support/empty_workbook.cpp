#include "empty_workbook.h"

#include <cstdlib>
#include <string>

namespace stelvador {

bool WriteEmptyWorkbook(const std::filesystem::path& path) {
    const std::string command =
        "/usr/bin/python3 -c \"import openpyxl, sys; openpyxl.Workbook().save(sys.argv[1])\" '" +
        path.string() + "'";
    return std::system(command.c_str()) == 0;
}

}  // namespace stelvador
