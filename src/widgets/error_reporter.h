#pragma once

#include <exception>

#include "common/error_message_tables.h"
#include "common/run_time_error.h"
#include "platform/message_box.h"

namespace stelvador {

// The window's error reporter: shows the table text for the pending error number
// (Project().pendingError) in the message box, with the pending reason on a second line when
// there is one; a number the window's table lacks, 0 included, shows nothing. The pending number
// is left as it is.
void ReportRunTimeError(ErrorTable table, MessageBox& messageBox);

// For an error that reaches the top of an event handler: shows the table text for its number,
// or the error's own description when the table lacks the number, and its reason under it.
// Never throws on.
void ReportUnhandledError(ErrorTable table, MessageBox& messageBox,
                          const RunTimeError& error) noexcept;
// Any other exception: out of memory shows the table's out-of-memory text, anything else the
// table's internal-error text.
void ReportUnhandledError(ErrorTable table, MessageBox& messageBox,
                          const std::exception& error) noexcept;

// Runs an event handler's body so that nothing it throws leaves the handler: whatever reaches
// this point is shown through ReportUnhandledError and the program goes on.
template <class Body>
void RunHandler(ErrorTable table, MessageBox& messageBox, Body&& body) noexcept {
    try {
        body();
    } catch (const RunTimeError& e) {
        ReportUnhandledError(table, messageBox, e);
    } catch (const std::exception& e) {
        ReportUnhandledError(table, messageBox, e);
    } catch (...) {
        ReportUnhandledError(table, messageBox, std::exception());
    }
}

}  // namespace stelvador
