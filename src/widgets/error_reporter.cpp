#include "widgets/error_reporter.h"

#include <new>
#include <string>

#include "common/error_numbers.h"
#include "common/project_variables.h"

namespace stelvador {

namespace {

constexpr int kInternalError = 51;

// The message box is the last resort of a handler: if showing it fails too, there is nothing
// more to tell the user, and the handler must still return.
void showSafely(MessageBox& messageBox, const std::string& text) noexcept {
    try {
        messageBox.Show(text);
    } catch (...) {
    }
}

}  // namespace

void ReportRunTimeError(ErrorTable table, MessageBox& messageBox) {
    const int number = Project().pendingError;
    if (ErrorMessage(table, number)) {
        messageBox.Show(FailureMessage(table, number, Project().pendingReason, {}));
    }
}

void ReportUnhandledError(ErrorTable table, MessageBox& messageBox,
                          const RunTimeError& error) noexcept {
    try {
        showSafely(messageBox, FailureMessage(table, error.number(), error.reason(), error.what()));
    } catch (...) {
    }
}

void ReportUnhandledError(ErrorTable table, MessageBox& messageBox,
                          const std::exception& error) noexcept {
    try {
        const bool outOfMemory = dynamic_cast<const std::bad_alloc*>(&error) != nullptr;
        const auto text = ErrorMessage(table, outOfMemory ? error::kOutOfMemory : kInternalError);
        showSafely(messageBox, std::string(text.value_or("Internal error")));
    } catch (...) {
    }
}

}  // namespace stelvador
