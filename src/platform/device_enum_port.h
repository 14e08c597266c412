// The Windows device manager as the COM resource discovery sees it: the setup
// functions for the "Ports" class, the device's hardware key, and the
// configuration manager's logical configurations and resource descriptors.
// Setup calls answer true/false as their BOOL; configuration-manager calls answer
// their CONFIGRET (0 = CR_SUCCESS); registry calls their Win32 result code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/ports.h"

namespace kesma {

struct ClassGuid {
    std::uint8_t bytes[16];
};

// An SP_DEVINFO_DATA without its size field (the adapter sets that to the record's size).
struct DeviceInfo {
    ClassGuid Guid{};
    std::uint32_t DevInst = 0;
    std::uintptr_t Reserved = 0;
};

using DeviceInfoList = std::intptr_t;  // HDEVINFO; -1 when the list could not be made
using LogConf = std::uintptr_t;
using ResDes = std::uintptr_t;

constexpr std::uint32_t kCrSuccess = 0;
constexpr std::uint32_t kDigcfPresent = 2;
constexpr std::uint32_t kDicsFlagGlobal = 1;
constexpr std::uint32_t kDiregDev = 1;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr HKey kInvalidKey = static_cast<HKey>(-1);
constexpr std::uint32_t kAllocLogConf = 2;
constexpr std::uint32_t kForcedLogConf = 4;
constexpr std::uint32_t kBootLogConf = 3;
constexpr std::uint32_t kResTypeAll = 0;
constexpr std::uint32_t kResTypeIo = 2;
constexpr std::uint32_t kResTypeIrq = 4;

// Byte offsets inside the descriptor data the configuration manager returns
// (IO_DES: IOD_Alloc_Base, IOD_Alloc_End as 64-bit; IRQ_DES: IRQD_Alloc_Num as 32-bit).
constexpr std::size_t kIoDesAllocBase = 8;
constexpr std::size_t kIoDesAllocEnd = 16;
constexpr std::size_t kIrqDesAllocNum = 12;

// The hardware key it opens is read and closed through RegistryKeyPort.
class DeviceEnumPort : public virtual RegistryKeyPort {
public:
    // SetupDiClassGuidsFromNameA(className, guids, capacity, &required)
    virtual bool SetupDiClassGuidsFromNameA(const std::string& className, ClassGuid* guids,
                                           std::uint32_t capacity, std::uint32_t& required) = 0;
    // SetupDiGetClassDevsA(&guid, nullptr, nullptr, flags)
    virtual DeviceInfoList SetupDiGetClassDevsA(const ClassGuid& guid, std::uint32_t flags) = 0;
    // SetupDiEnumDeviceInfo(list, index, &data) with data.cbSize set
    virtual bool SetupDiEnumDeviceInfo(DeviceInfoList list, std::uint32_t index, DeviceInfo& info) = 0;
    virtual bool SetupDiDestroyDeviceInfoList(DeviceInfoList list) = 0;
    // CM_Get_Device_IDA(devInst, buffer, length, 0)
    virtual std::uint32_t CM_Get_Device_IDA(std::uint32_t devInst, char* buffer, std::uint32_t length) = 0;
    // SetupDiOpenDevRegKey(list, &info, scope, hwProfile, keyType, samDesired); kInvalidKey on failure
    virtual HKey SetupDiOpenDevRegKey(DeviceInfoList list, const DeviceInfo& info, std::uint32_t scope,
                                      std::uint32_t hwProfile, std::uint32_t keyType,
                                      std::uint32_t samDesired) = 0;
    // CM_Get_DevNode_Status(&status, &problem, devInst, 0)
    virtual std::uint32_t CM_Get_DevNode_Status(std::uint32_t& status, std::uint32_t& problem,
                                                std::uint32_t devInst) = 0;
    // CM_Get_First_Log_Conf(&logConf, devInst, kind)
    virtual std::uint32_t CM_Get_First_Log_Conf(LogConf& logConf, std::uint32_t devInst,
                                                std::uint32_t kind) = 0;
    // CM_Get_Next_Res_Des(&next, current, forResource, &resourceId, 0); current is a
    // logical configuration or a descriptor.
    virtual std::uint32_t CM_Get_Next_Res_Des(ResDes& next, std::uintptr_t current,
                                              std::uint32_t forResource, std::uint32_t& resourceId) = 0;
    // CM_Get_Res_Des_Data_Size(&size, resDes, 0)
    virtual std::uint32_t CM_Get_Res_Des_Data_Size(std::uint32_t& size, ResDes resDes) = 0;
    // CM_Get_Res_Des_Data(resDes, buffer, size, 0)
    virtual std::uint32_t CM_Get_Res_Des_Data(ResDes resDes, void* buffer, std::uint32_t size) = 0;
    virtual std::uint32_t CM_Free_Res_Des_Handle(ResDes resDes) = 0;
    virtual std::uint32_t CM_Free_Log_Conf_Handle(LogConf logConf) = 0;
};

}  // namespace kesma
