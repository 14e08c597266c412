#include "json.h"

#include <cstdio>
#include <string>

#include "fields.h"
#include "sim/core/kesmadrv_private.h"

namespace kesmasim {

namespace {

std::string Num(std::int64_t v) { return std::to_string(v); }

std::string Object(const std::vector<std::pair<std::string, std::string>>& members)
{
    std::string out = "{";
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (i) out += ", ";
        out += "\"" + members[i].first + "\": " + members[i].second;
    }
    return out + "}";
}

std::string Array(const std::vector<std::string>& items)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += ", ";
        out += items[i];
    }
    return out + "]";
}

std::string SettingsJson(const KesmaSimState& state)
{
    const DeviceSettings& s = state.Settings;
    std::vector<std::pair<std::string, std::string>> members;
    for (const Field& f : SettingsFields()) {
        members.emplace_back(f.name, Num(ReadField(state, f)));
        if (f.name == "ComPort") {  // keep record order
            std::vector<std::string> ports;
            for (const PortTableEntry& p : s.PortTable)
                ports.push_back(Object({{"PortBase", Num(p.PortBase)}, {"PortIrq", Num(p.PortIrq)}}));
            members.emplace_back("PortTable", Array(ports));
        }
    }
    std::vector<std::string> mcu;
    for (std::uint8_t b : s.McuInfo) mcu.push_back(Num(b));
    members.emplace_back("McuInfo", Array(mcu));
    return Object(members);
}

std::string PortResourcesJson(const PortResources& p)
{
    return Object({{"ComNumber", Num(p.ComNumber)},
                   {"IoBase", Num(p.IoBase)},
                   {"IoEnd", Num(p.IoEnd)},
                   {"IrqNumber", Num(p.IrqNumber)},
                   {"DevNodeStatus", Num(p.DevNodeStatus)},
                   {"ProblemNumber", Num(p.ProblemNumber)},
                   {"ConfigKind", Num(p.ConfigKind)}});
}

}  // namespace

std::string StateJson(const KesmaSimState& state)
{
    std::vector<std::string> ports;
    for (const PortResources& p : state.Ports) ports.push_back(PortResourcesJson(p));
    const KesmaPanelModel& panel = state.Panel;
    return Object({
        {"DeviceSettings", SettingsJson(state)},
        {"RightButtonSlot", Object({{"Window", Num(state.RightButtonSlot.Window)},
                                    {"RightClickArmed", Num(state.RightButtonSlot.Word)}})},
        {"SmiSlot", Object({{"Window", Num(state.SmiSlot.Window)},
                            {"ScreenRotation", Num(state.SmiSlot.Word)}})},
        {"TouchPoint", Object({{"X", Num(state.Touch.X)},
                               {"Y", Num(state.Touch.Y)},
                               {"Status", Num(state.Touch.Status)},
                               {"Sequence", Num(state.Touch.Sequence)}})},
        {"CalibrationPhase", Num(state.CalibrationPhase)},
        {"Fault", state.Fault ? "true" : "false"},
        {"PortResources", Array(ports)},
        {"SoundTest", Object({{"Tone", Num(state.LastSoundTest.Tone)},
                              {"Duration", Num(state.LastSoundTest.Duration)}})},
        {"Panel", Object({{"InvertX", (panel.Direction & KESMA_INVERT_X) ? "true" : "false"},
                          {"InvertY", (panel.Direction & KESMA_INVERT_Y) ? "true" : "false"},
                          {"Swap", (panel.Direction & KESMA_SWAP_XY) ? "true" : "false"},
                          {"RawMin", Num(panel.RawMin)},
                          {"RawMax", Num(panel.RawMax)}})},
    });
}

std::string HexBytes(const std::uint8_t* bytes, std::uint32_t count)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint32_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

std::string JournalEntryJson(const KesmaJournalEntry& entry)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%X", static_cast<unsigned>(entry.Code));
    const char* name = KesmaRequestName(entry.Code);
    std::uint32_t in = entry.Size < KESMA_JOURNAL_BYTES ? entry.Size : KESMA_JOURNAL_BYTES;
    std::uint32_t out = entry.OutSize < KESMA_JOURNAL_BYTES ? entry.OutSize : KESMA_JOURNAL_BYTES;
    return std::string("{\"code\":\"") + code + "\",\"name\":\"" + (name ? name : "Unknown") +
           "\",\"size\":" + Num(entry.Size) + ",\"in\":\"" + HexBytes(entry.In, in) + "\",\"out\":\"" +
           HexBytes(entry.Out, out) + "\",\"ok\":" + (entry.Status == KESMA_STATUS_OK ? "true" : "false") + "}";
}

}  // namespace kesmasim
