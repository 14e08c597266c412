#include "ui/win32/entry_guard.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace ui {
namespace {

void ReportFailure(const std::string& title, const std::string& what, bool showBox) {
    const std::string line = "The program ended after an error: " + what;
    // Written out first: without a desktop the box may fail, or seem to succeed unseen.
    const std::string named = title + ": " + line + "\n";
    OutputDebugStringA(named.c_str());
    std::fputs(named.c_str(), stderr);
    std::fflush(stderr);
    if (showBox) MessageBoxA(nullptr, line.c_str(), title.c_str(), MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
}

}  // namespace

int RunGuarded(const std::string& title, const std::function<int()>& body, bool showBox) {
    try {
        return body();
    } catch (const std::exception& e) {
        ReportFailure(title, e.what(), showBox);
    } catch (...) {
        ReportFailure(title, "unknown exception", showBox);
    }
    return kFailedExitCode;
}

}  // namespace ui
