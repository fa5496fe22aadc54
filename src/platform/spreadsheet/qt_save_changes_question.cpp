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
    QString chosen = QFileDialog::getSaveFileName(
        nullptr, "Save As", QString::fromStdString(suggestedPath), "Excel Workbook (*.xlsx)");
    if (!chosen.isEmpty() && !chosen.endsWith(".xlsx", Qt::CaseInsensitive)) {
        chosen += ".xlsx";
    }
    return chosen.toStdString();
}

void QtSaveChangesQuestion::ReportSaveFailure(const std::string& fileName,
                                              const std::string& reason) {
    QMessageBox::warning(
        nullptr, "Stelvador",
        QString("%1 could not be saved.\n%2")
            .arg(QString::fromStdString(fileName), QString::fromStdString(reason)));
}

}  // namespace stelvador
