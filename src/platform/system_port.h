// The system parameters and metrics: the mouse's double-click values, the screen size
// and the work area.
#pragma once

namespace kesma {

constexpr unsigned kSpiSetDoubleClkWidth = 29;
constexpr unsigned kSpiSetDoubleClkHeight = 30;
constexpr unsigned kSpiSetDoubleClickTime = 32;
constexpr unsigned kSpiGetWorkArea = 48;  // into a PixelRect
constexpr unsigned kSpifSendWinIniChange = 2;

constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
constexpr int kSmCxDoubleClk = 36;
constexpr int kSmCyDoubleClk = 37;

class SystemPort {
public:
    virtual ~SystemPort() = default;
    // SystemParametersInfoA(action, parameter, data, flags); true when it returns nonzero.
    virtual bool SystemParametersInfoA(unsigned action, unsigned parameter, void* data, unsigned flags) = 0;
    virtual unsigned GetDoubleClickTime() = 0;
    virtual int GetSystemMetrics(int index) = 0;
};

}  // namespace kesma
