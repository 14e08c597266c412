#include "platform/win32/setup_adapters.h"

#include "platform/win32/win32.h"

namespace kesma::win32 {

namespace {
HANDLE ToHandle(Handle h) { return reinterpret_cast<HANDLE>(h); }
Handle FromHandle(HANDLE h) { return reinterpret_cast<Handle>(h); }
}  // namespace

static_assert(sizeof(TokenPrivileges) == sizeof(TOKEN_PRIVILEGES), "one-entry TOKEN_PRIVILEGES");
static_assert(sizeof(Luid) == sizeof(LUID), "LUID");
static_assert(SYNCHRONIZE == kSynchronize && WAIT_OBJECT_0 == kWaitObject0 && WAIT_ABANDONED == kWaitAbandoned &&
              WAIT_TIMEOUT == kWaitTimeout && WAIT_FAILED == kWaitFailed);
static_assert(MOVEFILE_DELAY_UNTIL_REBOOT == kMoveFileDelayUntilReboot);
static_assert(TOKEN_ADJUST_PRIVILEGES == kTokenAdjustPrivileges && TOKEN_QUERY == kTokenQuery &&
              SE_PRIVILEGE_ENABLED == kSePrivilegeEnabled);
static_assert(EWX_REBOOT == kEwxReboot && EWX_FORCEIFHUNG == kEwxForceIfHung);

std::uint32_t ProfileAdapter::GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                                       const std::string& defaultText, char* buffer,
                                                       std::uint32_t size, const std::string& file) {
    return ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(), buffer, size, file.c_str());
}

bool ProcessControlAdapter::CreateProcessA(const std::string& commandLine, std::uint32_t& processId,
                                           Handle& process) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    std::string line = commandLine;  // CreateProcessA may write into its command line
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    ::CloseHandle(info.hThread);
    processId = info.dwProcessId;
    process = FromHandle(info.hProcess);
    return true;
}

Handle ProcessControlAdapter::OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) {
    return FromHandle(::OpenProcess(access, inherit ? TRUE : FALSE, processId));
}

std::uint32_t ProcessControlAdapter::WaitForSingleObject(Handle handle, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(ToHandle(handle), milliseconds);
}

bool ProcessControlAdapter::GetExitCodeProcess(Handle process, std::uint32_t& exitCode) {
    DWORD code = 0;
    const bool ok = ::GetExitCodeProcess(ToHandle(process), &code) != FALSE;
    exitCode = code;
    return ok;
}

bool ProcessControlAdapter::MoveFileExA(const std::string& existing, std::uint32_t flags) {
    return ::MoveFileExA(existing.c_str(), nullptr, flags) != FALSE;
}

Handle RestartAdapter::GetCurrentProcess() { return FromHandle(::GetCurrentProcess()); }

bool RestartAdapter::OpenProcessToken(Handle process, std::uint32_t access, Handle& token) {
    HANDLE h = nullptr;
    const bool ok = ::OpenProcessToken(ToHandle(process), access, &h) != FALSE;
    token = FromHandle(h);
    return ok;
}

bool RestartAdapter::LookupPrivilegeValueA(const std::string& name, Luid& luid) {
    return ::LookupPrivilegeValueA(nullptr, name.c_str(), reinterpret_cast<LUID*>(&luid)) != FALSE;
}

bool RestartAdapter::AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& newState,
                                           std::uint32_t bufferLength, void* previousState,
                                           std::uint32_t& returnLength) {
    TOKEN_PRIVILEGES state = *reinterpret_cast<const TOKEN_PRIVILEGES*>(&newState);
    DWORD length = 0;
    const bool ok = ::AdjustTokenPrivileges(ToHandle(token), disableAll ? TRUE : FALSE, &state, bufferLength,
                                            static_cast<PTOKEN_PRIVILEGES>(previousState), &length) != FALSE;
    returnLength = length;
    return ok;
}

bool RestartAdapter::ExitWindowsEx(unsigned flags, std::uint32_t reason) {
    return ::ExitWindowsEx(flags, reason) != FALSE;
}

std::uint32_t RestartAdapter::GetLastError() { return ::GetLastError(); }
void RestartAdapter::SetLastError(std::uint32_t code) { ::SetLastError(code); }

void DebugAdapter::OutputDebugStringA(const std::string& text) { ::OutputDebugStringA(text.c_str()); }

}  // namespace kesma::win32
