// The link to the KESMADRV driver: one handle, one copy of each record, and one
// procedure per request. Request results are stored, never examined: the callers
// read what they need straight from the buffers afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ports.h"
#include "shared/records.h"

namespace kesma {

class DeviceLink {
public:
    explicit DeviceLink(DevicePort& port) : port_(port) {}
    ~DeviceLink();  // closes the device when it is still open
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    bool OpenTouchDevice();   // true when the handle is valid
    void CloseTouchDevice();  // DeviceHandle is invalid afterwards

    // One request each with Settings (82 bytes, in and out).
    void GetSettings();
    void SetTouchMode();
    void SetFeedbackSound();
    void SetMouseSpeed();
    void SetCalibration();
    void SetScreenSize();
    void SetPowerSave();
    // One request each with the program's own buffer of that request.
    void ReadTouchPoint();
    void GetRightButtonWindow();
    void SetRightButtonWindow();
    void GetSmiWindow();
    void SoundTest();
    void SetCalibrationPhase(std::int32_t phase);
    void SetPortResources(PortResources& record);

    Handle DeviceHandle = kInvalidHandle;
    bool LastRequestOk = false;
    std::uint32_t BytesReturned = 0;
    DeviceSettings Settings{};
    TouchPoint Touch{};
    // Until the driver answers, no window is known: a failed first read must not send
    // messages to window 0 or make a program believe another copy is registered.
    WindowSlot RightButtonSlot{KESMA_NO_WINDOW, 0, 0};
    WindowSlot SmiSlot{KESMA_NO_WINDOW, 0, 0};
    SoundTestRecord Sound{};
    std::int32_t CalibrationPhase = 0;

private:
    void Request(std::uint32_t code, void* buffer, std::uint32_t size);
    DevicePort& port_;
};

}  // namespace kesma
