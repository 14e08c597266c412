#include "setup/restart.h"

#include <cstdint>
#include <string>

namespace kesma::setup {

namespace {
constexpr std::uint32_t kPreviousStateSize = 28;
}  // namespace

bool RestartWindows(ui::App& app, RestartPort& port) {
    const std::string detail = [&]() -> std::string {
        Handle token = 0;
        if (!port.OpenProcessToken(port.GetCurrentProcess(), kTokenAdjustPrivileges | kTokenQuery, token)) {
            return "OpenProcessToken=0";
        }
        // These calls are judged by the thread's last error: clear it so that only their
        // own error counts.
        TokenPrivileges privileges;
        port.SetLastError(0);
        port.LookupPrivilegeValueA("SeShutdownPrivilege", privileges.PrivilegeLuid);
        std::uint32_t error = port.GetLastError();
        if (error != 0) return "LookupPrivilegeValue = " + std::to_string(error);

        privileges.PrivilegeCount = 1;
        privileges.Attributes = kSePrivilegeEnabled;
        unsigned char previous[kPreviousStateSize] = {};
        std::uint32_t returned = 0;
        port.SetLastError(0);
        port.AdjustTokenPrivileges(token, false, privileges, kPreviousStateSize, previous, returned);
        error = port.GetLastError();
        if (error != 0) return "AdjustTokenPrivileges = " + std::to_string(error);

        if (port.ExitWindowsEx(kEwxReboot | kEwxForceIfHung, 0)) return {};
        return "ExitWindowsEx=0";
    }();
    if (detail.empty()) return true;
    app.MsgBox("Fail to restart system! (" + detail + ")", ui::kMbOk, app.Title());
    return false;
}

}  // namespace kesma::setup
