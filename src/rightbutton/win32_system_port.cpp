#include "rightbutton/win32_system_port.h"

#include "platform/win32/win32.h"
#undef GetClassName  // the port's method of that name

namespace kesma {

PixelRect Win32SystemPort::WorkArea() {
    RECT rect{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

PixelRect Win32SystemPort::GetWindowRect(Hwnd window) {
    RECT rect{};
    ::GetWindowRect(reinterpret_cast<HWND>(window), &rect);
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

int Win32SystemPort::GetClassName(Hwnd window, char* buffer, int capacity) {
    return ::GetClassNameA(reinterpret_cast<HWND>(window), buffer, capacity);
}

bool Win32SystemPort::SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) {
    return ::SetWindowPos(reinterpret_cast<HWND>(window), reinterpret_cast<HWND>(insertAfter), 0, 0, 0, 0,
                          flags) != FALSE;
}

}  // namespace kesma
