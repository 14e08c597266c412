// The device as the host tests see it: the simulated driver's own core, reached
// through the same DevicePort calls the programs make.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ports.h"
#include "sim/core/kesmadrv_core.h"

namespace kesma::test {

class SimDevice : public kesma::DevicePort {
public:
    static constexpr Handle kHandle = 100;

    SimDevice();  // reset state

    bool present = true;  // false: CreateFileA fails, as with no driver installed
    int opens = 0;        // successful CreateFileA calls
    int closes = 0;       // CloseHandle calls

    KesmaCoreState& state() { return *state_; }
    DeviceSettings& settings() { return state_->Sim.Settings; }

    struct Entry {
        std::uint32_t code;
        std::uint32_t size;
        std::vector<std::uint8_t> in, out;  // out: the bytes returned
        bool ok;
    };
    std::vector<Entry> Journal() const;  // public requests only, in order
    std::vector<std::uint32_t> Codes() const;
    void ClearJournal();

    void Touch(int x, int y);  // a new report, pen down
    void Lift();               // a new report, pen up at the last position
    void PerformRightClick();  // clears RightClickArmed
    void SetFault(bool on);    // every public request fails while on

    // Called after each DeviceIoControl with its code, so tests can react (for
    // example touch or click after a number of polls).
    std::function<void(std::uint32_t code)> OnRequest;

    Handle CreateFileA(const std::string& name) override;
    bool DeviceIoControl(Handle handle, std::uint32_t code, void* buffer, std::uint32_t size,
                         std::uint32_t& bytesReturned) override;
    bool CloseHandle(Handle handle) override;

private:
    std::uint32_t Private(std::uint32_t code, void* buffer, std::uint32_t inSize, std::uint32_t outSize);

    std::unique_ptr<KesmaCoreState> state_;  // about 45 KB, kept off the stack
};

}  // namespace kesma::test
