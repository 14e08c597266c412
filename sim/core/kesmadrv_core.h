/* The simulated KESMADRV driver's state and request handling.
 *
 * Plain C11 without OS headers or allocation: the same code runs inside the
 * kernel driver (under the driver's lock) and in-process in the host tests. */
#ifndef KESMA_SIM_KESMADRV_CORE_H
#define KESMA_SIM_KESMADRV_CORE_H

#include "shared/records.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Results of KesmaCoreRequest; the driver glue maps them to NTSTATUS values. */
#define KESMA_STATUS_OK 0
#define KESMA_STATUS_INVALID_PARAMETER 1 /* wrong buffer size */
#define KESMA_STATUS_UNSUCCESSFUL 2      /* fault mode */
#define KESMA_STATUS_INVALID_REQUEST 3   /* unknown request code */

#define KESMA_JOURNAL_CAPACITY 256u
#define KESMA_JOURNAL_BYTES 82u /* bytes kept of each request's input and output */

#pragma pack(push, 1)

/* The simulated panel's wiring and raw range, used to turn a screen pixel into
 * the raw report the panel would produce there. */
typedef struct KesmaPanelModel {
    uint8_t Direction; /* KESMA_INVERT_X | KESMA_INVERT_Y | KESMA_SWAP_XY */
    uint8_t Spare;
    int16_t RawMin;
    int16_t RawMax;
} KesmaPanelModel;

/* Everything the private read/write-state requests exchange, as one record. */
typedef struct KesmaSimState {
    DeviceSettings Settings;
    uint8_t SettingsPad[2];     /* keeps the fields below naturally aligned */
    WindowSlot RightButtonSlot; /* Word = RightClickArmed */
    WindowSlot SmiSlot;         /* Word = ScreenRotation */
    TouchPoint Touch;
    int32_t CalibrationPhase;
    uint8_t Fault; /* non-zero: every public request fails */
    uint8_t Spare[3];
    PortResources Ports[9]; /* the last SetPortResources per COM1..COM9 */
    SoundTestRecord LastSoundTest;
    KesmaPanelModel Panel;
} KesmaSimState;

KESMA_STATIC_ASSERT(offsetof(KesmaSimState, RightButtonSlot) % 4 == 0, "slots aligned");
KESMA_STATIC_ASSERT(offsetof(KesmaSimState, CalibrationPhase) % 4 == 0, "phase aligned");
KESMA_STATIC_ASSERT(offsetof(KesmaSimState, Ports) % 4 == 0, "port records aligned");

typedef struct KesmaJournalEntry {
    uint32_t Code;
    uint32_t Size;     /* input size */
    uint32_t OutSize;  /* bytes returned */
    uint32_t Status;   /* KESMA_STATUS_... */
    uint8_t In[KESMA_JOURNAL_BYTES];
    uint8_t Out[KESMA_JOURNAL_BYTES];
} KesmaJournalEntry;

#pragma pack(pop)

typedef struct KesmaCoreState {
    KesmaSimState Sim;
    uint32_t JournalTotal; /* requests journaled since the last clear */
    KesmaJournalEntry Journal[KESMA_JOURNAL_CAPACITY]; /* ring: entry i at i % capacity */
} KesmaCoreState;

void KesmaCoreReset(KesmaCoreState* state);

/* Answers one request. `buffer` holds inSize bytes of input and receives up to
 * outSize bytes of output; it must be at least as large as both. */
uint32_t KesmaCoreRequest(KesmaCoreState* state, uint32_t code, void* buffer, uint32_t inSize,
                          uint32_t outSize, uint32_t* bytesOut);

/* The journal entry with absolute index `index`, or NULL when it was cleared or
 * has been overwritten by newer ones. */
const KesmaJournalEntry* KesmaCoreJournalEntry(const KesmaCoreState* state, uint32_t index);

/* Public request name for a code ("SetTouchMode"), or NULL for any other code. */
const char* KesmaRequestName(uint32_t code);
/* Expected buffer size of a public request, or 0 for any other code. */
uint32_t KesmaRequestSize(uint32_t code);

typedef struct KesmaPixel {
    int32_t X;
    int32_t Y;
} KesmaPixel;

/* The driver's reading of the calibration: the screen pixel of a raw point. */
KesmaPixel KesmaMapRawToPixel(const DeviceSettings* settings, int32_t rawX, int32_t rawY);

/* The raw report the modelled panel gives for a touch at a screen pixel. */
KesmaPixel KesmaPanelPixelToRaw(const KesmaPanelModel* panel, uint16_t screenWidth,
                                uint16_t screenHeight, int32_t pixelX, int32_t pixelY);

#ifdef __cplusplus
}
#endif

#endif
