#include "widgets/dialogs/help_file.h"

#include "platform/shell.h"

namespace stelvador {

QString HelpFilePath(const QString& programFolder) {
    return programFolder + QStringLiteral("/Stelvador.chm");
}

void OpenHelpFile(Shell& shell, const QString& programFolder) {
    OpenExistingDocument(shell, HelpFilePath(programFolder).toStdString());
}

}  // namespace stelvador
