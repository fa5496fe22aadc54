// The save dialog of the desktop, headless: the ".xlsx" the dialog adds is covered by its own
// question about replacing an existing file.
#include "platform/spreadsheet/qt_save_changes_question.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/when_shown.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

struct DialogCase {
    const char* name;
    std::string typed;  // the name typed into the dialog
    // The answer to the question about replacing a file, if one is asked.
    QMessageBox::StandardButton replace;
    bool questionAsked;
    std::string chosen;  // the path returned, relative to the folder; empty: cancelled
};

class QtSaveDialog : public ::testing::TestWithParam<DialogCase> {
  protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() / ("stelvador_save_dialog_" + std::string(GetParam().name));
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        std::ofstream(m_folder / "Results.xlsx") << "earlier results";
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
};

TEST_P(QtSaveDialog, AsksBeforeReplacingTheFileTheSuffixNames) {
    const DialogCase& c = GetParam();
    std::vector<std::string> questions;
    std::unique_ptr<QTimer> answerQuestion;
    bool stillOpenAfterAccept = false;
    const auto scriptDialog = WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        // Typed as the user does: into the name field, which holds the keyboard focus.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(QString::fromStdString(c.typed));
        answerQuestion = WhenShown<QMessageBox>([&](QMessageBox* box) {
            questions.push_back(box->text().toStdString());
            box->button(c.replace)->click();
        });
        static_cast<QDialog*>(dialog)->accept();  // as the dialog's Save button does
        stillOpenAfterAccept = dialog->isVisible();
        if (stillOpenAfterAccept) {
            dialog->reject();
        }
    });
    QtSaveChangesQuestion question;
    const std::string chosen = question.ChooseSavePath((m_folder / "Output.xlsx").string());
    answerQuestion.reset();

    ASSERT_EQ(questions.size(), c.questionAsked ? 1u : 0u);
    if (c.questionAsked) {
        EXPECT_NE(questions.front().find("Results.xlsx"), std::string::npos) << questions.front();
    }
    EXPECT_EQ(chosen, c.chosen.empty() ? std::string() : (m_folder / c.chosen).string());
    EXPECT_EQ(stillOpenAfterAccept, c.chosen.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, QtSaveDialog,
    ::testing::Values(DialogCase{"ExistingWithoutSuffixKept", "Results", QMessageBox::No, true, ""},
                      DialogCase{"ExistingWithoutSuffixReplaced", "Results", QMessageBox::Yes, true,
                                 "Results.xlsx"},
                      DialogCase{"ExistingWithSuffixKept", "Results.xlsx", QMessageBox::No, true,
                                 ""},
                      DialogCase{"NewName", "Fresh", QMessageBox::No, false, "Fresh.xlsx"}),
    [](const auto& info) { return std::string(info.param.name); });

struct AnswerCase {
    const char* name;
    QString button;  // the button clicked; empty: Escape pressed
    SaveChangesAnswer answer;
};

class QtSaveQuestion : public ::testing::TestWithParam<AnswerCase> {};

// The question names the workbook and offers Save, Don't Save and Cancel; Escape cancels.
TEST_P(QtSaveQuestion, EachButtonGivesItsAnswer) {
    const AnswerCase& c = GetParam();
    QString text;
    QStringList buttons;
    const auto answer = WhenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
            if (button->text() == c.button) {
                chosen = button;
            }
        }
        if (chosen != nullptr) {
            chosen->click();
        } else {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        }
    });
    QtSaveChangesQuestion question;
    EXPECT_EQ(question.AskSaveChanges("Output.xlsx"), c.answer);
    EXPECT_EQ(text, QStringLiteral("Do you want to save the changes you made to Output.xlsx?"));
    buttons.sort();
    EXPECT_EQ(buttons, (QStringList{"Cancel", "Don't Save", "Save"}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QtSaveQuestion,
    ::testing::Values(AnswerCase{"Save", "Save", SaveChangesAnswer::Save},
                      AnswerCase{"DontSave", "Don't Save", SaveChangesAnswer::DontSave},
                      AnswerCase{"Cancel", "Cancel", SaveChangesAnswer::Cancel},
                      AnswerCase{"Escape", "", SaveChangesAnswer::Cancel}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtSaveNote, SaysInOneSentenceThatAnXlsWorkbookBecomesANewXlsx) {
    QString text;
    const auto close = WhenShown<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        box->accept();
    });
    QtSaveChangesQuestion question;
    question.TellSavedAsNewXlsx("Stelvador.xls");
    EXPECT_EQ(text, QStringLiteral("Stelvador.xls is an .xls workbook, which this program does "
                                   "not write, so it is saved as a new .xlsx workbook."));
}

}  // namespace
}  // namespace stelvador
