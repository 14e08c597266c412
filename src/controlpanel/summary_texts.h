// The one-line texts that summarise each group of device settings, in the main
// window and in the dialogs that change them. Pure functions of their arguments
// and the name tables; values outside a table give an "Invalid#" text.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "shared/records.h"

namespace kesma::controlpanel {

struct NameTables {
    std::array<std::string, 5> TouchModeNames;  // 1..4
    std::array<std::string, 5> SoundModeNames;  // 1..4
    std::array<std::string, 5> SpeedNames;      // 1..4
    std::array<std::string, 12> BaudNames;      // 1..11
    void Fill();
};

std::string TouchModeText(const NameTables& names, int mode, int rightButton, int autoMode);
std::string SoundText(const NameTables& names, int mode);
// Steps are shown as percent (step x 5); bypass non-zero hides the other values.
std::string SpeedText(const NameTables& names, int h, int v, int acceleration, int bypass);
std::string SpeedName(const NameTables& names, int acceleration);
// idleTime in units of 10 seconds; 0 disables power-down.
std::string PowerDownText(int idleTime);
std::string DurationText(int seconds);
// One line of the port table; base 0 means irq carries the reason the port is unusable.
std::string PortEntryText(int comNumber, std::int64_t base, std::int64_t irq);
std::string DeviceTypeName(int deviceType);
// The last 2 / 4 upper-case hexadecimal digits; a negative value is written as its
// two's complement, whose low digits are the same for any width.
std::string Hex2Text(std::int64_t n);
std::string Hex4Text(std::int64_t n);
// The main window's port line, e.g. "COM1, Port=03F8, IRQ=4, (9600,N,8,1) *VELPRO".
std::string PortInUseText(const NameTables& names, const DeviceSettings& settings);
// "MCU-Mode=D4  MCU-Version=4.2  MCU-Code=12345678"
std::string McuInfoText(const std::uint8_t (&mcuInfo)[6]);

}  // namespace kesma::controlpanel
