#include "platform/win32/mouse_adapter.h"

#include "platform/win32/win32.h"

// A macro for SystemParametersInfoA/W that would rename the port's method here only.
#undef SystemParametersInfo

namespace kesma::win32 {

bool MouseAdapter::SystemParametersInfo(unsigned action, unsigned parameter, unsigned flags) {
    return ::SystemParametersInfoA(action, parameter, nullptr, flags) != FALSE;
}

unsigned MouseAdapter::GetDoubleClickTime() { return ::GetDoubleClickTime(); }

int MouseAdapter::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

}  // namespace kesma::win32
