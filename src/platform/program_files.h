#pragma once

#include <string>

namespace stelvador {

// Where the program's own files lie, found from the folder of its executable and never from the
// current folder (which the file dialog moves to wherever the last chosen file was).
struct ProgramFiles {
    // The program folder: "Output.xlsx", "Edit Excel File/Stelvador.xlsx" and ".xls", and the
    // place the help file "Stelvador.chm" is looked for.
    std::string folder;
    // The folder of the .xls reader executable.
    std::string readerFolder;
};

// The installed layout, as paths from the folder the executables are installed in.
struct InstallLayout {
    std::string binFolderName;  // "bin"
    std::string folderFromBin;  // "../share/stelvador"
    std::string readerFromBin;  // "../libexec/stelvador"
};

// The layout this build installs.
InstallLayout BuiltInstallLayout();

// An executable in the install's bin folder finds its files in the install's share and libexec
// folders; anywhere else (the program folder of a build tree) beside itself. An unknown
// executable folder (empty) gives empty folders: nothing is looked up then.
ProgramFiles ProgramFilesBeside(const std::string& executableFolder, const InstallLayout& layout);

// The files of the running executable, found from /proc/self/exe.
ProgramFiles RunningProgramFiles();

}  // namespace stelvador
