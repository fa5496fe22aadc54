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
    QPushButton* dontSave = box.addButton("Don't Save", QMessageBox::DestructiveRole);
    // Escape and the frame's close button cancel: nothing is closed and nothing is lost.
    QPushButton* cancel = box.addButton("Cancel", QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) {
        return SaveChangesAnswer::Save;
    }
    return box.clickedButton() == dontSave ? SaveChangesAnswer::DontSave
                                           : SaveChangesAnswer::Cancel;
}

void QtSaveChangesQuestion::TellSavedAsNewXlsx(const std::string& fileName) {
    QMessageBox::information(
        nullptr, "Stelvador",
        QString("%1 is an .xls workbook, which this program does not write, so it is saved as a "
                "new .xlsx workbook.")
            .arg(QString::fromStdString(fileName)));
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
