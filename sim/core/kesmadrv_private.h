/* Private requests of the simulated driver, used only by kesmasim and the test
 * doubles. Function numbers start at 0xF00, well away from the public ones; the
 * codes follow the same CTL_CODE rule (FILE_DEVICE_MOUSE, METHOD_BUFFERED). */
#ifndef KESMA_SIM_KESMADRV_PRIVATE_H
#define KESMA_SIM_KESMADRV_PRIVATE_H

#include "sim/core/kesmadrv_core.h"

enum KesmaPrivateRequest {
    KESMA_SIM_RESET = KESMA_CTL_CODE(0xF00),          /* no buffer */
    KESMA_SIM_READ_STATE = KESMA_CTL_CODE(0xF01),     /* out: KesmaSimState */
    KESMA_SIM_WRITE_STATE = KESMA_CTL_CODE(0xF02),    /* in: KesmaSimState, every field */
    KESMA_SIM_POST_TOUCH = KESMA_CTL_CODE(0xF03),     /* in: TouchPoint (X, Y, Status); out: stored report */
    KESMA_SIM_SET_SMI_SLOT = KESMA_CTL_CODE(0xF04),   /* in: WindowSlot */
    KESMA_SIM_READ_JOURNAL = KESMA_CTL_CODE(0xF05),   /* in: u32 first index; out: header + entries */
    KESMA_SIM_CLEAR_JOURNAL = KESMA_CTL_CODE(0xF06),  /* no buffer */
    KESMA_SIM_SET_FAULT = KESMA_CTL_CODE(0xF07),      /* in: i32, non-zero = on */
    KESMA_SIM_PERFORM_RIGHT_CLICK = KESMA_CTL_CODE(0xF08) /* no buffer */
};

#pragma pack(push, 1)
/* Answer of KESMA_SIM_READ_JOURNAL, followed by Count entries with indexes
 * First..First+Count-1. First is later than the index asked for when older
 * entries were overwritten. */
typedef struct KesmaJournalHeader {
    uint32_t Total;
    uint32_t First;
    uint32_t Count;
} KesmaJournalHeader;
#pragma pack(pop)

#endif
