// Kesmarbtn: the right-button window on Win32.
#include "platform/win32/adapters.h"
#include "platform/win32/system_adapter.h"
#include "platform/win32/wiring.h"
#include "rightbutton/right_button.h"
#include "shared/device_link.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return ui::RunGuarded(kesma::rightbutton::kAppTitle, [] {
        using namespace kesma::win32;
        Wiring<DeviceAdapter, WindowAdapter, SystemAdapter> wiring;
        kesma::Platform& platform = wiring.platform();
        // The link outlives the app and its form: a wait in progress still holds it.
        kesma::DeviceLink link(platform.Get<kesma::DevicePort>());
        ui::Win32Backend backend;
        ui::App app(backend, kesma::rightbutton::kAppTitle);
        auto& form = app.Create<kesma::rightbutton::frmMain>(link, platform.Get<kesma::WindowPort>(),
                                                             platform.Get<kesma::SystemPort>());
        form.Load();
        if (app.Ended()) return app.ExitCode();
        // Windows applies the show flag of the start (SW_HIDE from the programs that start
        // this one) to the first ShowWindow of a process. Spend it on the still hidden
        // window, so that the button the user has just switched on is shown.
        ShowWindow(reinterpret_cast<HWND>(form.Handle()), SW_HIDE);
        form.Show();
        return app.Run();
    });
}
