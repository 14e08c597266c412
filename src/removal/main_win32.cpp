// Kesmawipe: the removal program on Win32.
#include "platform/win32/adapters.h"
#include "platform/win32/setup_adapters.h"
#include "removal/removal.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

// Last: its LoadBitmap macro would rename the toolkit's member of that name.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ui::RunGuarded(kesma::removal::kRemovalTitle, [] {
        kesma::win32::DeviceAdapter device;
        kesma::win32::RegistryAdapter registry;
        kesma::win32::WindowAdapter windows;
        kesma::win32::ProcessAdapter processes;
        kesma::win32::FileAdapter files;
        kesma::win32::ProcessControlAdapter processControl;
        kesma::win32::RestartAdapter restart;
        kesma::removal::RemovalPlatform platform{device, registry, windows, processes, files, processControl, restart};
        ui::Win32Backend backend;
        ui::App app(backend, kesma::removal::kRemovalTitle);
        app.Create<kesma::removal::frmMain>(platform).Show();
        return app.Run();
    });
}
