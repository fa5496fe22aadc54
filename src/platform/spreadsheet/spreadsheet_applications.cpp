#include "platform/spreadsheet/spreadsheet_applications.h"

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "platform/spreadsheet/application_state.h"

namespace stelvador {

bool GlobalSpreadsheetApplication::Quit() const {
    const auto registry = m_registry.lock();
    if (!registry) {
        return true;
    }
    // Copied: each close removes its application from the list. Every question is answered
    // before any application closes, so a Cancel leaves them all running.
    const std::vector<std::shared_ptr<ApplicationState>> running = registry->applications;
    if (!SettleUnsavedWorkbooks(running)) {
        return false;
    }
    for (const auto& application : running) {
        CloseApplication(application);
    }
    return true;
}

SpreadsheetApplications::SpreadsheetApplications(std::shared_ptr<SaveChangesQuestion> question)
    : m_state(std::make_shared<ApplicationRegistryState>()) {
    m_state->question = std::move(question);
}

SpreadsheetApplications::~SpreadsheetApplications() {
    // The windows go before the workbooks they show.
    for (const auto& application : m_state->applications) {
        application->view.reset();
        application->registry = nullptr;
    }
}

SpreadsheetApplication SpreadsheetApplications::Attach() const {
    if (m_state->applications.empty()) {
        throw RunTimeError(error::kCantCreateObject, "No spreadsheet application is running.");
    }
    return SpreadsheetApplication(m_state->applications.front());
}

SpreadsheetApplication SpreadsheetApplications::Create() {
    auto application = std::make_shared<ApplicationState>();
    application->registry = m_state.get();
    application->question = m_state->question;
    m_state->applications.push_back(application);
    return SpreadsheetApplication(application);
}

SpreadsheetApplication SpreadsheetApplications::Holding(const std::string& path) const {
    const auto book = FindOpenWorkbook(*m_state, path);
    if (!book) {
        return SpreadsheetApplication();
    }
    for (const auto& application : m_state->applications) {
        if (application.get() == book->application) {
            return SpreadsheetApplication(application);
        }
    }
    return SpreadsheetApplication();
}

GlobalSpreadsheetApplication SpreadsheetApplications::Application() const {
    return GlobalSpreadsheetApplication(m_state);
}

int SpreadsheetApplications::RunningCount() const {
    return static_cast<int>(m_state->applications.size());
}

}  // namespace stelvador
