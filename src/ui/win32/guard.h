// The exception barrier of our window procedures: no exception crosses into Windows.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace ui::win32 {

// "WM_COMMAND" for the messages our procedures handle, else "message 0x0123".
std::string MessageName(UINT msg);
// Writes the exception to the debug output, naming the message being handled.
void ReportException(UINT msg, const char* what);

// Runs a window procedure's body for `msg`; an exception is reported and the result is 0.
template <class F>
LRESULT Guarded(UINT msg, F&& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        ReportException(msg, e.what());
    } catch (...) {
        ReportException(msg, "unknown");
    }
    return 0;
}

}  // namespace ui::win32
