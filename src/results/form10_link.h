#pragma once

#include <QString>
#include <memory>

#include "calculation/results_window_link.h"
#include "results/results_window_services.h"

namespace stelvador {

class Form10;
class SpreadsheetApplications;

// Creates the results window at its first use and drops it when it is unloaded, so that the
// next use creates it afresh (a new spreadsheet application, a grid with its two layout rows).
class Form10Link : public ResultsWindowLink {
  public:
    Form10Link(SpreadsheetApplications& spreadsheets, const QString& programFolder,
               ResultsWindowServices services = {});
    ~Form10Link() override;
    Form10Link(const Form10Link&) = delete;
    Form10Link& operator=(const Form10Link&) = delete;

    CalculationResultsWindow& window() override;
    bool isLoaded() const override { return m_window != nullptr; }
    void unload() override;
    bool quitSpreadsheetApplications() override;
    SpreadsheetApplications& spreadsheetApplications() override { return m_spreadsheets; }
    std::string programFolder() const override { return m_programFolder.toStdString(); }

    // The loaded window, or nullptr.
    Form10* form() const { return m_window.get(); }
    // The loaded window, created and loaded when it is not loaded.
    Form10& loadedForm();
    // The services every window created from now on gets.
    void setServices(ResultsWindowServices services) { m_services = std::move(services); }

  private:
    SpreadsheetApplications& m_spreadsheets;
    QString m_programFolder;
    ResultsWindowServices m_services;
    std::unique_ptr<Form10> m_window;
};

}  // namespace stelvador
