#include "platform/qt_message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace stelvador {
namespace {

struct SeenBox {
    bool found = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = 0;
    QMessageBox::StandardButtons standard;
    bool modal = false;
    Qt::TextFormat format = Qt::AutoText;
};

// Looks at the box once it is up, then presses its OK button.
void inspectAndClose(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen.found = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        seen.standard = box->standardButtons();
        seen.modal = box->isModal();
        seen.format = box->textFormat();
        box->button(QMessageBox::Ok)->click();
    });
}

TEST(QtMessageBoxTest, ShowsTextWithOkOnlyNoIconAndProgramCaption) {
    SeenBox seen;
    inspectAndClose(seen);
    QtMessageBox box;
    box.Show("Path/File access error");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, "Stelvador");
    EXPECT_EQ(seen.text, "Path/File access error");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.standard, QMessageBox::Ok);
    EXPECT_TRUE(seen.modal);
}

TEST(QtMessageBoxTest, ShowsTextAsPlainText) {
    SeenBox seen;
    inspectAndClose(seen);
    QWidget parent;
    QtMessageBox box(&parent);
    box.Show("Object required. Possibly [Output.Xls] <b>x</b> Sämple");
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text,
              QString::fromUtf8("Object required. Possibly [Output.Xls] <b>x</b> Sämple"));
    // Markup-like text is shown as it stands, never interpreted.
    EXPECT_EQ(seen.format, Qt::PlainText);
}

}  // namespace
}  // namespace stelvador
