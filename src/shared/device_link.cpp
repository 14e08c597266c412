#include "shared/device_link.h"

namespace kesma {

DeviceLink::~DeviceLink() {
    if (DeviceHandle != kInvalidHandle) CloseTouchDevice();
}

bool DeviceLink::OpenTouchDevice() {
    DeviceHandle = port_.CreateFileA(std::string("\\\\.\\") + KESMA_DEVICE_NAME);
    return DeviceHandle != kInvalidHandle;
}

void DeviceLink::CloseTouchDevice() {
    LastRequestOk = port_.CloseHandle(DeviceHandle);
    // A closed handle value may be reused by the system; never close it twice.
    DeviceHandle = kInvalidHandle;
}

void DeviceLink::Request(std::uint32_t code, void* buffer, std::uint32_t size) {
    LastRequestOk = port_.DeviceIoControl(DeviceHandle, code, buffer, size, BytesReturned);
}

void DeviceLink::GetSettings() { Request(KESMA_GET_SETTINGS, &Settings, sizeof Settings); }
void DeviceLink::SetTouchMode() { Request(KESMA_SET_TOUCH_MODE, &Settings, sizeof Settings); }
void DeviceLink::SetFeedbackSound() { Request(KESMA_SET_FEEDBACK_SOUND, &Settings, sizeof Settings); }
void DeviceLink::SetMouseSpeed() { Request(KESMA_SET_MOUSE_SPEED, &Settings, sizeof Settings); }
void DeviceLink::SetCalibration() { Request(KESMA_SET_CALIBRATION, &Settings, sizeof Settings); }
void DeviceLink::SetScreenSize() { Request(KESMA_SET_SCREEN_SIZE, &Settings, sizeof Settings); }
void DeviceLink::SetPowerSave() { Request(KESMA_SET_POWER_SAVE, &Settings, sizeof Settings); }

void DeviceLink::ReadTouchPoint() { Request(KESMA_READ_TOUCH_POINT, &Touch, sizeof Touch); }
void DeviceLink::GetRightButtonWindow() {
    Request(KESMA_GET_RIGHT_BUTTON_WINDOW, &RightButtonSlot, sizeof RightButtonSlot);
}
void DeviceLink::SetRightButtonWindow() {
    Request(KESMA_SET_RIGHT_BUTTON_WINDOW, &RightButtonSlot, sizeof RightButtonSlot);
}
void DeviceLink::GetSmiWindow() { Request(KESMA_GET_SMI_WINDOW, &SmiSlot, sizeof SmiSlot); }
void DeviceLink::SoundTest() { Request(KESMA_SOUND_TEST, &Sound, sizeof Sound); }

void DeviceLink::SetCalibrationPhase(std::int32_t phase) {
    CalibrationPhase = phase;
    Request(KESMA_SET_CALIBRATION_PHASE, &CalibrationPhase, sizeof CalibrationPhase);
}

void DeviceLink::SetPortResources(PortResources& record) {
    Request(KESMA_SET_PORT_RESOURCES, &record, sizeof record);
}

}  // namespace kesma
