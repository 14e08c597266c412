// The command lines of the start-up and setup programs: any bytes, any length.
#include <cstddef>
#include <cstdint>
#include <string>

#include "setup/kesmainst.h"
#include "startup/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string arguments(reinterpret_cast<const char*>(data), size);
    kesma::startup::ParseCommandLine(arguments);
    kesma::setup::IsSilentSwitch(arguments);
    return 0;
}
