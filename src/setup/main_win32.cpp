// Kesmainst: the setup program on Win32.
#include "platform/win32/adapters.h"
#include "platform/win32/setup_adapters.h"
#include "platform/win32/wiring.h"
#include "setup/kesmainst.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const std::string arguments = commandLine ? commandLine : "";
    // An unattended installation waits for no box, not even one of an unexpected error.
    const bool showBox = !kesma::setup::IsSilentSwitch(arguments);
    return ui::RunGuarded(kesma::setup::kSetupTitle, [&arguments] {
        using namespace kesma::win32;
        Wiring<RegistryAdapter, FileAdapter, ProfileAdapter, RestartAdapter, DebugAdapter> wiring;
        ui::Win32Backend backend;
        ui::App app(backend, kesma::setup::kSetupTitle);
        kesma::setup::RunSetup(app, wiring.platform(), arguments);
        return app.ExitCode();
    }, showBox);
}
