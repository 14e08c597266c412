// An in-memory device manager for the COM discovery: classes of devices, each with
// a port name, a node status and logical configurations of resource descriptors.
// Every handle it gives out is counted until freed.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/device_enum_port.h"

namespace kesma::test {

struct FakeDescriptor {
    std::uint32_t kind = 0;
    std::vector<std::uint8_t> data;
    bool sizeFails = false;
    bool dataFails = false;

    static FakeDescriptor Io(std::uint64_t base, std::uint64_t end);
    static FakeDescriptor Irq(std::uint32_t number);
};

struct FakeDevice {
    std::string portName;  // up to 20 bytes are stored; longer names fail to read
    bool idFails = false;
    bool keyFails = false;
    bool nameMissing = false;
    bool statusFails = false;
    std::uint32_t status = 0;
    std::uint32_t problem = 0;
    // By configuration kind: 2 allocated, 4 forced, 3 boot.
    std::map<std::uint32_t, std::vector<FakeDescriptor>> configs;

    // A port whose allocated configuration holds eight I/O addresses from base and an IRQ.
    static FakeDevice Port(const std::string& name, std::uint64_t base, std::uint32_t irq);
};

class FakeDeviceManager : public DeviceEnumPort {
public:
    // One entry per "Ports" class GUID; empty: the class does not exist.
    std::vector<std::vector<FakeDevice>> classes{{}};
    bool listFails = false;

    FakeDevice& Add(FakeDevice device) {
        classes.at(0).push_back(std::move(device));
        return classes[0].back();
    }
    int OpenHandles() const { return openHandles_; }
    int Misuses = 0;  // handles used or freed after they were freed
    std::vector<std::uint32_t> ConfigKindsAsked;  // CM_Get_First_Log_Conf kinds in order
    std::uint32_t ClassGuidCapacity = 0;           // room offered for GUIDs
    std::uint32_t EnumRecordCount = 0;             // SetupDiEnumDeviceInfo calls

    bool SetupDiClassGuidsFromNameA(const std::string& className, ClassGuid* guids, std::uint32_t capacity,
                                    std::uint32_t& required) override;
    DeviceInfoList SetupDiGetClassDevsA(const ClassGuid& guid, std::uint32_t flags) override;
    bool SetupDiEnumDeviceInfo(DeviceInfoList list, std::uint32_t index, DeviceInfo& info) override;
    bool SetupDiDestroyDeviceInfoList(DeviceInfoList list) override;
    std::uint32_t CM_Get_Device_IDA(std::uint32_t devInst, char* buffer, std::uint32_t length) override;
    HKey SetupDiOpenDevRegKey(DeviceInfoList list, const DeviceInfo& info, std::uint32_t scope,
                              std::uint32_t hwProfile, std::uint32_t keyType, std::uint32_t samDesired) override;
    long RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                          std::uint32_t& size) override;
    long RegCloseKey(HKey key) override;
    std::uint32_t CM_Get_DevNode_Status(std::uint32_t& status, std::uint32_t& problem,
                                        std::uint32_t devInst) override;
    std::uint32_t CM_Get_First_Log_Conf(LogConf& logConf, std::uint32_t devInst, std::uint32_t kind) override;
    std::uint32_t CM_Get_Next_Res_Des(ResDes& next, std::uintptr_t current, std::uint32_t forResource,
                                      std::uint32_t& resourceId) override;
    std::uint32_t CM_Get_Res_Des_Data_Size(std::uint32_t& size, ResDes resDes) override;
    std::uint32_t CM_Get_Res_Des_Data(ResDes resDes, void* buffer, std::uint32_t size) override;
    std::uint32_t CM_Free_Res_Des_Handle(ResDes resDes) override;
    std::uint32_t CM_Free_Log_Conf_Handle(LogConf logConf) override;

private:
    FakeDevice* Device(std::uint32_t devInst);
    struct Config {
        std::uint32_t devInst, kind;
    };
    struct Descriptor {
        std::uintptr_t config;
        std::size_t index;
    };
    const FakeDescriptor* Lookup(ResDes resDes);

    int openHandles_ = 0;
    std::uintptr_t nextHandle_ = 0x1000;
    std::map<std::uintptr_t, Config> configs_;
    std::map<std::uintptr_t, Descriptor> descriptors_;
    std::map<HKey, std::uint32_t> keys_;
    std::set<std::uintptr_t> freed_;
};

}  // namespace kesma::test
