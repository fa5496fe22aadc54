#include "platform/qt_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "platform/current_folder.h"
#include "platform/file_dialog_filter.h"

namespace stelvador {

void QtFileDialog::ShowOpen() {
    show(false);
}

void QtFileDialog::ShowSave() {
    show(true);
}

void QtFileDialog::show(bool save) {
    QFileDialog dialog(m_parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setDirectory(QDir::currentPath());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Save As asks before it replaces an existing file: a question is cheaper than a lost file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList nameFilters;
    for (const std::string& each : QtNameFilters(Filter())) {
        nameFilters.append(QString::fromStdString(each));
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
    }
    setFileName(std::string());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) {
        return;
    }
    const std::string path = QDir::toNativeSeparators(chosen.front()).toStdString();
    setFileName(path);
    EnterFolderOfFile(path);
}

}  // namespace stelvador
