#include "platform/win32/system_adapter.h"

#include "platform/ports.h"
#include "platform/win32/win32.h"

#include <cstddef>

namespace kesma::win32 {

static_assert(SPI_SETDOUBLECLKWIDTH == kSpiSetDoubleClkWidth && SPI_SETDOUBLECLKHEIGHT == kSpiSetDoubleClkHeight &&
              SPI_SETDOUBLECLICKTIME == kSpiSetDoubleClickTime && SPI_GETWORKAREA == kSpiGetWorkArea);
static_assert(SPIF_SENDWININICHANGE == kSpifSendWinIniChange);
static_assert(SM_CXSCREEN == kSmCxScreen && SM_CYSCREEN == kSmCyScreen && SM_CXDOUBLECLK == kSmCxDoubleClk &&
              SM_CYDOUBLECLK == kSmCyDoubleClk);
// SPI_GETWORKAREA writes a RECT into the caller's PixelRect.
static_assert(sizeof(PixelRect) == sizeof(RECT) && offsetof(PixelRect, left) == offsetof(RECT, left) &&
              offsetof(PixelRect, top) == offsetof(RECT, top) && offsetof(PixelRect, right) == offsetof(RECT, right) &&
              offsetof(PixelRect, bottom) == offsetof(RECT, bottom));

bool SystemAdapter::SystemParametersInfoA(unsigned action, unsigned parameter, void* data, unsigned flags) {
    return ::SystemParametersInfoA(action, parameter, data, flags) != FALSE;
}

unsigned SystemAdapter::GetDoubleClickTime() { return ::GetDoubleClickTime(); }

int SystemAdapter::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

}  // namespace kesma::win32
