#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "recording_message_box.h"
#include "scripted_file_dialog.h"
#include "support/scratch_folder.h"

namespace stelvador {
namespace {

TEST(RecordingMessageBoxTest, RecordsEveryTextInOrder) {
    RecordingMessageBox box;
    EXPECT_TRUE(box.texts().empty());
    EXPECT_EQ(box.lastText(), "");
    MessageBox& shown = box;
    shown.Show("File not found");
    shown.Show("Division by zero");
    EXPECT_EQ(box.texts(), (std::vector<std::string>{"File not found", "Division by zero"}));
    EXPECT_EQ(box.lastText(), "Division by zero");
    box.clear();
    EXPECT_TRUE(box.texts().empty());
}

// Runs each test in a fresh temporary folder and goes back afterwards.
class ScriptedFileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = std::filesystem::current_path();
        m_root = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_root / "data");
        std::filesystem::current_path(m_root);
    }
    void TearDown() override {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_root);
    }

    std::filesystem::path m_previous;
    std::filesystem::path m_root;
};

TEST_F(ScriptedFileDialogTest, AnswersInQueueOrderAndRecordsCalls) {
    ScriptedFileDialog dialog;
    const std::string chosen = (m_root / "data" / "rocks.epd").string();
    dialog.queuePath(chosen);
    dialog.queueCancel();

    dialog.setFilter("Epidote(*.epd) |*.epd");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), chosen);
    // A chosen file makes its folder the current directory, as the real dialog does.
    EXPECT_EQ(std::filesystem::current_path(), m_root / "data");

    dialog.setFilter("Epidote files(*.epd) |*.epd");
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(std::filesystem::current_path(), m_root / "data");

    ASSERT_EQ(dialog.calls().size(), 2u);
    EXPECT_EQ(dialog.calls()[0].kind, ScriptedFileDialog::Kind::Open);
    EXPECT_EQ(dialog.calls()[0].filter, "Epidote(*.epd) |*.epd");
    EXPECT_EQ(dialog.calls()[1].kind, ScriptedFileDialog::Kind::Save);
    EXPECT_EQ(dialog.calls()[1].filter, "Epidote files(*.epd) |*.epd");
    EXPECT_EQ(dialog.pendingAnswers(), 0u);
}

TEST_F(ScriptedFileDialogTest, EmptyQueueAnswersLikeCancel) {
    ScriptedFileDialog dialog;
    dialog.setFileName("left over");
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), "");
    EXPECT_EQ(std::filesystem::current_path(), m_root);
    ASSERT_EQ(dialog.calls().size(), 1u);
}

TEST_F(ScriptedFileDialogTest, BareNameOrMissingFolderKeepsCurrentDirectory) {
    ScriptedFileDialog dialog;
    dialog.queuePath("bare.epd");
    dialog.queuePath((m_root / "missing" / "x.epd").string());
    dialog.ShowOpen();
    EXPECT_EQ(dialog.FileName(), "bare.epd");
    EXPECT_EQ(std::filesystem::current_path(), m_root);
    dialog.ShowSave();
    EXPECT_EQ(dialog.FileName(), (m_root / "missing" / "x.epd").string());
    EXPECT_EQ(std::filesystem::current_path(), m_root);
}

}  // namespace
}  // namespace stelvador
