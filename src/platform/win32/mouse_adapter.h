// The Win32 side of MousePort.
#pragma once

#include "platform/mouse_port.h"

namespace kesma::win32 {

class MouseAdapter final : public MousePort {
public:
    bool SystemParametersInfo(unsigned action, unsigned parameter, unsigned flags) override;
    unsigned GetDoubleClickTime() override;
    int GetSystemMetrics(int index) override;
};

}  // namespace kesma::win32
