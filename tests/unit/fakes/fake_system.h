// The Windows system parameters in memory: a refused action changes nothing.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "platform/ports.h"
#include "platform/system_port.h"

namespace kesma::test {

class FakeSystem : public SystemPort {
public:
    struct Call {
        unsigned action, parameter, flags;
        bool operator==(const Call&) const = default;
    };

    unsigned doubleClickTime = 500;
    int doubleClickWidth = 4, doubleClickHeight = 4;
    int screenWidth = 1024, screenHeight = 768;
    PixelRect work{0, 0, 1024, 768};
    std::set<unsigned> refused;  // actions that fail
    std::vector<Call> calls;

    bool SystemParametersInfoA(unsigned action, unsigned parameter, void* data, unsigned flags) override {
        calls.push_back(Call{action, parameter, flags});
        if (refused.count(action) != 0) return false;
        if (action == kSpiSetDoubleClkWidth) doubleClickWidth = static_cast<int>(parameter);
        if (action == kSpiSetDoubleClkHeight) doubleClickHeight = static_cast<int>(parameter);
        if (action == kSpiSetDoubleClickTime) doubleClickTime = parameter;
        if (action == kSpiGetWorkArea) *static_cast<PixelRect*>(data) = work;
        return true;
    }
    unsigned GetDoubleClickTime() override { return doubleClickTime; }
    int GetSystemMetrics(int index) override {
        const std::map<int, int> metrics{{kSmCxScreen, screenWidth},
                                         {kSmCyScreen, screenHeight},
                                         {kSmCxDoubleClk, doubleClickWidth},
                                         {kSmCyDoubleClk, doubleClickHeight}};
        auto it = metrics.find(index);
        return it == metrics.end() ? 0 : it->second;
    }
};

}  // namespace kesma::test
