#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <thread>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/qt_clipboard.h"

namespace stelvador {
namespace {

TEST(QtClipboardTest, WritesRowsWithTheDesktopLineEndAndASingleCellAsItIs) {
    QtClipboard clipboard;
    clipboard.SetText("Ep-1\t38.65\rEp-2\t37.9");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Ep-1\t38.65\nEp-2\t37.9"));
    clipboard.SetText("Pi\xC3\xA9mont");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(u"Pi\u00e9mont"));
}

TEST(QtClipboardTest, ReadsDesktopTextAsAGridTextBlock) {
    QtClipboard clipboard;
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(clipboard.GetText(), "a\tb\rc\td");
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\nc\td\n"));
    EXPECT_EQ(clipboard.GetText(), "a\tb\rc\td");
}

TEST(QtClipboardTest, ClearedOrNonTextClipboardReadsEmpty) {
    QtClipboard clipboard;
    clipboard.SetText("x");
    clipboard.Clear();
    EXPECT_EQ(clipboard.GetText(), "");
    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    EXPECT_EQ(clipboard.GetText(), "");
}

TEST(QtClipboardTest, AnotherThreadCannotOpenIt) {
    QtClipboard clipboard;
    int number = 0;
    std::thread other([&] {
        try {
            clipboard.GetText();
        } catch (const RunTimeError& e) {
            number = e.number();
        }
    });
    other.join();
    EXPECT_EQ(number, error::kCantOpenClipboard);
}

}  // namespace
}  // namespace stelvador
