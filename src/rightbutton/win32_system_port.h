// The Win32 adapter of SystemPort.
#pragma once

#include "rightbutton/system_port.h"

namespace kesma {

class Win32SystemPort : public SystemPort {
public:
    PixelRect WorkArea() override;
    PixelRect GetWindowRect(Hwnd window) override;
    int GetClassName(Hwnd window, char* buffer, int capacity) override;
    bool SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) override;
};

}  // namespace kesma
