/* The simulated KESMADRV driver: state, requests, journal, calibration reading. */
#include "sim/core/kesmadrv_private.h"

/* Own byte loops: the kernel build links no C library. */
static void CopyBytes(void* to, const void* from, uint32_t count)
{
    uint8_t* t = (uint8_t*)to;
    const uint8_t* f = (const uint8_t*)from;
    for (uint32_t i = 0; i < count; ++i) t[i] = f[i];
}

static void FillBytes(void* to, uint8_t value, uint32_t count)
{
    uint8_t* t = (uint8_t*)to;
    for (uint32_t i = 0; i < count; ++i) t[i] = value;
}

static uint32_t MinU32(uint32_t a, uint32_t b) { return a < b ? a : b; }

static const struct {
    uint32_t Code;
    uint32_t Size;
    const char* Name;
} kRequests[] = {
    {KESMA_GET_SETTINGS, sizeof(DeviceSettings), "GetSettings"},
    {KESMA_READ_TOUCH_POINT, sizeof(TouchPoint), "ReadTouchPoint"},
    {KESMA_SET_CALIBRATION_PHASE, sizeof(int32_t), "SetCalibrationPhase"},
    {KESMA_SET_TOUCH_MODE, sizeof(DeviceSettings), "SetTouchMode"},
    {KESMA_SET_FEEDBACK_SOUND, sizeof(DeviceSettings), "SetFeedbackSound"},
    {KESMA_SET_MOUSE_SPEED, sizeof(DeviceSettings), "SetMouseSpeed"},
    {KESMA_SET_CALIBRATION, sizeof(DeviceSettings), "SetCalibration"},
    {KESMA_SET_SCREEN_SIZE, sizeof(DeviceSettings), "SetScreenSize"},
    {KESMA_SET_POWER_SAVE, sizeof(DeviceSettings), "SetPowerSave"},
    {KESMA_SET_PORT_RESOURCES, sizeof(PortResources), "SetPortResources"},
    {KESMA_GET_RIGHT_BUTTON_WINDOW, sizeof(WindowSlot), "GetRightButtonWindow"},
    {KESMA_SET_RIGHT_BUTTON_WINDOW, sizeof(WindowSlot), "SetRightButtonWindow"},
    {KESMA_GET_SMI_WINDOW, sizeof(WindowSlot), "GetSmiWindow"},
    {KESMA_SOUND_TEST, sizeof(SoundTestRecord), "SoundTest"},
};

const char* KesmaRequestName(uint32_t code)
{
    for (uint32_t i = 0; i < sizeof kRequests / sizeof kRequests[0]; ++i)
        if (kRequests[i].Code == code) return kRequests[i].Name;
    return 0;
}

uint32_t KesmaRequestSize(uint32_t code)
{
    for (uint32_t i = 0; i < sizeof kRequests / sizeof kRequests[0]; ++i)
        if (kRequests[i].Code == code) return kRequests[i].Size;
    return 0;
}

static void ResetSim(KesmaSimState* sim)
{
    FillBytes(sim, 0, sizeof *sim);
    DeviceSettings* s = &sim->Settings;
    s->BasePort = 0x3F8;
    s->Irq = 4;
    s->ComPort = 1;
    for (int n = 0; n < 9; ++n) {
        s->PortTable[n].PortBase = 0;
        s->PortTable[n].PortIrq = 255; /* not found */
    }
    s->PortTable[0].PortBase = 0x3F8;
    s->PortTable[0].PortIrq = 4;
    s->PortTable[1].PortBase = 0x2F8;
    s->PortTable[1].PortIrq = 3;
    s->TouchMode = 4;
    s->SoundMode = 1;
    s->SoundTone = 1000;
    s->SoundDuration = 20;
    s->SpeedH = 10;
    s->SpeedV = 10;
    s->Acceleration = 2;
    s->IdleTime = 0;
    s->BaudIndex = 4; /* 9600 */
    s->RightButton = 0;
    s->CalXMin = 0;
    s->CalXMid = 512;
    s->CalXMax = 1023;
    s->CalYMin = 0;
    s->CalYMid = 512;
    s->CalYMax = 1023;
    s->DeviceType = 0;
    s->ScreenWidth = 1024;
    s->ScreenHeight = 768;
    static const uint8_t mcu[6] = {0xD4, 0x42, 0x12, 0x34, 0x56, 0x78};
    CopyBytes(s->McuInfo, mcu, sizeof mcu);

    sim->RightButtonSlot.Window = KESMA_NO_WINDOW;
    sim->SmiSlot.Window = KESMA_NO_WINDOW;
    for (int n = 0; n < 9; ++n) {
        PortResources* p = &sim->Ports[n];
        p->ComNumber = 0;
        p->IoBase = p->IoEnd = p->IrqNumber = p->DevNodeStatus = p->ProblemNumber = p->ConfigKind = -1;
    }
    sim->Panel.RawMin = 0;
    sim->Panel.RawMax = 1023;
}

void KesmaCoreReset(KesmaCoreState* state)
{
    FillBytes(state, 0, sizeof *state);
    ResetSim(&state->Sim);
}

const KesmaJournalEntry* KesmaCoreJournalEntry(const KesmaCoreState* state, uint32_t index)
{
    if (index >= state->JournalTotal) return 0;
    if (state->JournalTotal - index > KESMA_JOURNAL_CAPACITY) return 0;
    return &state->Journal[index % KESMA_JOURNAL_CAPACITY];
}

/* Takes the fields of one request's group from the record sent. */
static void ApplyGroup(DeviceSettings* s, uint32_t code, const DeviceSettings* in)
{
    switch (code) {
    case KESMA_SET_TOUCH_MODE:
        s->TouchMode = in->TouchMode;
        s->RightButton = in->RightButton;
        s->RbAutoMode = in->RbAutoMode;
        s->RbAutoStartTime = in->RbAutoStartTime;
        s->RbAutoEndTime = in->RbAutoEndTime;
        s->RbAutoBeep = in->RbAutoBeep;
        break;
    case KESMA_SET_FEEDBACK_SOUND:
        s->SoundMode = in->SoundMode;
        s->SoundTone = in->SoundTone;
        s->SoundDuration = in->SoundDuration;
        break;
    case KESMA_SET_MOUSE_SPEED:
        s->BypassMode = in->BypassMode;
        s->SpeedH = in->SpeedH;
        s->SpeedV = in->SpeedV;
        s->Acceleration = in->Acceleration;
        break;
    case KESMA_SET_CALIBRATION:
        s->CalXMin = in->CalXMin;
        s->CalXMid = in->CalXMid;
        s->CalXMax = in->CalXMax;
        s->CalYMin = in->CalYMin;
        s->CalYMid = in->CalYMid;
        s->CalYMax = in->CalYMax;
        s->PanelDirection = in->PanelDirection;
        break;
    case KESMA_SET_SCREEN_SIZE:
        s->ScreenWidth = in->ScreenWidth;
        s->ScreenHeight = in->ScreenHeight;
        break;
    case KESMA_SET_POWER_SAVE:
        s->IdleTime = in->IdleTime;
        break;
    default:
        break;
    }
}

/* A public request whose sizes are already checked; returns the bytes written. */
static uint32_t AnswerPublic(KesmaSimState* sim, uint32_t code, uint8_t* buffer)
{
    switch (code) {
    case KESMA_GET_SETTINGS:
        CopyBytes(buffer, &sim->Settings, sizeof sim->Settings);
        return sizeof sim->Settings;
    case KESMA_SET_TOUCH_MODE:
    case KESMA_SET_FEEDBACK_SOUND:
    case KESMA_SET_MOUSE_SPEED:
    case KESMA_SET_CALIBRATION:
    case KESMA_SET_SCREEN_SIZE:
    case KESMA_SET_POWER_SAVE: {
        DeviceSettings in;
        CopyBytes(&in, buffer, sizeof in);
        ApplyGroup(&sim->Settings, code, &in);
        CopyBytes(buffer, &sim->Settings, sizeof sim->Settings);
        return sizeof sim->Settings;
    }
    case KESMA_READ_TOUCH_POINT:
        CopyBytes(buffer, &sim->Touch, sizeof sim->Touch);
        return sizeof sim->Touch;
    case KESMA_SET_CALIBRATION_PHASE:
        CopyBytes(&sim->CalibrationPhase, buffer, sizeof sim->CalibrationPhase);
        return sizeof sim->CalibrationPhase;
    case KESMA_SET_PORT_RESOURCES: {
        PortResources in;
        CopyBytes(&in, buffer, sizeof in);
        if (in.ComNumber >= 1 && in.ComNumber <= 9) CopyBytes(&sim->Ports[in.ComNumber - 1], &in, sizeof in);
        return sizeof in;
    }
    case KESMA_GET_RIGHT_BUTTON_WINDOW:
        CopyBytes(buffer, &sim->RightButtonSlot, sizeof sim->RightButtonSlot);
        return sizeof sim->RightButtonSlot;
    case KESMA_SET_RIGHT_BUTTON_WINDOW:
        CopyBytes(&sim->RightButtonSlot, buffer, sizeof sim->RightButtonSlot);
        return sizeof sim->RightButtonSlot;
    case KESMA_GET_SMI_WINDOW:
        CopyBytes(buffer, &sim->SmiSlot, sizeof sim->SmiSlot);
        return sizeof sim->SmiSlot;
    case KESMA_SOUND_TEST:
        CopyBytes(&sim->LastSoundTest, buffer, sizeof sim->LastSoundTest);
        return sizeof sim->LastSoundTest;
    default:
        return 0;
    }
}

static uint32_t HandlePublic(KesmaCoreState* state, uint32_t code, uint8_t* buffer, uint32_t inSize,
                             uint32_t outSize, uint32_t* bytesOut)
{
    KesmaJournalEntry* entry = &state->Journal[state->JournalTotal % KESMA_JOURNAL_CAPACITY];
    state->JournalTotal++;
    FillBytes(entry, 0, sizeof *entry);
    entry->Code = code;
    entry->Size = inSize;
    CopyBytes(entry->In, buffer, MinU32(inSize, KESMA_JOURNAL_BYTES));

    uint32_t expected = KesmaRequestSize(code);
    uint32_t status = KESMA_STATUS_OK;
    if (expected == 0)
        status = KESMA_STATUS_INVALID_REQUEST;
    else if (inSize != expected || outSize != expected)
        status = KESMA_STATUS_INVALID_PARAMETER;
    else if (state->Sim.Fault)
        status = KESMA_STATUS_UNSUCCESSFUL;
    else
        *bytesOut = AnswerPublic(&state->Sim, code, buffer);

    entry->Status = status;
    entry->OutSize = *bytesOut;
    CopyBytes(entry->Out, buffer, MinU32(*bytesOut, KESMA_JOURNAL_BYTES));
    return status;
}

static uint32_t ReadJournal(const KesmaCoreState* state, uint8_t* buffer, uint32_t outSize,
                            uint32_t* bytesOut)
{
    uint32_t first;
    CopyBytes(&first, buffer, sizeof first);
    uint32_t oldest = state->JournalTotal > KESMA_JOURNAL_CAPACITY
                          ? state->JournalTotal - KESMA_JOURNAL_CAPACITY
                          : 0;
    if (first < oldest) first = oldest;
    if (first > state->JournalTotal) first = state->JournalTotal;
    uint32_t room = (outSize - (uint32_t)sizeof(KesmaJournalHeader)) / (uint32_t)sizeof(KesmaJournalEntry);
    KesmaJournalHeader header;
    header.Total = state->JournalTotal;
    header.First = first;
    header.Count = MinU32(room, state->JournalTotal - first);
    CopyBytes(buffer, &header, sizeof header);
    uint8_t* out = buffer + sizeof header;
    for (uint32_t i = 0; i < header.Count; ++i, out += sizeof(KesmaJournalEntry))
        CopyBytes(out, KesmaCoreJournalEntry(state, first + i), sizeof(KesmaJournalEntry));
    *bytesOut = (uint32_t)(out - buffer);
    return KESMA_STATUS_OK;
}

/* Private requests: never journaled and answered in fault mode too. Returns
 * KESMA_STATUS_INVALID_REQUEST for codes that are not private. */
static uint32_t HandlePrivate(KesmaCoreState* state, uint32_t code, uint8_t* buffer, uint32_t inSize,
                              uint32_t outSize, uint32_t* bytesOut)
{
    KesmaSimState* sim = &state->Sim;
    switch (code) {
    case KESMA_SIM_RESET:
        KesmaCoreReset(state);
        return KESMA_STATUS_OK;
    case KESMA_SIM_READ_STATE:
        if (outSize != sizeof *sim) return KESMA_STATUS_INVALID_PARAMETER;
        CopyBytes(buffer, sim, sizeof *sim);
        *bytesOut = sizeof *sim;
        return KESMA_STATUS_OK;
    case KESMA_SIM_WRITE_STATE:
        if (inSize != sizeof *sim) return KESMA_STATUS_INVALID_PARAMETER;
        CopyBytes(sim, buffer, sizeof *sim);
        return KESMA_STATUS_OK;
    case KESMA_SIM_POST_TOUCH: {
        if (inSize != sizeof(TouchPoint) || (outSize != 0 && outSize != sizeof(TouchPoint)))
            return KESMA_STATUS_INVALID_PARAMETER;
        TouchPoint in;
        CopyBytes(&in, buffer, sizeof in);
        sim->Touch.X = in.X;
        sim->Touch.Y = in.Y;
        sim->Touch.Status = in.Status;
        sim->Touch.Sequence = (uint16_t)(sim->Touch.Sequence + 1u);
        CopyBytes(buffer, &sim->Touch, outSize);
        *bytesOut = outSize;
        return KESMA_STATUS_OK;
    }
    case KESMA_SIM_SET_SMI_SLOT:
        if (inSize != sizeof(WindowSlot)) return KESMA_STATUS_INVALID_PARAMETER;
        CopyBytes(&sim->SmiSlot, buffer, sizeof sim->SmiSlot);
        return KESMA_STATUS_OK;
    case KESMA_SIM_READ_JOURNAL:
        if (inSize != sizeof(uint32_t) || outSize < sizeof(KesmaJournalHeader))
            return KESMA_STATUS_INVALID_PARAMETER;
        return ReadJournal(state, buffer, outSize, bytesOut);
    case KESMA_SIM_CLEAR_JOURNAL:
        state->JournalTotal = 0;
        return KESMA_STATUS_OK;
    case KESMA_SIM_SET_FAULT: {
        if (inSize != sizeof(int32_t)) return KESMA_STATUS_INVALID_PARAMETER;
        int32_t on;
        CopyBytes(&on, buffer, sizeof on);
        sim->Fault = on != 0;
        return KESMA_STATUS_OK;
    }
    case KESMA_SIM_PERFORM_RIGHT_CLICK:
        sim->RightButtonSlot.Word = 0;
        return KESMA_STATUS_OK;
    default:
        return KESMA_STATUS_INVALID_REQUEST;
    }
}

static int IsPrivate(uint32_t code)
{
    uint32_t function = (code >> 2) & 0xFFFu;
    return (code >> 16) == KESMA_DEVICE_TYPE && function >= 0xF00u && function <= 0xF08u &&
           (code & 3u) == 0;
}

uint32_t KesmaCoreRequest(KesmaCoreState* state, uint32_t code, void* buffer, uint32_t inSize,
                          uint32_t outSize, uint32_t* bytesOut)
{
    *bytesOut = 0;
    if (buffer == 0 && (inSize != 0 || outSize != 0)) return KESMA_STATUS_INVALID_PARAMETER;
    if (IsPrivate(code)) return HandlePrivate(state, code, (uint8_t*)buffer, inSize, outSize, bytesOut);
    return HandlePublic(state, code, (uint8_t*)buffer, inSize, outSize, bytesOut);
}

/* Piecewise linear through (min, 0), (mid, centre), (max, last pixel); works for
 * either order of min and max, and clamps to the screen. */
static int32_t MapAxis(int32_t v, int32_t min, int32_t mid, int32_t max, int32_t size)
{
    if (size <= 0) return 0;
    int32_t last = size - 1;
    int32_t centre = size / 2;
    int onMinSide = (int64_t)(v - mid) * (int64_t)(min - mid) > 0;
    int32_t end = onMinSide ? min : max;
    int32_t endPixel = onMinSide ? 0 : last;
    if (end == mid) return centre;
    int64_t num = (int64_t)(v - mid) * (endPixel - centre);
    int64_t den = end - mid;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    int64_t offset = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
    int64_t pixel = centre + offset;
    if (pixel < 0) return 0;
    if (pixel > last) return last;
    return (int32_t)pixel;
}

KesmaPixel KesmaMapRawToPixel(const DeviceSettings* s, int32_t rawX, int32_t rawY)
{
    int32_t x = rawX, y = rawY;
    if (s->PanelDirection & KESMA_SWAP_XY) {
        x = rawY;
        y = rawX;
    }
    if (s->PanelDirection & KESMA_INVERT_X) x = 1023 - x;
    if (s->PanelDirection & KESMA_INVERT_Y) y = 1023 - y;
    KesmaPixel p;
    p.X = MapAxis(x, s->CalXMin, s->CalXMid, s->CalXMax, s->ScreenWidth);
    p.Y = MapAxis(y, s->CalYMin, s->CalYMid, s->CalYMax, s->ScreenHeight);
    return p;
}

static int32_t PixelToRawAxis(int32_t pixel, int32_t size, int32_t rawMin, int32_t rawMax)
{
    if (size <= 1) return rawMin;
    if (pixel < 0) pixel = 0;
    if (pixel > size - 1) pixel = size - 1;
    int64_t num = (int64_t)pixel * (rawMax - rawMin);
    int64_t den = size - 1;
    int64_t offset = num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
    return rawMin + (int32_t)offset;
}

/* The inverse of the driver's reading for a panel wired as `Direction` says:
 * the pixel's position in the raw range, mirrored per axis, then swapped. */
KesmaPixel KesmaPanelPixelToRaw(const KesmaPanelModel* panel, uint16_t screenWidth,
                                uint16_t screenHeight, int32_t pixelX, int32_t pixelY)
{
    int32_t x = PixelToRawAxis(pixelX, screenWidth, panel->RawMin, panel->RawMax);
    int32_t y = PixelToRawAxis(pixelY, screenHeight, panel->RawMin, panel->RawMax);
    if (panel->Direction & KESMA_INVERT_X) x = 1023 - x;
    if (panel->Direction & KESMA_INVERT_Y) y = 1023 - y;
    KesmaPixel raw;
    raw.X = x;
    raw.Y = y;
    if (panel->Direction & KESMA_SWAP_XY) {
        raw.X = y;
        raw.Y = x;
    }
    return raw;
}
