// The Win32 side of SystemPort.
#pragma once

#include "platform/system_port.h"

namespace kesma::win32 {

class SystemAdapter final : public SystemPort {
public:
    bool SystemParametersInfoA(unsigned action, unsigned parameter, void* data, unsigned flags) override;
    unsigned GetDoubleClickTime() override;
    int GetSystemMetrics(int index) override;
};

}  // namespace kesma::win32
