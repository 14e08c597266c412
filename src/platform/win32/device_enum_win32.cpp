#include "platform/win32/device_enum_win32.h"

#include <windows.h>
// windows.h first: the setup headers build on its types.
#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstddef>
#include <cstring>

namespace kesma::win32 {

static_assert(sizeof(ClassGuid) == sizeof(GUID));
// The device-information record is the platform's own: 28 bytes in a 32-bit program, 32 in a
// 64-bit one (the setup functions refuse any other size).
static_assert(sizeof(SP_DEVINFO_DATA) == (sizeof(void*) == 4 ? 28 : 32));
static_assert(sizeof(DeviceInfo::Reserved) == sizeof(ULONG_PTR));
static_assert(offsetof(IO_DES, IOD_Alloc_Base) == kIoDesAllocBase);
static_assert(offsetof(IO_DES, IOD_Alloc_End) == kIoDesAllocEnd);
static_assert(offsetof(IRQ_DES, IRQD_Alloc_Num) == kIrqDesAllocNum);
static_assert(DIGCF_PRESENT == kDigcfPresent && DICS_FLAG_GLOBAL == kDicsFlagGlobal && DIREG_DEV == kDiregDev);
static_assert(KEY_READ == kKeyRead && CR_SUCCESS == kCrSuccess);
static_assert(ALLOC_LOG_CONF == kAllocLogConf && FORCED_LOG_CONF == kForcedLogConf &&
              BOOT_LOG_CONF == kBootLogConf);
static_assert(ResType_All == kResTypeAll && ResType_IO == kResTypeIo && ResType_IRQ == kResTypeIrq);

namespace {

GUID ToGuid(const ClassGuid& guid) {
    GUID result;
    std::memcpy(&result, guid.bytes, sizeof result);
    return result;
}

HDEVINFO ToList(DeviceInfoList list) { return reinterpret_cast<HDEVINFO>(list); }

SP_DEVINFO_DATA ToDevInfoData(const DeviceInfo& info) {
    SP_DEVINFO_DATA data;
    data.cbSize = sizeof data;
    data.ClassGuid = ToGuid(info.Guid);
    data.DevInst = info.DevInst;
    data.Reserved = info.Reserved;
    return data;
}

}  // namespace

bool DeviceEnumAdapter::SetupDiClassGuidsFromNameA(const std::string& className, ClassGuid* guids,
                                                std::uint32_t capacity, std::uint32_t& required) {
    DWORD count = 0;
    const BOOL ok = ::SetupDiClassGuidsFromNameA(className.c_str(), reinterpret_cast<GUID*>(guids), capacity, &count);
    required = count;
    return ok != FALSE;
}

DeviceInfoList DeviceEnumAdapter::SetupDiGetClassDevsA(const ClassGuid& guid, std::uint32_t flags) {
    const GUID classGuid = ToGuid(guid);
    return reinterpret_cast<DeviceInfoList>(::SetupDiGetClassDevsA(&classGuid, nullptr, nullptr, flags));
}

bool DeviceEnumAdapter::SetupDiEnumDeviceInfo(DeviceInfoList list, std::uint32_t index, DeviceInfo& info) {
    SP_DEVINFO_DATA data = ToDevInfoData(DeviceInfo{});
    if (!::SetupDiEnumDeviceInfo(ToList(list), index, &data)) return false;
    std::memcpy(info.Guid.bytes, &data.ClassGuid, sizeof info.Guid.bytes);
    info.DevInst = data.DevInst;
    info.Reserved = data.Reserved;
    return true;
}

bool DeviceEnumAdapter::SetupDiDestroyDeviceInfoList(DeviceInfoList list) {
    return ::SetupDiDestroyDeviceInfoList(ToList(list)) != FALSE;
}

std::uint32_t DeviceEnumAdapter::CM_Get_Device_IDA(std::uint32_t devInst, char* buffer, std::uint32_t length) {
    return ::CM_Get_Device_IDA(devInst, buffer, length, 0);
}

HKey DeviceEnumAdapter::SetupDiOpenDevRegKey(DeviceInfoList list, const DeviceInfo& info, std::uint32_t scope,
                                           std::uint32_t hwProfile, std::uint32_t keyType,
                                           std::uint32_t samDesired) {
    SP_DEVINFO_DATA data = ToDevInfoData(info);
    return reinterpret_cast<HKey>(::SetupDiOpenDevRegKey(ToList(list), &data, scope, hwProfile, keyType, samDesired));
}

std::uint32_t DeviceEnumAdapter::CM_Get_DevNode_Status(std::uint32_t& status, std::uint32_t& problem,
                                                     std::uint32_t devInst) {
    ULONG nodeStatus = 0;
    ULONG problemNumber = 0;
    const CONFIGRET result = ::CM_Get_DevNode_Status(&nodeStatus, &problemNumber, devInst, 0);
    status = nodeStatus;
    problem = problemNumber;
    return result;
}

std::uint32_t DeviceEnumAdapter::CM_Get_First_Log_Conf(LogConf& logConf, std::uint32_t devInst, std::uint32_t kind) {
    LOG_CONF handle = 0;
    const CONFIGRET result = ::CM_Get_First_Log_Conf(&handle, devInst, kind);
    logConf = handle;
    return result;
}

std::uint32_t DeviceEnumAdapter::CM_Get_Next_Res_Des(ResDes& next, std::uintptr_t current,
                                                   std::uint32_t forResource, std::uint32_t& resourceId) {
    RES_DES handle = 0;
    RESOURCEID id = 0;
    const CONFIGRET result = ::CM_Get_Next_Res_Des(&handle, current, forResource, &id, 0);
    next = handle;
    resourceId = id;
    return result;
}

std::uint32_t DeviceEnumAdapter::CM_Get_Res_Des_Data_Size(std::uint32_t& size, ResDes resDes) {
    ULONG dataSize = 0;
    const CONFIGRET result = ::CM_Get_Res_Des_Data_Size(&dataSize, resDes, 0);
    size = dataSize;
    return result;
}

std::uint32_t DeviceEnumAdapter::CM_Get_Res_Des_Data(ResDes resDes, void* buffer, std::uint32_t size) {
    return ::CM_Get_Res_Des_Data(resDes, buffer, size, 0);
}

std::uint32_t DeviceEnumAdapter::CM_Free_Res_Des_Handle(ResDes resDes) { return ::CM_Free_Res_Des_Handle(resDes); }

std::uint32_t DeviceEnumAdapter::CM_Free_Log_Conf_Handle(LogConf logConf) {
    return ::CM_Free_Log_Conf_Handle(logConf);
}

}  // namespace kesma::win32
