#include "results/form10_link.h"

#include "platform/spreadsheet/spreadsheet.h"
#include "results/form10.h"

namespace stelvador {

Form10Link::Form10Link(const WindowServices& services, const QString& programFolder,
                       ResultsWindowRoutes routes)
    : m_services(services), m_programFolder(programFolder), m_routes(std::move(routes)) {}

Form10Link::~Form10Link() = default;

Form10& Form10Link::loadedForm() {
    if (!m_window) {
        m_window = std::make_unique<Form10>(m_services, m_programFolder, m_routes);
        // Unloaded by its own close event or menu item, the window cannot be destroyed inside
        // that event: it is handed to Qt for deletion once the event is over.
        m_window->setUnloadHandler([this] {
            if (m_window) {
                m_window.release()->deleteLater();
            }
        });
    }
    return *m_window;
}

CalculationResultsWindow& Form10Link::window() {
    return loadedForm();
}

void Form10Link::unload() {
    m_window.reset();
}

bool Form10Link::quitSpreadsheetApplications() {
    return m_services.spreadsheets.Application().Quit();
}

}  // namespace stelvador
