#pragma once

#include "platform/spreadsheet/save_changes_question.h"

namespace stelvador {

// Asks with message boxes and the save dialog of the desktop.
class QtSaveChangesQuestion : public SaveChangesQuestion {
  public:
    SaveChangesAnswer AskSaveChanges(const std::string& fileName) override;
    void TellSavedAsNewXlsx(const std::string& fileName) override;
    std::string ChooseSavePath(const std::string& suggestedPath) override;
    void ReportSaveFailure(const std::string& fileName, const std::string& reason) override;
};

}  // namespace stelvador
