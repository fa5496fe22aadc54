#include "platform/qt_message_box.h"

#include <QMessageBox>
#include <QString>

namespace stelvador {

void QtMessageBox::Show(const std::string& text) {
    QMessageBox box(m_parent);
    box.setWindowTitle(QStringLiteral("Stelvador"));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setWindowModality(m_parent != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    box.exec();
}

}  // namespace stelvador
