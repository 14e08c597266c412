// The ports a program runs on, one set for every program: the Win32 adapters in the
// product (platform/win32/wiring.h), fakes in tests. A program wires only the ports it
// uses; asking for one it did not wire is a fault of the program and throws.
#pragma once

#include <stdexcept>
#include <tuple>
#include <type_traits>

#include "platform/device_enum_port.h"
#include "platform/ports.h"
#include "platform/setup_ports.h"
#include "platform/system_port.h"

namespace kesma {

template <class... Ports>
class PortSet {
public:
    PortSet() = default;
    // Each object is wired as every port it implements.
    template <class... Objects>
        requires(std::is_polymorphic_v<Objects> && ...)
    explicit PortSet(Objects&... objects) {
        (Wire(objects), ...);
    }
    PortSet(const PortSet&) = delete;
    PortSet& operator=(const PortSet&) = delete;

    template <class Object>
    void Wire(Object& object) {
        (
            [&] {
                if constexpr (std::is_base_of_v<Ports, Object>) std::get<Ports*>(ports_) = &object;
            }(),
            ...);
    }

    template <class Port>
    Port& Get() const {
        Port* port = std::get<Port*>(ports_);
        if (port == nullptr) throw std::logic_error("a port the program did not wire");
        return *port;
    }

private:
    std::tuple<Ports*...> ports_{};
};

using Platform = PortSet<DevicePort, RegistryPort, WindowPort, ProcessPort, FilePort, SystemPort, DeviceEnumPort,
                         ProfilePort, ProcessControlPort, RestartPort, DebugPort>;

}  // namespace kesma
