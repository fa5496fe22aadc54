#pragma once

#include <string>

namespace stelvador {

// Makes the folder that holds the file at path the process's current directory, as the
// common file dialog does once the user has chosen a file. A path without a folder part, or a
// folder that does not exist, leaves the current directory as it is.
void EnterFolderOfFile(const std::string& path);

}  // namespace stelvador
