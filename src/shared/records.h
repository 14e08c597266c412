/* Records and request codes exchanged with the KESMADRV driver.
 *
 * Plain C so that the simulated driver's core (C, kernel side) and the
 * programs (C++) share one definition of every layout. All fields are
 * little-endian and packed. */
#ifndef KESMA_SHARED_RECORDS_H
#define KESMA_SHARED_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define KESMA_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define KESMA_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* The Windows CTL_CODE rule for FILE_DEVICE_MOUSE, METHOD_BUFFERED, FILE_ANY_ACCESS. */
#define KESMA_DEVICE_TYPE 0x000Fu
#define KESMA_CTL_CODE(function) ((KESMA_DEVICE_TYPE << 16) | (0u << 14) | ((uint32_t)(function) << 2) | 0u)

#define KESMA_DEVICE_NAME "KESMADRV"
#define KESMA_DEVICE_PATH "\\\\.\\KESMADRV"

enum KesmaRequest {
    KESMA_GET_SETTINGS = KESMA_CTL_CODE(0x804),
    KESMA_READ_TOUCH_POINT = KESMA_CTL_CODE(0x80C),
    KESMA_SET_CALIBRATION_PHASE = KESMA_CTL_CODE(0x810),
    KESMA_SET_TOUCH_MODE = KESMA_CTL_CODE(0x818),
    KESMA_SET_FEEDBACK_SOUND = KESMA_CTL_CODE(0x81C),
    KESMA_SET_MOUSE_SPEED = KESMA_CTL_CODE(0x824),
    KESMA_SET_CALIBRATION = KESMA_CTL_CODE(0x828),
    KESMA_SET_SCREEN_SIZE = KESMA_CTL_CODE(0x82C),
    KESMA_SET_POWER_SAVE = KESMA_CTL_CODE(0x830),
    KESMA_SET_PORT_RESOURCES = KESMA_CTL_CODE(0x834),
    KESMA_GET_RIGHT_BUTTON_WINDOW = KESMA_CTL_CODE(0xC04),
    KESMA_SET_RIGHT_BUTTON_WINDOW = KESMA_CTL_CODE(0xC08),
    KESMA_GET_SMI_WINDOW = KESMA_CTL_CODE(0x1004),
    KESMA_SOUND_TEST = KESMA_CTL_CODE(0x1404)
};

KESMA_STATIC_ASSERT(KESMA_GET_SETTINGS == 0xF2010u, "GetSettings code");
KESMA_STATIC_ASSERT(KESMA_READ_TOUCH_POINT == 0xF2030u, "ReadTouchPoint code");
KESMA_STATIC_ASSERT(KESMA_SET_CALIBRATION_PHASE == 0xF2040u, "SetCalibrationPhase code");
KESMA_STATIC_ASSERT(KESMA_SET_TOUCH_MODE == 0xF2060u, "SetTouchMode code");
KESMA_STATIC_ASSERT(KESMA_SET_FEEDBACK_SOUND == 0xF2070u, "SetFeedbackSound code");
KESMA_STATIC_ASSERT(KESMA_SET_MOUSE_SPEED == 0xF2090u, "SetMouseSpeed code");
KESMA_STATIC_ASSERT(KESMA_SET_CALIBRATION == 0xF20A0u, "SetCalibration code");
KESMA_STATIC_ASSERT(KESMA_SET_SCREEN_SIZE == 0xF20B0u, "SetScreenSize code");
KESMA_STATIC_ASSERT(KESMA_SET_POWER_SAVE == 0xF20C0u, "SetPowerSave code");
KESMA_STATIC_ASSERT(KESMA_SET_PORT_RESOURCES == 0xF20D0u, "SetPortResources code");
KESMA_STATIC_ASSERT(KESMA_GET_RIGHT_BUTTON_WINDOW == 0xF3010u, "GetRightButtonWindow code");
KESMA_STATIC_ASSERT(KESMA_SET_RIGHT_BUTTON_WINDOW == 0xF3020u, "SetRightButtonWindow code");
KESMA_STATIC_ASSERT(KESMA_GET_SMI_WINDOW == 0xF4010u, "GetSmiWindow code");
KESMA_STATIC_ASSERT(KESMA_SOUND_TEST == 0xF5010u, "SoundTest code");

#pragma pack(push, 1)

/* One COMn entry of the driver's port table. PortBase 0 means unusable; PortIrq then
 * carries the reason: 255 not found, 254 used by another device, else a problem code. */
typedef struct PortTableEntry {
    uint16_t PortBase;
    uint8_t PortIrq;
    uint8_t Spare;
} PortTableEntry;

/* The TouchMode of drag and drop, in which the right-button function can click by itself. */
#define KESMA_DRAG_DROP_MODE 4

/* PanelDirection bits. */
#define KESMA_INVERT_X 0x01u
#define KESMA_INVERT_Y 0x02u
#define KESMA_SWAP_XY 0x04u

typedef struct DeviceSettings {
    uint16_t BasePort;
    uint8_t Irq;
    uint8_t ComPort; /* 1..9; 0 = no controller found */
    PortTableEntry PortTable[9]; /* COM1..COM9 */
    uint8_t TouchMode;
    uint8_t SoundMode;
    uint16_t SoundTone;
    uint16_t SoundDuration;
    uint8_t Level;
    uint8_t BypassMode;
    uint8_t SpeedH;
    uint8_t SpeedV;
    uint8_t Acceleration;
    uint8_t IdleTime;
    uint8_t BaudIndex;
    uint8_t RightButton;
    uint8_t RbAutoMode;
    uint8_t RbAutoStartTime;
    uint8_t RbAutoEndTime;
    uint8_t RbAutoBeep;
    int16_t CalXMin;
    int16_t CalXMid;
    int16_t CalXMax;
    int16_t CalYMin;
    int16_t CalYMid;
    int16_t CalYMax;
    uint8_t PanelDirection;
    uint8_t DeviceType; /* 0 VELPRO, 1 ELCOM */
    uint16_t ScreenWidth;
    uint16_t ScreenHeight;
    uint8_t McuInfo[6];
} DeviceSettings;

#define KESMA_PEN_DOWN 0x08u

typedef struct TouchPoint {
    int16_t X;
    int16_t Y;
    uint8_t Status; /* KESMA_PEN_DOWN while touched */
    uint8_t Spare;
    uint16_t Sequence; /* changes with every new report */
} TouchPoint;

/* Window is a window handle as a 32-bit value (handles are 32-bit significant on 64-bit
 * Windows too, and sign-extend), so 32-bit and 64-bit programs share one slot layout. Word is
 * RightClickArmed in the right-button slot and ScreenRotation in the SMI slot. */
typedef struct WindowSlot {
    int32_t Window; /* -1 = no window registered */
    uint16_t Word;
    uint16_t Spare;
} WindowSlot;

#define KESMA_NO_WINDOW (-1)

typedef struct PortResources {
    int32_t ComNumber; /* 1..9; 0 = empty slot */
    int32_t IoBase;
    int32_t IoEnd;
    int32_t IrqNumber;
    int32_t DevNodeStatus;
    int32_t ProblemNumber;
    int32_t ConfigKind; /* 1 allocated, 2 forced, 4 boot, 0 none */
} PortResources;

typedef struct SoundTestRecord {
    uint16_t Tone;
    uint16_t Duration;
} SoundTestRecord;

#pragma pack(pop)

#define KESMA_CHECK_FIELD(type, field, offset) \
    KESMA_STATIC_ASSERT(offsetof(type, field) == (offset), #type "." #field " offset")

KESMA_STATIC_ASSERT(sizeof(PortTableEntry) == 4, "PortTableEntry size");
KESMA_CHECK_FIELD(DeviceSettings, BasePort, 0);
KESMA_CHECK_FIELD(DeviceSettings, Irq, 2);
KESMA_CHECK_FIELD(DeviceSettings, ComPort, 3);
KESMA_CHECK_FIELD(DeviceSettings, PortTable, 4);
KESMA_CHECK_FIELD(DeviceSettings, TouchMode, 40);
KESMA_CHECK_FIELD(DeviceSettings, SoundMode, 41);
KESMA_CHECK_FIELD(DeviceSettings, SoundTone, 42);
KESMA_CHECK_FIELD(DeviceSettings, SoundDuration, 44);
KESMA_CHECK_FIELD(DeviceSettings, Level, 46);
KESMA_CHECK_FIELD(DeviceSettings, BypassMode, 47);
KESMA_CHECK_FIELD(DeviceSettings, SpeedH, 48);
KESMA_CHECK_FIELD(DeviceSettings, SpeedV, 49);
KESMA_CHECK_FIELD(DeviceSettings, Acceleration, 50);
KESMA_CHECK_FIELD(DeviceSettings, IdleTime, 51);
KESMA_CHECK_FIELD(DeviceSettings, BaudIndex, 52);
KESMA_CHECK_FIELD(DeviceSettings, RightButton, 53);
KESMA_CHECK_FIELD(DeviceSettings, RbAutoMode, 54);
KESMA_CHECK_FIELD(DeviceSettings, RbAutoStartTime, 55);
KESMA_CHECK_FIELD(DeviceSettings, RbAutoEndTime, 56);
KESMA_CHECK_FIELD(DeviceSettings, RbAutoBeep, 57);
KESMA_CHECK_FIELD(DeviceSettings, CalXMin, 58);
KESMA_CHECK_FIELD(DeviceSettings, CalXMid, 60);
KESMA_CHECK_FIELD(DeviceSettings, CalXMax, 62);
KESMA_CHECK_FIELD(DeviceSettings, CalYMin, 64);
KESMA_CHECK_FIELD(DeviceSettings, CalYMid, 66);
KESMA_CHECK_FIELD(DeviceSettings, CalYMax, 68);
KESMA_CHECK_FIELD(DeviceSettings, PanelDirection, 70);
KESMA_CHECK_FIELD(DeviceSettings, DeviceType, 71);
KESMA_CHECK_FIELD(DeviceSettings, ScreenWidth, 72);
KESMA_CHECK_FIELD(DeviceSettings, ScreenHeight, 74);
KESMA_CHECK_FIELD(DeviceSettings, McuInfo, 76);
KESMA_STATIC_ASSERT(sizeof(DeviceSettings) == 82, "DeviceSettings size");

KESMA_CHECK_FIELD(TouchPoint, X, 0);
KESMA_CHECK_FIELD(TouchPoint, Y, 2);
KESMA_CHECK_FIELD(TouchPoint, Status, 4);
KESMA_CHECK_FIELD(TouchPoint, Sequence, 6);
KESMA_STATIC_ASSERT(sizeof(TouchPoint) == 8, "TouchPoint size");

KESMA_CHECK_FIELD(WindowSlot, Window, 0);
KESMA_CHECK_FIELD(WindowSlot, Word, 4);
KESMA_CHECK_FIELD(WindowSlot, Spare, 6);
KESMA_STATIC_ASSERT(sizeof(WindowSlot) == 8, "WindowSlot size");

KESMA_CHECK_FIELD(PortResources, ComNumber, 0);
KESMA_CHECK_FIELD(PortResources, IoBase, 4);
KESMA_CHECK_FIELD(PortResources, IoEnd, 8);
KESMA_CHECK_FIELD(PortResources, IrqNumber, 12);
KESMA_CHECK_FIELD(PortResources, DevNodeStatus, 16);
KESMA_CHECK_FIELD(PortResources, ProblemNumber, 20);
KESMA_CHECK_FIELD(PortResources, ConfigKind, 24);
KESMA_STATIC_ASSERT(sizeof(PortResources) == 28, "PortResources size");

KESMA_STATIC_ASSERT(sizeof(SoundTestRecord) == 4, "SoundTestRecord size");

#endif
