#pragma once

#include <QString>
#include <memory>

#include "results/results_window_routes.h"
#include "widgets/results_window_link.h"
#include "widgets/window_services.h"

namespace stelvador {

class Form10;

// Creates the results window at its first use and drops it when it is unloaded, so that the
// next use creates it afresh (a new spreadsheet application, a grid with its two layout rows).
class Form10Link : public ResultsWindowLink {
  public:
    // Every window it creates gets the services and the routes.
    Form10Link(const WindowServices& services, const QString& programFolder,
               ResultsWindowRoutes routes = {});
    ~Form10Link() override;
    Form10Link(const Form10Link&) = delete;
    Form10Link& operator=(const Form10Link&) = delete;

    CalculationResultsWindow& window() override;
    bool isLoaded() const override { return m_window != nullptr; }
    void unload() override;
    bool quitSpreadsheetApplications() override;
    std::string programFolder() const override { return m_programFolder.toStdString(); }

    // The loaded window, or nullptr.
    Form10* form() const { return m_window.get(); }
    // The loaded window, created and loaded when it is not loaded.
    Form10& loadedForm();
    // The routes every window created from now on gets (the program has its data entry window
    // only after the link).
    void setRoutes(ResultsWindowRoutes routes) { m_routes = std::move(routes); }

  private:
    WindowServices m_services;
    QString m_programFolder;
    ResultsWindowRoutes m_routes;
    std::unique_ptr<Form10> m_window;
};

}  // namespace stelvador
