#include "controlpanel/com_discovery.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

#include "shared/number_reader.h"

namespace kesma::controlpanel {

namespace {

constexpr std::uint32_t kMaxClassGuids = 16;
constexpr std::uint32_t kDeviceIdLength = 200;
constexpr std::uint32_t kPortNameLength = 20;

// A device manager handle, released through the same port when its owner goes.
template <class Value, auto Release>
class Owner {
public:
    Owner(DeviceEnumPort& devices, Value handle) : devices_(devices), handle_(handle) {}
    ~Owner() { (devices_.*Release)(handle_); }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

private:
    DeviceEnumPort& devices_;
    Value handle_;
};

using DeviceListOwner = Owner<DeviceInfoList, &DeviceEnumPort::SetupDiDestroyDeviceInfoList>;
using LogConfOwner = Owner<LogConf, &DeviceEnumPort::CM_Free_Log_Conf_Handle>;
using ResDesOwner = Owner<ResDes, &DeviceEnumPort::CM_Free_Res_Des_Handle>;
using KeyOwner = Owner<HKey, &DeviceEnumPort::RegCloseKey>;

std::uint32_t ReadU32(const std::vector<std::uint8_t>& data, std::size_t offset) {
    return static_cast<std::uint32_t>(data[offset]) | static_cast<std::uint32_t>(data[offset + 1]) << 8 |
           static_cast<std::uint32_t>(data[offset + 2]) << 16 | static_cast<std::uint32_t>(data[offset + 3]) << 24;
}

// The low 32 bits of each field; a descriptor too short for a field is not read.
void TakeDescriptor(std::uint32_t kind, const std::vector<std::uint8_t>& data, PortResources& entry) {
    if (kind == kResTypeIo && data.size() >= kIoDesAllocEnd + 8) {
        entry.IoBase = static_cast<std::int32_t>(ReadU32(data, kIoDesAllocBase));
        entry.IoEnd = static_cast<std::int32_t>(ReadU32(data, kIoDesAllocEnd));
    } else if (kind == kResTypeIrq && data.size() >= kIrqDesAllocNum + 4) {
        entry.IrqNumber = static_cast<std::int32_t>(ReadU32(data, kIrqDesAllocNum));
    }
}

// The "PortName" value of a device's hardware key, up to its first zero byte.
bool ReadPortName(DeviceEnumPort& devices, DeviceInfoList list, const DeviceInfo& info, std::string& name) {
    const HKey key = devices.SetupDiOpenDevRegKey(list, info, kDicsFlagGlobal, 0, kDiregDev, kKeyRead);
    if (key == kInvalidKey) return false;
    KeyOwner keyOwner(devices, key);
    char buffer[kPortNameLength] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof buffer;
    if (devices.RegQueryValueExA(key, "PortName", type, buffer, size) != kErrorSuccess) return false;
    const std::size_t filled = size < sizeof buffer ? size : sizeof buffer;
    name.assign(buffer, std::find(buffer, buffer + filled, '\0'));
    return true;
}

void ReadDevice(DeviceEnumPort& devices, DeviceInfoList list, const DeviceInfo& info, PortTable& table) {
    char deviceId[kDeviceIdLength] = {};
    if (devices.CM_Get_Device_IDA(info.DevInst, deviceId, kDeviceIdLength) != kCrSuccess) return;
    std::string portName;
    if (!ReadPortName(devices, list, info, portName)) return;
    const int com = ComNumberFromPortName(portName);
    if (com == 0) return;
    PortResources& entry = table[static_cast<std::size_t>(com - 1)];
    entry.ComNumber = com;
    ReadPortResources(devices, info.DevInst, entry);
}

}  // namespace

PortResources EmptyPortResources() { return PortResources{0, -1, -1, -1, -1, -1, -1}; }

int ComNumberFromPortName(const std::string& portName) {
    if (portName.size() < 3) return 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(portName[i])) != "COM"[i]) return 0;
    }
    // Halves round to even, as integer conversion of such names always has.
    const double number = std::nearbyint(ReadDecimalNumber(portName.substr(3)));
    return number >= 1 && number <= 9 ? static_cast<int>(number) : 0;
}

void DiscoverComPorts(DeviceEnumPort& devices, PortTable& table) {
    table.fill(EmptyPortResources());
    ClassGuid guids[kMaxClassGuids] = {};
    std::uint32_t required = 0;
    if (!devices.SetupDiClassGuidsFromNameA("Ports", guids, kMaxClassGuids, required) || required == 0) return;
    // The count may exceed the room; only the GUIDs that fitted are read.
    const std::uint32_t count = required < kMaxClassGuids ? required : kMaxClassGuids;
    for (std::uint32_t g = 0; g < count; ++g) {
        const DeviceInfoList list = devices.SetupDiGetClassDevsA(guids[g], kDigcfPresent);
        if (list == kInvalidHandle) continue;
        DeviceListOwner listOwner(devices, list);
        DeviceInfo info;
        std::uint32_t deviceCount = 0;
        while (devices.SetupDiEnumDeviceInfo(list, deviceCount, info)) ++deviceCount;
        for (std::uint32_t index = 0; index < deviceCount; ++index) {
            if (!devices.SetupDiEnumDeviceInfo(list, index, info)) break;
            ReadDevice(devices, list, info, table);
        }
    }
}

void ReadPortResources(DeviceEnumPort& devices, std::uint32_t devInst, PortResources& entry) {
    std::uint32_t status = 0;
    std::uint32_t problem = 0;
    if (devices.CM_Get_DevNode_Status(status, problem, devInst) != kCrSuccess) return;
    entry.DevNodeStatus = static_cast<std::int32_t>(status);
    entry.ProblemNumber = static_cast<std::int32_t>(problem);

    const bool hasProblem = (status & kDnHasProblem) != 0;
    LogConf logConf = 0;
    if (!hasProblem && devices.CM_Get_First_Log_Conf(logConf, devInst, kAllocLogConf) == kCrSuccess) {
        entry.ConfigKind = 1;
    } else if (devices.CM_Get_First_Log_Conf(logConf, devInst, kForcedLogConf) == kCrSuccess) {
        entry.ConfigKind = 2;
    } else if (!(hasProblem && problem == kCmProbHardwareDisabled) &&
               devices.CM_Get_First_Log_Conf(logConf, devInst, kBootLogConf) == kCrSuccess) {
        entry.ConfigKind = 4;
    } else {
        entry.ConfigKind = 0;
        return;
    }
    LogConfOwner logConfOwner(devices, logConf);

    // Each descriptor is released once the next one has been reached from it; a later
    // descriptor of a kind overwrites an earlier one.
    std::uintptr_t current = logConf;
    std::optional<ResDesOwner> currentOwner;
    ResDes next = 0;
    std::uint32_t kind = 0;
    while (devices.CM_Get_Next_Res_Des(next, current, kResTypeAll, kind) == kCrSuccess) {
        currentOwner.emplace(devices, next);
        current = next;
        std::uint32_t size = 0;
        if (devices.CM_Get_Res_Des_Data_Size(size, next) != kCrSuccess) continue;
        std::vector<std::uint8_t> data(size);
        if (devices.CM_Get_Res_Des_Data(next, data.data(), size) != kCrSuccess) continue;
        TakeDescriptor(kind, data, entry);
    }
}

}  // namespace kesma::controlpanel
