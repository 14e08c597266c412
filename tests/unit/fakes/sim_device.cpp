#include "sim_device.h"

#include "sim/core/kesmadrv_private.h"

namespace kesma::test {

SimDevice::SimDevice() : state_(std::make_unique<KesmaCoreState>())
{
    KesmaCoreReset(state_.get());
}

std::vector<SimDevice::Entry> SimDevice::Journal() const
{
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < state_->JournalTotal; ++i) {
        const KesmaJournalEntry* e = KesmaCoreJournalEntry(state_.get(), i);
        if (e == nullptr) continue;  // overwritten
        std::uint32_t inBytes = e->Size < KESMA_JOURNAL_BYTES ? e->Size : KESMA_JOURNAL_BYTES;
        std::uint32_t outBytes = e->OutSize < KESMA_JOURNAL_BYTES ? e->OutSize : KESMA_JOURNAL_BYTES;
        entries.push_back({e->Code, e->Size, std::vector<std::uint8_t>(e->In, e->In + inBytes),
                           std::vector<std::uint8_t>(e->Out, e->Out + outBytes),
                           e->Status == KESMA_STATUS_OK});
    }
    return entries;
}

std::vector<std::uint32_t> SimDevice::Codes() const
{
    std::vector<std::uint32_t> codes;
    for (const Entry& e : Journal()) codes.push_back(e.code);
    return codes;
}

std::uint32_t SimDevice::Private(std::uint32_t code, void* buffer, std::uint32_t inSize,
                                 std::uint32_t outSize)
{
    std::uint32_t bytes = 0;
    return KesmaCoreRequest(state_.get(), code, buffer, inSize, outSize, &bytes);
}

void SimDevice::ClearJournal() { Private(KESMA_SIM_CLEAR_JOURNAL, nullptr, 0, 0); }

void SimDevice::Touch(int x, int y)
{
    TouchPoint report{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), KESMA_PEN_DOWN, 0, 0};
    Private(KESMA_SIM_POST_TOUCH, &report, sizeof report, 0);
}

void SimDevice::Lift()
{
    TouchPoint report = state_->Sim.Touch;
    report.Status = 0;
    Private(KESMA_SIM_POST_TOUCH, &report, sizeof report, 0);
}

void SimDevice::PerformRightClick() { Private(KESMA_SIM_PERFORM_RIGHT_CLICK, nullptr, 0, 0); }

void SimDevice::SetFault(bool on)
{
    std::int32_t value = on ? 1 : 0;
    Private(KESMA_SIM_SET_FAULT, &value, sizeof value, 0);
}

Handle SimDevice::CreateFileA(const std::string& name)
{
    if (!present || name != KESMA_DEVICE_PATH) return kInvalidHandle;
    ++opens;
    return kHandle;
}

bool SimDevice::DeviceIoControl(Handle handle, std::uint32_t code, void* buffer, std::uint32_t size,
                                std::uint32_t& bytesReturned)
{
    bytesReturned = 0;
    if (handle != kHandle) return false;  // ERROR_INVALID_HANDLE
    std::uint32_t status = KesmaCoreRequest(state_.get(), code, buffer, size, size, &bytesReturned);
    if (OnRequest) OnRequest(code);
    return status == KESMA_STATUS_OK;
}

bool SimDevice::CloseHandle(Handle handle)
{
    ++closes;
    return handle == kHandle;
}

}  // namespace kesma::test
