// The other programs of the installation: finding an earlier copy's window,
// starting the companions, and the WM_USER requests sent to them. A companion's
// window is learnt from the driver's window slot, never searched for.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ports.h"

namespace ui { class App; }

namespace kesma {

class DeviceLink;
class SettingsStore;

// A request waits this long at most for the companion's answer, and not at all for a hung
// one (SMTO_ABORTIFHUNG): a companion that does not answer is taken as one that is not there.
constexpr unsigned kRequestTimeoutMs = 3000;
// Sends a WM_USER request and ignores the answer (a request that reached nobody included).
void SendRequest(WindowPort& windows, Hwnd window, std::uintptr_t request);

// wParam of the WM_USER requests.
constexpr std::uintptr_t kRequestHide = 0x1000;
constexpr std::uintptr_t kRequestShow = 0x1001;
constexpr std::uintptr_t kRequestClose = 0x100E;
constexpr std::uintptr_t kRequestSmiClose = 0x200E;

// First top-level window other than own, without parent, whose instance low word is
// 0 and whose title's first 127 characters equal caption exactly.
Hwnd FindInstanceWindow(WindowPort& windows, Hwnd own, const std::string& caption);

// The single-instance guard of a program's start: true when no other copy runs.
// Otherwise the other copy's window (found by caption) is brought to the front, or
// the "Application is running!" error is shown when it cannot be found, and the
// caller ends.
bool PassSingleInstanceGuard(ui::App& app, ProcessPort& processes, WindowPort& windows,
                             const std::string& programName, Hwnd own, const std::string& caption);

// The quoted command line of a companion: "<installPath>\<file>".
std::string CompanionCommandLine(const std::string& installPath, const std::string& file);

class Companions {
public:
    // InstallPath is read from the store at each start.
    Companions(DeviceLink& link, SettingsStore& store, WindowPort& windows, ProcessPort& processes)
        : link_(link), store_(store), windows_(windows), processes_(processes) {}

    bool StartRightButtonProgram();  // Kesmarbtn.exe, SW_HIDE
    bool StartSmiProgram();          // Kesmasmi.exe, SW_SHOWNORMAL
    void NotifyCalibrationStart();   // 0x1000 to the right-button window
    void NotifyCalibrationEnd();     // 0x1001
    void CloseRightButtonProgram();  // 0x100E
    void CloseSmiProgram();          // 0x200E to the SMI window

private:
    void SendToSlot(std::int32_t window, std::uintptr_t request);
    // Reads the right-button window from the driver, then sends it the request.
    void SendToRightButton(std::uintptr_t request);
    DeviceLink& link_;
    SettingsStore& store_;
    WindowPort& windows_;
    ProcessPort& processes_;
};

}  // namespace kesma
