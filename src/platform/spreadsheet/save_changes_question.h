#pragma once

#include <string>

namespace stelvador {

enum class SaveChangesAnswer { Save, DontSave, Cancel };

// What a spreadsheet application asks its user before it drops a workbook holding unsaved
// changes. The Qt implementation shows message boxes and a save dialog; tests script it.
class SaveChangesQuestion {
  public:
    virtual ~SaveChangesQuestion() = default;

    // "Do you want to save the changes to <file name>?" with Save, Don't Save and Cancel (which
    // keeps the workbook open and its application running).
    virtual SaveChangesAnswer AskSaveChanges(const std::string& fileName) = 0;
    // Tells the user, before the choice of a path, that a workbook read from .xls is saved as a
    // new .xlsx file: this program writes no .xls.
    virtual void TellSavedAsNewXlsx(const std::string& fileName) = 0;
    // A path to save a workbook to as .xlsx, when its own path cannot take it (a workbook read
    // from .xls); the empty text when the user cancels.
    virtual std::string ChooseSavePath(const std::string& suggestedPath) = 0;
    // Tells the user that saving failed; the question is then asked again.
    virtual void ReportSaveFailure(const std::string& fileName, const std::string& reason) = 0;
};

// Answers Don't Save to every question, asking nobody: for runs without a user (the end-to-end
// tool, tests and benchmarks), which keep no workbook they change.
class DontSaveChangesQuestion : public SaveChangesQuestion {
  public:
    SaveChangesAnswer AskSaveChanges(const std::string&) override {
        return SaveChangesAnswer::DontSave;
    }
    void TellSavedAsNewXlsx(const std::string&) override {}
    std::string ChooseSavePath(const std::string&) override { return {}; }
    void ReportSaveFailure(const std::string&, const std::string&) override {}
};

}  // namespace stelvador
