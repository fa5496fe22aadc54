#pragma once

#include <QString>

namespace stelvador {

class Shell;

// The help file: "Stelvador.chm" in the program folder, whatever the current directory is.
QString HelpFilePath(const QString& programFolder);

// Looks for the help file and hands it to the desktop; RunTimeError 53 (file not found) when it
// is not there. No help file comes with the program: one put in the program folder is opened.
void OpenHelpFile(Shell& shell, const QString& programFolder);

}  // namespace stelvador
