// kesmasim's output: the driver state and journal entries as JSON.
#pragma once

#include <cstdint>
#include <string>

#include "sim/core/kesmadrv_core.h"

namespace kesmasim {

// The whole state as one object, numbers in decimal.
std::string StateJson(const KesmaSimState& state);

// One journal line: {"code":"0xF2060","name":"SetTouchMode","size":82,"in":"..","out":"..","ok":true}
std::string JournalEntryJson(const KesmaJournalEntry& entry);

std::string HexBytes(const std::uint8_t* bytes, std::uint32_t count);

}  // namespace kesmasim
