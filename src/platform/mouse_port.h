// The Windows mouse and screen parameters the start-up program reads and sets.
#pragma once

namespace kesma {

constexpr unsigned kSpiSetDoubleClkWidth = 29;
constexpr unsigned kSpiSetDoubleClkHeight = 30;
constexpr unsigned kSpiSetDoubleClickTime = 32;
constexpr unsigned kSpifSendWinIniChange = 2;

constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
constexpr int kSmCxDoubleClk = 36;
constexpr int kSmCyDoubleClk = 37;

class MousePort {
public:
    virtual ~MousePort() = default;
    // SystemParametersInfoA(action, parameter, nullptr, flags); true when it returns nonzero.
    virtual bool SystemParametersInfo(unsigned action, unsigned parameter, unsigned flags) = 0;
    virtual unsigned GetDoubleClickTime() = 0;
    virtual int GetSystemMetrics(int index) = 0;
};

}  // namespace kesma
