// The Win32 side of the setup and removal programs' ports: each method is the named call.
#pragma once

#include "platform/setup_ports.h"
#include "platform/win32/adapters.h"

namespace kesma::win32 {

class ProfileAdapter final : public ProfilePort {
public:
    std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                           const std::string& defaultText, char* buffer, std::uint32_t size,
                                           const std::string& file) override;
};

class ProcessControlAdapter final : public ProcessControlPort, public HandleAdapter {
public:
    bool CreateProcessA(const std::string& commandLine, std::uint32_t& processId, Handle& process) override;
    Handle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
    std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds) override;
    bool GetExitCodeProcess(Handle process, std::uint32_t& exitCode) override;
    bool MoveFileExA(const std::string& existing, std::uint32_t flags) override;
};

class RestartAdapter final : public RestartPort {
public:
    Handle GetCurrentProcess() override;
    bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override;
    bool LookupPrivilegeValueA(const std::string& name, Luid& luid) override;
    bool AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& newState,
                               std::uint32_t bufferLength, void* previousState,
                               std::uint32_t& returnLength) override;
    bool ExitWindowsEx(unsigned flags, std::uint32_t reason) override;
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t code) override;
};

class DebugAdapter final : public DebugPort {
public:
    void OutputDebugStringA(const std::string& text) override;
};

}  // namespace kesma::win32
