#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <optional>
#include <string>
#include <thread>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/qt_clipboard.h"

namespace stelvador {
namespace {

TEST(QtClipboardTest, EndsEveryRowWithTheDesktopLineEndAsSpreadsheetsDo) {
    QtClipboard clipboard;
    clipboard.SetText("Ep-1\t38.65\rEp-2\t37.9");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Ep-1\t38.65\nEp-2\t37.9\n"));
    clipboard.SetText("Pi\xC3\xA9mont");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral(u"Pi\u00e9mont\n"));
    // One empty cell is one line end, text all the same.
    clipboard.SetText("");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("\n"));
    EXPECT_EQ(clipboard.GetText(), std::optional<std::string>(""));
}

TEST(QtClipboardTest, ReadsDesktopTextAsAGridTextBlock) {
    QtClipboard clipboard;
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\r\nc\td\r\n"));
    EXPECT_EQ(clipboard.GetText(), "a\tb\rc\td");
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\nc\td\n"));
    EXPECT_EQ(clipboard.GetText(), "a\tb\rc\td");
}

TEST(QtClipboardTest, ClearedOrNonTextClipboardHoldsNoText) {
    QtClipboard clipboard;
    clipboard.SetText("x");
    clipboard.Clear();
    EXPECT_EQ(clipboard.GetText(), std::nullopt);
    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    EXPECT_EQ(clipboard.GetText(), std::nullopt);
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
