#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/spreadsheet/save_changes_question.h"

namespace stelvador {

// Answers queued by the test, calls recorded. With no answer queued it answers Don't Save and
// cancels the choice of a path.
class ScriptedSaveChangesQuestion : public SaveChangesQuestion {
  public:
    std::deque<SaveChangesAnswer> answers;
    std::deque<std::string> paths;
    std::vector<std::string> asked;
    // The workbooks the user was told are saved as new .xlsx files.
    std::vector<std::string> toldNewXlsx;
    std::vector<std::string> suggested;
    std::vector<std::string> failures;

    SaveChangesAnswer AskSaveChanges(const std::string& fileName) override {
        asked.push_back(fileName);
        if (answers.empty()) {
            return SaveChangesAnswer::DontSave;
        }
        const SaveChangesAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void TellSavedAsNewXlsx(const std::string& fileName) override {
        toldNewXlsx.push_back(fileName);
    }
    std::string ChooseSavePath(const std::string& suggestedPath) override {
        suggested.push_back(suggestedPath);
        if (paths.empty()) {
            return {};
        }
        std::string path = paths.front();
        paths.pop_front();
        return path;
    }
    void ReportSaveFailure(const std::string& fileName, const std::string& reason) override {
        failures.push_back(fileName + ": " + reason);
    }
};

}  // namespace stelvador
