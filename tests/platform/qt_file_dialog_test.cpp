#include "platform/qt_file_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "support/scratch_folder.h"
#include "support/when_shown.h"

namespace stelvador {
namespace {

struct SeenDialog {
    bool found = false;
    QStringList nameFilters;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QString directory;
};

// Once the dialog is up: notes what it shows, then lets answer() finish it.
void answerDialog(SeenDialog& seen, std::function<void(QFileDialog&)> answer) {
    QTimer::singleShot(0, [&seen, answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        seen.found = true;
        seen.nameFilters = dialog->nameFilters();
        seen.acceptMode = dialog->acceptMode();
        seen.directory = dialog->directory().absolutePath();
        answer(*dialog);
    });
}

class QtFileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        m_root = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_root / "Proben Ä");
        std::ofstream(m_root / "Proben Ä" / "rocks.epd") << "\"\"\r\n";
        std::filesystem::current_path(m_root);
    }
    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_root);
    }

    std::filesystem::path m_previous;
    std::filesystem::path m_root;
};

TEST_F(QtFileDialogTest, ChosenFileBecomesFileNameAndItsFolderCurrent) {
    const std::filesystem::path file = m_root / "Proben Ä" / "rocks.epd";
    const QString chosen = QString::fromStdString(file.string());
    SeenDialog seen;
    answerDialog(seen, [chosen](QFileDialog& dialog) {
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();
    });
    QtFileDialog dialog;
    dialog.setFilter("Epidote(*.epd) |*.epd");
    dialog.ShowOpen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.nameFilters, QStringList{"Epidote(*.epd)"});
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.directory, QString::fromStdString(m_root.string()));
    EXPECT_EQ(dialog.FileName(), file.string());
    EXPECT_EQ(std::filesystem::current_path(), m_root / "Proben Ä");
}

TEST_F(QtFileDialogTest, CancelLeavesEmptyNameAndCurrentDirectory) {
    SeenDialog seen;
    answerDialog(seen, [](QFileDialog& dialog) { dialog.reject(); });
    QtFileDialog dialog;
    dialog.setFileName("earlier.epd");
    dialog.setFilter("Epidote files(*.epd) |*.epd");
    dialog.ShowSave();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(seen.nameFilters, QStringList{"Epidote files(*.epd)"});
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(std::filesystem::current_path(), m_root);
}

TEST_F(QtFileDialogTest, SaveAcceptsNewName) {
    const std::filesystem::path file = m_root / "Proben Ä" / "new.epd";
    const QString chosen = QString::fromStdString(file.string());
    SeenDialog seen;
    answerDialog(seen, [chosen](QFileDialog& dialog) {
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();
    });
    QtFileDialog dialog;
    dialog.setFilter("Epidote files(*.epd) |*.epd");
    dialog.ShowSave();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(dialog.FileName(), file.string());
    EXPECT_EQ(std::filesystem::current_path(), m_root / "Proben Ä");
}

// Save As asks before it replaces an existing file; a No keeps the dialog open, so nothing is
// chosen until the user names a file or agrees.
TEST_F(QtFileDialogTest, SaveAsksBeforeReplacingAnExistingFile) {
    for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
        SCOPED_TRACE(answer == QMessageBox::Yes ? "replaced" : "kept");
        std::filesystem::current_path(m_root);
        std::vector<std::string> questions;
        std::unique_ptr<QTimer> answerQuestion;
        const auto scriptDialog = WhenShown<QFileDialog>([&](QFileDialog* dialog) {
            dialog->setDirectory(QString::fromStdString((m_root / "Proben Ä").string()));
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            name->setText("rocks.epd");
            answerQuestion = WhenShown<QMessageBox>([&](QMessageBox* box) {
                questions.push_back(box->text().toStdString());
                box->button(answer)->click();
            });
            static_cast<QDialog*>(dialog)->accept();  // as the dialog's Save button does
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        QtFileDialog dialog;
        dialog.setFilter("Epidote files(*.epd) |*.epd");
        dialog.ShowSave();
        answerQuestion.reset();
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_NE(questions.front().find("rocks.epd"), std::string::npos) << questions.front();
        EXPECT_EQ(dialog.FileName(),
                  answer == QMessageBox::Yes ? (m_root / "Proben Ä" / "rocks.epd").string() : "");
    }
}

}  // namespace
}  // namespace stelvador
