#include "platform/win32/mouse_adapter.h"

#include <windows.h>

namespace kesma::win32 {

bool MouseAdapter::SystemParametersInfo(unsigned action, unsigned parameter, unsigned flags) {
    return ::SystemParametersInfoA(action, parameter, nullptr, flags) != FALSE;
}

unsigned MouseAdapter::GetDoubleClickTime() { return ::GetDoubleClickTime(); }

int MouseAdapter::GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

}  // namespace kesma::win32
