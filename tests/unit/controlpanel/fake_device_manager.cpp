#include "fake_device_manager.h"

#include <cstdio>
#include <cstring>

namespace kesma::test {

namespace {

constexpr std::uint32_t kCrFailure = 0x13;
constexpr std::uint32_t kCrNoMoreResDes = 0x1A;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorMoreData = 234;

void PutLe(std::vector<std::uint8_t>& data, std::size_t offset, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) data[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// devInst = class * 100 + index + 1; list handle = 1000 + class.
std::uint32_t DevInst(std::size_t cls, std::uint32_t index) { return static_cast<std::uint32_t>(cls * 100 + index + 1); }

}  // namespace

FakeDescriptor FakeDescriptor::Io(std::uint64_t base, std::uint64_t end) {
    FakeDescriptor d{kResTypeIo, std::vector<std::uint8_t>(32, 0)};
    PutLe(d.data, 0, 1, 4);
    PutLe(d.data, kIoDesAllocBase, base, 8);
    PutLe(d.data, kIoDesAllocEnd, end, 8);
    return d;
}

FakeDescriptor FakeDescriptor::Irq(std::uint32_t number) {
    FakeDescriptor d{kResTypeIrq, std::vector<std::uint8_t>(24, 0)};
    PutLe(d.data, 0, 1, 4);
    PutLe(d.data, kIrqDesAllocNum, number, 4);
    return d;
}

FakeDevice FakeDevice::Port(const std::string& name, std::uint64_t base, std::uint32_t irq) {
    FakeDevice d;
    d.portName = name;
    d.configs[kAllocLogConf] = {FakeDescriptor::Io(base, base + 7), FakeDescriptor::Irq(irq)};
    return d;
}

FakeDevice* FakeDeviceManager::Device(std::uint32_t devInst) {
    if (devInst == 0) return nullptr;
    const std::size_t cls = (devInst - 1) / 100;
    const std::size_t index = (devInst - 1) % 100;
    if (cls >= classes.size() || index >= classes[cls].size()) return nullptr;
    return &classes[cls][index];
}

bool FakeDeviceManager::SetupDiClassGuidsFromNameA(const std::string& className, ClassGuid* guids,
                                                   std::uint32_t capacity, std::uint32_t& required) {
    ClassGuidCapacity = capacity;
    required = 0;
    if (className != "Ports" || classes.empty()) return false;
    required = static_cast<std::uint32_t>(classes.size());
    for (std::uint32_t i = 0; i < required && i < capacity; ++i) {
        guids[i] = ClassGuid{};
        guids[i].bytes[0] = static_cast<std::uint8_t>(i);
    }
    return required <= capacity;
}

DeviceInfoList FakeDeviceManager::SetupDiGetClassDevsA(const ClassGuid& guid, std::uint32_t flags) {
    if (listFails || flags != kDigcfPresent || guid.bytes[0] >= classes.size()) return kInvalidHandle;
    ++openHandles_;
    return 1000 + guid.bytes[0];
}

bool FakeDeviceManager::SetupDiEnumDeviceInfo(DeviceInfoList list, std::uint32_t index, DeviceInfo& info) {
    ++EnumRecordCount;
    const auto cls = static_cast<std::size_t>(list - 1000);
    if (cls >= classes.size() || index >= classes[cls].size()) return false;
    info = DeviceInfo{};
    info.Guid.bytes[0] = static_cast<std::uint8_t>(cls);
    info.DevInst = DevInst(cls, index);
    return true;
}

bool FakeDeviceManager::SetupDiDestroyDeviceInfoList(DeviceInfoList) {
    --openHandles_;
    return true;
}

std::uint32_t FakeDeviceManager::CM_Get_Device_IDA(std::uint32_t devInst, char* buffer, std::uint32_t length) {
    const FakeDevice* device = Device(devInst);
    if (device == nullptr || device->idFails || length < 200) return kCrFailure;
    std::snprintf(buffer, length, "ACPI\\PNP0501\\%u", devInst);
    return kCrSuccess;
}

HKey FakeDeviceManager::SetupDiOpenDevRegKey(DeviceInfoList, const DeviceInfo& info, std::uint32_t scope,
                                             std::uint32_t hwProfile, std::uint32_t keyType,
                                             std::uint32_t samDesired) {
    const FakeDevice* device = Device(info.DevInst);
    if (device == nullptr || device->keyFails || scope != kDicsFlagGlobal || hwProfile != 0 ||
        keyType != kDiregDev || samDesired != kKeyRead) {
        return kInvalidKey;
    }
    const HKey key = nextHandle_++;
    keys_[key] = info.DevInst;
    ++openHandles_;
    return key;
}

long FakeDeviceManager::RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                                         std::uint32_t& size) {
    const FakeDevice* device = Device(keys_.at(key));
    if (name != "PortName" || device->nameMissing) return kErrorFileNotFound;
    type = kRegSz;
    // The stored text with its terminating zero, when it fits.
    const std::size_t needed = device->portName.size() + 1;
    if (device->portName.size() > size) return kErrorMoreData;
    const std::size_t copied = needed <= size ? needed : device->portName.size();
    std::memcpy(data, device->portName.c_str(), copied);
    size = static_cast<std::uint32_t>(copied);
    return kErrorSuccess;
}

long FakeDeviceManager::RegCloseKey(HKey key) {
    keys_.erase(key);
    --openHandles_;
    return kErrorSuccess;
}

std::uint32_t FakeDeviceManager::CM_Get_DevNode_Status(std::uint32_t& status, std::uint32_t& problem,
                                                       std::uint32_t devInst) {
    const FakeDevice* device = Device(devInst);
    if (device == nullptr || device->statusFails) return kCrFailure;
    status = device->status;
    problem = device->problem;
    return kCrSuccess;
}

std::uint32_t FakeDeviceManager::CM_Get_First_Log_Conf(LogConf& logConf, std::uint32_t devInst,
                                                       std::uint32_t kind) {
    ConfigKindsAsked.push_back(kind);
    const FakeDevice* device = Device(devInst);
    if (device == nullptr || device->configs.count(kind) == 0) return kCrFailure;
    logConf = nextHandle_++;
    configs_[logConf] = Config{devInst, kind};
    ++openHandles_;
    return kCrSuccess;
}

std::uint32_t FakeDeviceManager::CM_Get_Next_Res_Des(ResDes& next, std::uintptr_t current,
                                                     std::uint32_t forResource, std::uint32_t& resourceId) {
    if (forResource != kResTypeAll) return kCrFailure;
    if (freed_.count(current) != 0) ++Misuses;
    std::uintptr_t config = current;
    std::size_t index = 0;
    if (auto d = descriptors_.find(current); d != descriptors_.end()) {
        config = d->second.config;
        index = d->second.index + 1;
    }
    const Config& c = configs_.at(config);
    const auto& list = Device(c.devInst)->configs.at(c.kind);
    if (index >= list.size()) return kCrNoMoreResDes;
    next = nextHandle_++;
    descriptors_[next] = Descriptor{config, index};
    resourceId = list[index].kind;
    ++openHandles_;
    return kCrSuccess;
}

const FakeDescriptor* FakeDeviceManager::Lookup(ResDes resDes) {
    if (freed_.count(resDes) != 0) ++Misuses;
    const Descriptor& d = descriptors_.at(resDes);
    const Config& c = configs_.at(d.config);
    return &Device(c.devInst)->configs.at(c.kind)[d.index];
}

std::uint32_t FakeDeviceManager::CM_Get_Res_Des_Data_Size(std::uint32_t& size, ResDes resDes) {
    const FakeDescriptor* d = Lookup(resDes);
    if (d->sizeFails) return kCrFailure;
    size = static_cast<std::uint32_t>(d->data.size());
    return kCrSuccess;
}

std::uint32_t FakeDeviceManager::CM_Get_Res_Des_Data(ResDes resDes, void* buffer, std::uint32_t size) {
    const FakeDescriptor* d = Lookup(resDes);
    if (d->dataFails || size < d->data.size()) return kCrFailure;
    if (!d->data.empty()) std::memcpy(buffer, d->data.data(), d->data.size());
    return kCrSuccess;
}

std::uint32_t FakeDeviceManager::CM_Free_Res_Des_Handle(ResDes resDes) {
    if (descriptors_.count(resDes) == 0 || !freed_.insert(resDes).second) {
        ++Misuses;
        return kCrFailure;
    }
    --openHandles_;
    return kCrSuccess;
}

std::uint32_t FakeDeviceManager::CM_Free_Log_Conf_Handle(LogConf logConf) {
    if (configs_.count(logConf) == 0 || !freed_.insert(logConf).second) {
        ++Misuses;
        return kCrFailure;
    }
    --openHandles_;
    return kCrSuccess;
}

}  // namespace kesma::test
