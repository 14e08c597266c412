// DeviceSettings fields by name, for `state` and `set`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/core/kesmadrv_core.h"

namespace kesmasim {

enum class FieldKind { U8, U16, I16, I32 };

// One settable number inside KesmaSimState.
struct Field {
    std::string name;
    std::size_t offset;  // from the start of KesmaSimState
    FieldKind kind;
};

// The scalar DeviceSettings fields in record order (PortTable and McuInfo excluded).
const std::vector<Field>& SettingsFields();

// A field by its `set` name: a DeviceSettings field, McuInfo[i], PortTable[n].PortBase or
// PortTable[n].PortIrq (COM numbers 1..9), or a slot word (RightButtonSlot.Window,
// RightButtonSlot.RightClickArmed, SmiSlot.Window, SmiSlot.ScreenRotation, CalibrationPhase).
std::optional<Field> FindField(const std::string& name);

std::int64_t ReadField(const KesmaSimState& state, const Field& field);
// False when the value does not fit the field; the state is then unchanged.
bool WriteField(KesmaSimState& state, const Field& field, std::int64_t value);

// Decimal (optionally negative) or 0x hexadecimal; nothing else, no trailing text.
std::optional<std::int64_t> ParseNumber(const std::string& text);

}  // namespace kesmasim
