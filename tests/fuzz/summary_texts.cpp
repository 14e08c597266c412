// The main window's summary texts over any 82-byte device record.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "controlpanel/summary_texts.h"

using namespace kesma::controlpanel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(DeviceSettings)) return 0;
    DeviceSettings s;
    std::memcpy(&s, data, sizeof s);
    static NameTables names = [] {
        NameTables n;
        n.Fill();
        return n;
    }();
    TouchModeText(names, s.TouchMode, s.RightButton, s.RbAutoMode);
    SoundText(names, s.SoundMode);
    SpeedText(names, s.SpeedH, s.SpeedV, s.Acceleration, s.BypassMode);
    PowerDownText(s.IdleTime);
    DurationText(s.RbAutoStartTime);
    DurationText(s.RbAutoEndTime);
    DeviceTypeName(s.DeviceType);
    PortInUseText(names, s);
    McuInfoText(s.McuInfo);
    for (const PortTableEntry& entry : s.PortTable) PortEntryText(s.ComPort, entry.PortBase, entry.PortIrq);
    return 0;
}
