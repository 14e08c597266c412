#include "fields.h"

#include <cstring>
#include <limits>

namespace kesmasim {

namespace {

#define KESMA_SETTING(name, kind) \
    Field { #name, offsetof(KesmaSimState, Settings) + offsetof(DeviceSettings, name), FieldKind::kind }

constexpr std::size_t kPortTable = offsetof(KesmaSimState, Settings) + offsetof(DeviceSettings, PortTable);
constexpr std::size_t kMcuInfo = offsetof(KesmaSimState, Settings) + offsetof(DeviceSettings, McuInfo);

// "Prefix[n]Rest" → n and Rest, when the text starts with Prefix[.
std::optional<std::pair<std::int64_t, std::string>> Indexed(const std::string& name, const std::string& prefix)
{
    if (name.compare(0, prefix.size() + 1, prefix + "[") != 0) return std::nullopt;
    std::size_t close = name.find(']', prefix.size());
    if (close == std::string::npos) return std::nullopt;
    auto index = ParseNumber(name.substr(prefix.size() + 1, close - prefix.size() - 1));
    if (!index) return std::nullopt;
    return std::make_pair(*index, name.substr(close + 1));
}

}  // namespace

const std::vector<Field>& SettingsFields()
{
    static const std::vector<Field> fields = {
        KESMA_SETTING(BasePort, U16),       KESMA_SETTING(Irq, U8),
        KESMA_SETTING(ComPort, U8),         KESMA_SETTING(TouchMode, U8),
        KESMA_SETTING(SoundMode, U8),       KESMA_SETTING(SoundTone, U16),
        KESMA_SETTING(SoundDuration, U16),  KESMA_SETTING(Level, U8),
        KESMA_SETTING(BypassMode, U8),      KESMA_SETTING(SpeedH, U8),
        KESMA_SETTING(SpeedV, U8),          KESMA_SETTING(Acceleration, U8),
        KESMA_SETTING(IdleTime, U8),        KESMA_SETTING(BaudIndex, U8),
        KESMA_SETTING(RightButton, U8),     KESMA_SETTING(RbAutoMode, U8),
        KESMA_SETTING(RbAutoStartTime, U8), KESMA_SETTING(RbAutoEndTime, U8),
        KESMA_SETTING(RbAutoBeep, U8),      KESMA_SETTING(CalXMin, I16),
        KESMA_SETTING(CalXMid, I16),        KESMA_SETTING(CalXMax, I16),
        KESMA_SETTING(CalYMin, I16),        KESMA_SETTING(CalYMid, I16),
        KESMA_SETTING(CalYMax, I16),        KESMA_SETTING(PanelDirection, U8),
        KESMA_SETTING(DeviceType, U8),      KESMA_SETTING(ScreenWidth, U16),
        KESMA_SETTING(ScreenHeight, U16),
    };
#undef KESMA_SETTING
    return fields;
}

std::optional<Field> FindField(const std::string& name)
{
    for (const Field& f : SettingsFields())
        if (f.name == name) return f;

    static const std::vector<Field> others = {
        {"RightButtonSlot.Window", offsetof(KesmaSimState, RightButtonSlot) + offsetof(WindowSlot, Window), FieldKind::I32},
        {"RightButtonSlot.RightClickArmed", offsetof(KesmaSimState, RightButtonSlot) + offsetof(WindowSlot, Word), FieldKind::U16},
        {"SmiSlot.Window", offsetof(KesmaSimState, SmiSlot) + offsetof(WindowSlot, Window), FieldKind::I32},
        {"SmiSlot.ScreenRotation", offsetof(KesmaSimState, SmiSlot) + offsetof(WindowSlot, Word), FieldKind::U16},
        {"CalibrationPhase", offsetof(KesmaSimState, CalibrationPhase), FieldKind::I32},
    };
    for (const Field& f : others)
        if (f.name == name) return f;

    if (auto mcu = Indexed(name, "McuInfo")) {
        auto [index, rest] = *mcu;
        if (rest.empty() && index >= 0 && index < 6)
            return Field{name, kMcuInfo + static_cast<std::size_t>(index), FieldKind::U8};
    }
    if (auto port = Indexed(name, "PortTable")) {
        auto [com, rest] = *port;
        if (com >= 1 && com <= 9) {
            std::size_t entry = kPortTable + static_cast<std::size_t>(com - 1) * sizeof(PortTableEntry);
            if (rest == ".PortBase") return Field{name, entry + offsetof(PortTableEntry, PortBase), FieldKind::U16};
            if (rest == ".PortIrq") return Field{name, entry + offsetof(PortTableEntry, PortIrq), FieldKind::U8};
        }
    }
    return std::nullopt;
}

std::int64_t ReadField(const KesmaSimState& state, const Field& field)
{
    const auto* at = reinterpret_cast<const unsigned char*>(&state) + field.offset;
    switch (field.kind) {
    case FieldKind::U8: return *at;
    case FieldKind::U16: { std::uint16_t v; std::memcpy(&v, at, sizeof v); return v; }
    case FieldKind::I16: { std::int16_t v; std::memcpy(&v, at, sizeof v); return v; }
    case FieldKind::I32: { std::int32_t v; std::memcpy(&v, at, sizeof v); return v; }
    }
    return 0;
}

namespace {

template <typename T>
bool Store(unsigned char* at, std::int64_t value)
{
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) return false;
    T v = static_cast<T>(value);
    std::memcpy(at, &v, sizeof v);
    return true;
}

}  // namespace

bool WriteField(KesmaSimState& state, const Field& field, std::int64_t value)
{
    auto* at = reinterpret_cast<unsigned char*>(&state) + field.offset;
    switch (field.kind) {
    case FieldKind::U8: return Store<std::uint8_t>(at, value);
    case FieldKind::U16: return Store<std::uint16_t>(at, value);
    case FieldKind::I16: return Store<std::int16_t>(at, value);
    case FieldKind::I32: return Store<std::int32_t>(at, value);
    }
    return false;
}

std::optional<std::int64_t> ParseNumber(const std::string& text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    int base = 10;
    if (text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / base) return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

}  // namespace kesmasim
