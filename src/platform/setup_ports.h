// The platform calls of the setup and removal programs: profile files, the
// uninstaller's process, the delete-at-restart of a file, the restart of Windows, the
// debug output and the size of a text as a window draws it. Adapters: src/platform/win32/setup_adapters.*.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ports.h"

namespace kesma {

class ProfilePort {
public:
    virtual ~ProfilePort() = default;
    // GetPrivateProfileStringA(section, key, defaultText, buffer, size, file)
    virtual std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                   const std::string& defaultText, char* buffer,
                                                   std::uint32_t size, const std::string& file) = 0;
};

constexpr std::uint32_t kSynchronize = 0x100000;
constexpr std::uint32_t kWaitObject0 = 0;
constexpr std::uint32_t kWaitAbandoned = 0x80;
constexpr std::uint32_t kWaitTimeout = 0x102;
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFF;
constexpr std::uint32_t kMoveFileDelayUntilReboot = 4;

class ProcessControlPort : public virtual HandlePort {
public:
    // CreateProcessA(nullptr, commandLine, ..., STARTF_USESHOWWINDOW with SW_SHOWNORMAL);
    // the thread handle is closed at once, the process handle is the caller's to close.
    // False when the program did not start.
    virtual bool CreateProcessA(const std::string& commandLine, std::uint32_t& processId, Handle& process) = 0;
    // OpenProcess(access, inherit, processId); 0 on failure.
    virtual Handle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) = 0;
    virtual std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds) = 0;
    // GetExitCodeProcess(process, &exitCode)
    virtual bool GetExitCodeProcess(Handle process, std::uint32_t& exitCode) = 0;
    // MoveFileExA(existing, nullptr, flags): no new name.
    virtual bool MoveFileExA(const std::string& existing, std::uint32_t flags) = 0;
};

struct Luid {
    std::uint32_t LowPart = 0;
    std::int32_t HighPart = 0;
};

// TOKEN_PRIVILEGES with one entry.
struct TokenPrivileges {
    std::uint32_t PrivilegeCount = 0;
    Luid PrivilegeLuid;
    std::uint32_t Attributes = 0;
};

constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
constexpr std::uint32_t kTokenQuery = 0x8;
constexpr std::uint32_t kSePrivilegeEnabled = 2;
constexpr unsigned kEwxReboot = 0x2;
constexpr unsigned kEwxForceIfHung = 0x10;

class RestartPort {
public:
    virtual ~RestartPort() = default;
    virtual Handle GetCurrentProcess() = 0;
    // OpenProcessToken(process, access, &token)
    virtual bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) = 0;
    // LookupPrivilegeValueA(nullptr, name, &luid): the system name is empty (this computer).
    virtual bool LookupPrivilegeValueA(const std::string& name, Luid& luid) = 0;
    // AdjustTokenPrivileges(token, disableAll, &newState, bufferLength, previousState, &returnLength)
    virtual bool AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& newState,
                                       std::uint32_t bufferLength, void* previousState,
                                       std::uint32_t& returnLength) = 0;
    virtual bool ExitWindowsEx(unsigned flags, std::uint32_t reason) = 0;
    virtual std::uint32_t GetLastError() = 0;
    virtual void SetLastError(std::uint32_t code) = 0;
};

// What the silent setup would have shown goes here instead.
class DebugPort {
public:
    virtual ~DebugPort() = default;
    virtual void OutputDebugStringA(const std::string& text) = 0;  // OutputDebugStringA(text)
};

}  // namespace kesma
