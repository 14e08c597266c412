// Kesmapan: the control panel on Win32.
#include "controlpanel/control_panel.h"
#include "controlpanel/main_window.h"
#include "platform/win32/adapters.h"
#include "platform/win32/device_enum_win32.h"
#include "platform/win32/wiring.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ui::RunGuarded(kesma::controlpanel::kAppTitle, [] {
        using namespace kesma::win32;
        Wiring<DeviceAdapter, RegistryAdapter, WindowAdapter, ProcessAdapter, FileAdapter, DeviceEnumAdapter> wiring;
        ui::Win32Backend backend;
        ui::App app(backend, kesma::controlpanel::kAppTitle);
        kesma::controlpanel::ControlPanel cp(app, wiring.platform());
        app.Create<kesma::controlpanel::frmMain>(cp).Show();
        return app.Run();
    });
}
