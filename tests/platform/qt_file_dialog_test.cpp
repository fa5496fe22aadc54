#include "platform/qt_file_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

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
        m_root = std::filesystem::temp_directory_path() /
                 (std::string("stelvador_qt_dialog_") +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_root);
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

}  // namespace
}  // namespace stelvador
