// Kesmaboot: the start-up program on Win32.
#include "platform/win32/adapters.h"
#include "platform/win32/system_adapter.h"
#include "platform/win32/wiring.h"
#include "startup/startup.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return ui::RunGuarded(kesma::startup::kAppTitle, [commandLine] {
        using namespace kesma::win32;
        Wiring<DeviceAdapter, RegistryAdapter, WindowAdapter, ProcessAdapter, FileAdapter, SystemAdapter> wiring;
        ui::Win32Backend backend;
        ui::App app(backend, kesma::startup::kAppTitle);
        kesma::startup::Startup program(app, wiring.platform(), kesma::startup::ParseCommandLine(commandLine));
        return program.Run();
    });
}
