#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/save_changes_question.h"
#include "platform/spreadsheet/spreadsheet_objects.h"

namespace stelvador {

struct ApplicationRegistryState;

// The application-wide object of the spreadsheet component: quitting it quits every
// application this process created and has not quit yet. An application with no application
// running quits nothing and does not fail. Every unsaved workbook of every application is asked
// about first; false when the user answers Cancel, and then every application runs on as it was.
class GlobalSpreadsheetApplication {
  public:
    bool Quit() const;

  private:
    friend class SpreadsheetApplications;
    explicit GlobalSpreadsheetApplication(std::weak_ptr<ApplicationRegistryState> registry)
        : m_registry(std::move(registry)) {}

    std::weak_ptr<ApplicationRegistryState> m_registry;
};

// Owns the spreadsheet applications this process has created and not quit. One object of the
// program holds it and hands it to the windows; tests make their own.
class SpreadsheetApplications {
  public:
    // The question asked at Quit for workbooks with unsaved changes; shared by every
    // application created here.
    explicit SpreadsheetApplications(std::shared_ptr<SaveChangesQuestion> question);
    ~SpreadsheetApplications();
    SpreadsheetApplications(const SpreadsheetApplications&) = delete;
    SpreadsheetApplications& operator=(const SpreadsheetApplications&) = delete;

    // The running application created first (the longest-running one). RunTimeError 429 (can't
    // create object) when none runs.
    SpreadsheetApplication Attach() const;
    // Always a new application, hidden, with no workbook open.
    SpreadsheetApplication Create();
    // The running application that has the workbook file open, or an empty reference.
    SpreadsheetApplication Holding(const std::string& path) const;
    // The application-wide object, used to quit.
    GlobalSpreadsheetApplication Application() const;
    int RunningCount() const;

  private:
    std::shared_ptr<ApplicationRegistryState> m_state;
};

}  // namespace stelvador
