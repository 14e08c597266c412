// Kesmawipe: the removal program on Win32.
#include "platform/win32/adapters.h"
#include "platform/win32/setup_adapters.h"
#include "platform/win32/wiring.h"
#include "removal/removal.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // The Windows Installer package's uninstall and upgrade close the companions this way
    // before they remove or replace the programs: no window, no question, status 0.
    if (commandLine && lstrcmpiA(commandLine, "/CLOSECOMPANIONS") == 0) {
        using namespace kesma::win32;
        Wiring<DeviceAdapter, RegistryAdapter, WindowAdapter, ProcessAdapter, FileAdapter> wiring;
        kesma::ProgramServices services(wiring.platform());
        kesma::removal::CloseCompanions(services);
        return 0;
    }
    return ui::RunGuarded(kesma::removal::kRemovalTitle, [] {
        using namespace kesma::win32;
        Wiring<DeviceAdapter, RegistryAdapter, WindowAdapter, ProcessAdapter, FileAdapter, ProcessControlAdapter,
               RestartAdapter>
            wiring;
        ui::Win32Backend backend;
        ui::App app(backend, kesma::removal::kRemovalTitle);
        app.Create<kesma::removal::frmMain>(wiring.platform()).Show();
        return app.Run();
    });
}
