// Kesmasmi.exe stand-in: a hidden window that registers itself in the driver's SMI
// slot and ends on WM_USER 0x200E, clearing the slot. The optional argument is the
// screen rotation (0..3) it registers; default 0.
#include <windows.h>

#include <cstdlib>

#include "sim/core/kesmadrv_private.h"

namespace {

const char kClassName[] = "KesmaSmiStandIn";
const char kCaption[] = "Kesmasmi";
constexpr WPARAM kEndRequest = 0x200E;

bool SetSmiSlot(HWND window, int rotation)
{
    HANDLE device = ::CreateFileA(KESMA_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    WindowSlot slot{};
    slot.Window = window ? static_cast<int32_t>(reinterpret_cast<intptr_t>(window)) : KESMA_NO_WINDOW;
    slot.Word = static_cast<uint16_t>(rotation);
    DWORD bytes = 0;
    BOOL ok = ::DeviceIoControl(device, KESMA_SIM_SET_SMI_SLOT, &slot, sizeof slot, nullptr, 0, &bytes, nullptr);
    ::CloseHandle(device);
    return ok != FALSE;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_USER:
        if (wParam == kEndRequest) ::DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        SetSmiSlot(nullptr, 0);
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    int rotation = std::atoi(commandLine);
    if (rotation < 0 || rotation > 3) rotation = 0;

    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    if (!::RegisterClassA(&wc)) return 1;
    // Never shown: the installation's program has no visible window either.
    HWND window = ::CreateWindowA(kClassName, kCaption, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    if (!SetSmiSlot(window, rotation)) {
        ::DestroyWindow(window);
        return 2;
    }
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
