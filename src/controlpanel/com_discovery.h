// Which serial ports COM1..COM9 the device manager lists, with the I/O range and
// interrupt each was given and the state of its device node.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/device_enum_port.h"
#include "shared/records.h"

namespace kesma::controlpanel {

using PortTable = std::array<PortResources, 9>;  // COM1..COM9

constexpr std::uint32_t kDnHasProblem = 0x400;
constexpr std::uint32_t kCmProbHardwareDisabled = 29;

// ComNumber 0 and -1 in every other field.
PortResources EmptyPortResources();

// The COM number a port name stands for: "COM" in any case followed by a number
// (read leniently, rounded); 0 when the name is no COM port or the number is
// outside 1..9.
int ComNumberFromPortName(const std::string& portName);

// Resets the table and fills the entry of every present COM1..COM9 port.
void DiscoverComPorts(DeviceEnumPort& devices, PortTable& table);

// Status, problem, configuration kind and resources of one device node.
void ReadPortResources(DeviceEnumPort& devices, std::uint32_t devInst, PortResources& entry);

}  // namespace kesma::controlpanel
