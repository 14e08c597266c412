#include "shared/companions.h"

#include "shared/device_link.h"
#include "shared/forms.h"
#include "shared/settings_store.h"

namespace kesma {

namespace {
constexpr int kTitleCapacity = 128;
// WinExec answers 0..31 for the ways a start can fail.
constexpr unsigned kWinExecFailureMax = 31;
}  // namespace

Hwnd FindInstanceWindow(WindowPort& windows, Hwnd own, const std::string& caption) {
    for (Hwnd h = windows.FindWindowA(); h != 0; h = windows.GetWindow(h, kGwHwndNext)) {
        if (h == own || windows.GetParent(h) != 0 || windows.GetWindowWord(h, kGwwHinstance) != 0) continue;
        char title[kTitleCapacity] = {};
        int copied = windows.GetWindowTextA(h, title, kTitleCapacity);
        if (copied < 0) copied = 0;
        if (copied > kTitleCapacity - 1) copied = kTitleCapacity - 1;
        if (windows.GetWindowTextLengthA(h) > 0 && std::string(title, static_cast<std::size_t>(copied)) == caption)
            return h;
    }
    return 0;
}

bool PassSingleInstanceGuard(ui::App& app, ProcessPort& processes, WindowPort& windows,
                             const std::string& programName, Hwnd own, const std::string& caption) {
    if (!processes.AnotherInstanceRunning(programName)) return true;
    if (Hwnd other = FindInstanceWindow(windows, own, caption)) {
        windows.SetForegroundWindow(other);
        windows.BringWindowToTop(other);
    } else {
        ShowError(app, "Application is running!\r\rPlease find and select the running window from Taskbar.",
                  caption);
    }
    return false;
}

std::string CompanionCommandLine(const std::string& installPath, const std::string& file) {
    // Quoted, so that a folder with blanks cannot start C:\Program.exe instead.
    return "\"" + installPath + "\\" + file + "\"";
}

bool Companions::StartRightButtonProgram() {
    return processes_.WinExec(CompanionCommandLine(store_.InstallPath, "Kesmarbtn.exe"), kSwHide) >
           kWinExecFailureMax;
}

bool Companions::StartSmiProgram() {
    return processes_.WinExec(CompanionCommandLine(store_.InstallPath, "Kesmasmi.exe"), kSwShowNormal) >
           kWinExecFailureMax;
}

void SendRequest(WindowPort& windows, Hwnd window, std::uintptr_t request) {
    windows.SendMessageTimeoutA(window, kWmUser, request, 0, kSmtoAbortIfHung, kRequestTimeoutMs, nullptr);
}

void Companions::SendToSlot(std::int32_t window, std::uintptr_t request) {
    if (window != KESMA_NO_WINDOW) SendRequest(windows_, window, request);
}

void Companions::SendToRightButton(std::uintptr_t request) {
    link_.GetRightButtonWindow();
    SendToSlot(link_.RightButtonSlot.Window, request);
}

void Companions::NotifyCalibrationStart() { SendToRightButton(kRequestHide); }

void Companions::NotifyCalibrationEnd() { SendToRightButton(kRequestShow); }

void Companions::CloseRightButtonProgram() { SendToRightButton(kRequestClose); }

void Companions::CloseSmiProgram() {
    link_.GetSmiWindow();
    SendToSlot(link_.SmiSlot.Window, kRequestSmiClose);
}

}  // namespace kesma
