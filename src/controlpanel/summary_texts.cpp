#include "controlpanel/summary_texts.h"

#include <cstdio>

namespace kesma::controlpanel {

void NameTables::Fill() {
    TouchModeNames = {"", "Stream Mode", "Lift Off Mode", "Touch Down Mode", "Drag Drop Mode"};
    // "&&" shows as one "&" in a caption.
    SoundModeNames = {"", "Silence ( No Sound )", "Touch Down Only", "Lift Off Only",
                      "Both Touch Down && Lift Off"};
    SpeedNames = {"", "Slow", "Medium", "Fast", "Off"};
    BaudNames = {"",      "1200",  "2400",  "4800",  "9600",  "14400",
                 "19200", "28800", "38400", "57600", "76800", "115200"};
}

namespace {

// Entries 1..4 are valid; anything else is shown by number.
std::string Lookup(const std::array<std::string, 5>& table, int value) {
    if (value < 1 || value > 4) return "Invalid#" + std::to_string(value);
    return table[static_cast<std::size_t>(value)];
}

// A blank before a non-negative number, the minus sign before a negative one.
std::string SignedDec(int n) { return (n >= 0 ? " " : "") + std::to_string(n); }

std::string HexDigits(std::uint64_t n, int digits) {
    char text[17];
    std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<unsigned long long>(n));
    return text;
}

}  // namespace

std::string TouchModeText(const NameTables& names, int mode, int rightButton, int autoMode) {
    if (mode < 1 || mode > 4) {
        return "Invalid#" + std::to_string(mode) + "," + std::to_string(rightButton) + "," +
               std::to_string(autoMode);
    }
    std::string text = names.TouchModeNames[static_cast<std::size_t>(mode)] + ", RBF ";
    if (rightButton == 0) return text + "Disable";
    text += "Enable";
    if (mode == KESMA_DRAG_DROP_MODE) text += autoMode == 1 ? " ( Automatic Mode )" : " ( Manual Mode )";
    return text;
}

std::string SoundText(const NameTables& names, int mode) { return Lookup(names.SoundModeNames, mode); }

std::string SpeedName(const NameTables& names, int acceleration) {
    return Lookup(names.SpeedNames, acceleration);
}

std::string SpeedText(const NameTables& names, int h, int v, int acceleration, int bypass) {
    if (bypass != 0) return "Enable Bypass Mode";
    return "HS=" + std::to_string(h * 5) + "%, VS=" + std::to_string(v * 5) +
           "%, Acceleration=" + SpeedName(names, acceleration);
}

std::string PowerDownText(int idleTime) {
    if (idleTime == 0) return "Disable Power Down Function";
    return "Power Down When Idle " + DurationText(idleTime * 10);
}

std::string DurationText(int seconds) {
    if (seconds == 0) return "Disable";
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    std::string text;
    if (minutes != 0) text = SignedDec(minutes) + " Min. ";
    if (rest != 0) text += SignedDec(rest) + " Sec.";
    return text;
}

std::string PortEntryText(int comNumber, std::int64_t base, std::int64_t irq) {
    const std::string com = "COM" + std::to_string(comNumber);
    if (base != 0) return com + ", BasePort=" + Hex4Text(base) + "h, IRQ=" + std::to_string(irq);
    if (irq == 255) return com + "..Not Found.";
    if (irq == 254) return com + "..Used by Other Device.";
    return com + "..Unabled (code=" + std::to_string(irq) + ")";
}

std::string DeviceTypeName(int deviceType) {
    switch (deviceType) {
        case 0: return "VELPRO";
        case 1: return "ELCOM";
        default: return "";
    }
}

std::string Hex2Text(std::int64_t n) { return HexDigits(static_cast<std::uint64_t>(n) & 0xFFu, 2); }

std::string Hex4Text(std::int64_t n) { return HexDigits(static_cast<std::uint64_t>(n) & 0xFFFFu, 4); }

std::string PortInUseText(const NameTables& names, const DeviceSettings& settings) {
    // A rate index beyond the table has no name: the rate stays empty.
    const std::string rate =
        settings.BaudIndex < names.BaudNames.size() ? names.BaudNames[settings.BaudIndex] : "";
    return "COM" + std::to_string(settings.ComPort) + ", Port=" + Hex4Text(settings.BasePort) +
           ", IRQ=" + std::to_string(settings.Irq) + ", (" + rate + ",N,8,1) *" +
           DeviceTypeName(settings.DeviceType);
}

std::string McuInfoText(const std::uint8_t (&mcuInfo)[6]) {
    // The version byte holds two decimal digits, one per half-byte; a half-byte above 9
    // ends the number there.
    int version = 0;
    for (char digit : Hex2Text(mcuInfo[1])) {
        if (digit < '0' || digit > '9') break;
        version = version * 10 + (digit - '0');
    }
    return "MCU-Mode=" + Hex2Text(mcuInfo[0]) + "  MCU-Version=" + std::to_string(version / 10) + "." +
           std::to_string(version % 10) + "  MCU-Code=" + Hex2Text(mcuInfo[2]) + Hex2Text(mcuInfo[3]) +
           Hex2Text(mcuInfo[4]) + Hex2Text(mcuInfo[5]);
}

}  // namespace kesma::controlpanel
