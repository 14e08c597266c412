// Kesmaboot: the start-up program on Win32.
#include "platform/win32/adapters.h"
#include "platform/win32/mouse_adapter.h"
#include "startup/startup.h"
#include "ui/win32/entry_guard.h"
#include "ui/win32/win32_backend.h"

// Last: its LoadBitmap macro would rename the toolkit's member of that name.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    return ui::RunGuarded(kesma::startup::kAppTitle, [commandLine] {
        kesma::win32::DeviceAdapter device;
        kesma::win32::RegistryAdapter registry;
        kesma::win32::WindowAdapter windows;
        kesma::win32::ProcessAdapter processes;
        kesma::win32::FileAdapter files;
        kesma::win32::MouseAdapter mouse;
        kesma::startup::Platform platform{device, registry, windows, processes, files, mouse};
        ui::Win32Backend backend;
        ui::App app(backend, kesma::startup::kAppTitle);
        kesma::startup::Startup program(app, platform, kesma::startup::ParseCommandLine(commandLine));
        return program.Run();
    });
}
