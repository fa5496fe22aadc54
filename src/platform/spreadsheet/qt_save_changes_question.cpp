#include "platform/spreadsheet/qt_save_changes_question.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace stelvador {

SaveChangesAnswer QtSaveChangesQuestion::AskSaveChanges(const std::string& fileName) {
    QMessageBox box;
    box.setWindowTitle("Stelvador");
    box.setText(QString("Do you want to save the changes you made to %1?")
                    .arg(QString::fromStdString(fileName)));
    QPushButton* save = box.addButton("Save", QMessageBox::AcceptRole);
    box.addButton("Don't Save", QMessageBox::DestructiveRole);
    box.setDefaultButton(save);
    box.exec();
    return box.clickedButton() == save ? SaveChangesAnswer::Save : SaveChangesAnswer::DontSave;
}

std::string QtSaveChangesQuestion::ChooseSavePath(const std::string& suggestedPath) {
    QFileDialog dialog(nullptr, "Save As", QString::fromStdString(suggestedPath),
                       "Excel Workbook (*.xlsx)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the suffix itself, so its question about replacing a file covers the name
    // the workbook is saved to.
    dialog.setDefaultSuffix("xlsx");
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : chosen.first().toStdString();
}

void QtSaveChangesQuestion::ReportSaveFailure(const std::string& fileName,
                                              const std::string& reason) {
    QMessageBox::warning(
        nullptr, "Stelvador",
        QString("%1 could not be saved.\n%2")
            .arg(QString::fromStdString(fileName), QString::fromStdString(reason)));
}

}  // namespace stelvador
