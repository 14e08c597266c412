// The device manager through the Windows setup and configuration-manager functions.
#pragma once

#include "platform/device_enum_port.h"
#include "platform/win32/adapters.h"

namespace kesma::win32 {

class DeviceEnumAdapter final : public DeviceEnumPort, public RegistryKeyAdapter {
public:
    bool SetupDiClassGuidsFromNameA(const std::string& className, ClassGuid* guids, std::uint32_t capacity,
                                   std::uint32_t& required) override;
    DeviceInfoList SetupDiGetClassDevsA(const ClassGuid& guid, std::uint32_t flags) override;
    bool SetupDiEnumDeviceInfo(DeviceInfoList list, std::uint32_t index, DeviceInfo& info) override;
    bool SetupDiDestroyDeviceInfoList(DeviceInfoList list) override;
    std::uint32_t CM_Get_Device_IDA(std::uint32_t devInst, char* buffer, std::uint32_t length) override;
    HKey SetupDiOpenDevRegKey(DeviceInfoList list, const DeviceInfo& info, std::uint32_t scope,
                              std::uint32_t hwProfile, std::uint32_t keyType, std::uint32_t samDesired) override;
    std::uint32_t CM_Get_DevNode_Status(std::uint32_t& status, std::uint32_t& problem,
                                        std::uint32_t devInst) override;
    std::uint32_t CM_Get_First_Log_Conf(LogConf& logConf, std::uint32_t devInst, std::uint32_t kind) override;
    std::uint32_t CM_Get_Next_Res_Des(ResDes& next, std::uintptr_t current, std::uint32_t forResource,
                                      std::uint32_t& resourceId) override;
    std::uint32_t CM_Get_Res_Des_Data_Size(std::uint32_t& size, ResDes resDes) override;
    std::uint32_t CM_Get_Res_Des_Data(ResDes resDes, void* buffer, std::uint32_t size) override;
    std::uint32_t CM_Free_Res_Des_Handle(ResDes resDes) override;
    std::uint32_t CM_Free_Log_Conf_Handle(LogConf logConf) override;
};

}  // namespace kesma::win32
