// The Win32 adapters a program uses, made and wired into its Platform; they live as
// long as the wiring.
#pragma once

#include <tuple>

#include "platform/platform.h"

namespace kesma::win32 {

template <class... Adapters>
class Wiring {
public:
    Wiring() : platform_(std::get<Adapters>(adapters_)...) {}
    Wiring(const Wiring&) = delete;
    Wiring& operator=(const Wiring&) = delete;

    Platform& platform() { return platform_; }

private:
    std::tuple<Adapters...> adapters_;  // before platform_: built first
    Platform platform_;
};

}  // namespace kesma::win32
