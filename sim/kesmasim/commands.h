// kesmasim's commands over an abstract link to the simulated driver, so that the
// host tests run them against the core and the Windows tool against the driver.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace kesmasim {

class Host {
public:
    virtual ~Host() = default;
    // Opens the device; false with a reason when the driver cannot be reached.
    virtual bool Open(std::string& error) = 0;
    // One request on the open device; false when the driver refused it.
    virtual bool Request(std::uint32_t code, void* buffer, std::uint32_t inSize, std::uint32_t outSize,
                         std::uint32_t& bytesOut) = 0;
    virtual bool Install(std::string& error) = 0;
    virtual bool Uninstall(std::string& error) = 0;
    virtual std::uint64_t NowMs() = 0;
    virtual void SleepUntilMs(std::uint64_t deadline) = 0;
};

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the driver is not reachable or refused a request
constexpr int kExitUsage = 2;   // unknown command, bad option or number

constexpr int kDefaultRateHz = 50;
constexpr int kDefaultTapMs = 1000;  // two hold periods of the calibration run

// Runs one command line (without the program name); output on `out`, messages on `err`.
int Run(const std::vector<std::string>& args, Host& host, std::ostream& out, std::ostream& err);

}  // namespace kesmasim
