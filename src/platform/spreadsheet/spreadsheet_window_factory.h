#pragma once

#include <memory>

#include "platform/spreadsheet/application_state.h"

namespace stelvador {

// The window of an application; none (nullptr) when the process has no QApplication.
std::unique_ptr<WorkbookView> MakeSpreadsheetWindow(ApplicationState& application);

}  // namespace stelvador
