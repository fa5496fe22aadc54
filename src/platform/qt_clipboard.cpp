#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QThread>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/clipboard_line_ends.h"

namespace stelvador {

namespace {

QClipboard& OpenClipboard() {
    QCoreApplication* application = QCoreApplication::instance();
    // QClipboard lives with the GUI application and may only be used from its thread.
    if (qobject_cast<QGuiApplication*>(application) == nullptr ||
        QThread::currentThread() != application->thread()) {
        throw RunTimeError(error::kCantOpenClipboard, "Can't open clipboard");
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        throw RunTimeError(error::kCantOpenClipboard, "Can't open clipboard");
    }
    return *clipboard;
}

}  // namespace

void QtClipboard::Clear() {
    OpenClipboard().clear();
}

std::optional<std::string> QtClipboard::GetText() {
    const QString text = OpenClipboard().text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    return GridTextBlockFromDesktopText(text.toStdString());
}

void QtClipboard::SetText(std::string_view gridTextBlock) {
    QClipboard& clipboard = OpenClipboard();
    const std::string text = DesktopTextFromGridTextBlock(gridTextBlock, DesktopLineEnd());
    clipboard.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace stelvador
