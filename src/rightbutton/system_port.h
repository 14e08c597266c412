// The system calls the right-button window makes besides the device and the
// inter-program messages: where the work area ends, how big the window really is, what
// class a window is of, and keeping the window on top.
#pragma once

#include "platform/ports.h"

namespace kesma {

// A rectangle in screen pixels; right and bottom are exclusive, as Windows gives them.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

constexpr Hwnd kHwndTopMost = -1;
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoMove = 0x0002;

class SystemPort {
public:
    virtual ~SystemPort() = default;
    // SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0)
    virtual PixelRect WorkArea() = 0;
    // GetWindowRect(window, &rect)
    virtual PixelRect GetWindowRect(Hwnd window) = 0;
    // GetClassNameA(window, buffer, capacity); returns the characters copied, 0 when no
    // window has that handle.
    virtual int GetClassName(Hwnd window, char* buffer, int capacity) = 0;
    // SetWindowPos(window, insertAfter, 0, 0, 0, 0, flags)
    virtual bool SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) = 0;
};

}  // namespace kesma
