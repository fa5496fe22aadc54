#include "platform/shell_desktop.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QFileInfo>
#include <QString>
#include <QUrl>

namespace stelvador {

void DesktopShell::OpenDocument(const std::string& path) {
    const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
    QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}

void DesktopShell::OpenLink(const std::string& url) {
    QDesktopServices::openUrl(QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode));
}

}  // namespace stelvador
