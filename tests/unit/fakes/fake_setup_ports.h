// The uninstaller's process, the restart, the debug output and the text sizes, for tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/setup_ports.h"

namespace kesma::test {

class FakeProcessControl : public ProcessControlPort {
public:
    static constexpr Handle kStartHandle = 0x50, kOpenHandle = 0x60;
    static constexpr std::uint32_t kProcessId = 4242;

    bool startOk = true;
    bool openOk = true;
    std::vector<std::uint32_t> waitResults;  // one per wait; kWaitTimeout when used up
    bool exitCodeOk = true;
    std::uint32_t exitCode = 0;
    std::function<void(const std::string& commandLine)> onStart;

    std::vector<std::string> calls;  // "CreateProcessA <line>", "OpenProcess <access> <pid>", ...
    std::vector<Handle> open;        // handles not closed yet

    bool CreateProcessA(const std::string& commandLine, std::uint32_t& processId, Handle& process) override {
        calls.push_back("CreateProcessA " + commandLine);
        if (onStart) onStart(commandLine);
        if (!startOk) return false;
        processId = kProcessId;
        process = kStartHandle;
        open.push_back(process);
        return true;
    }
    Handle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override {
        calls.push_back("OpenProcess " + std::to_string(access) + " " + std::to_string(inherit) + " " +
                        std::to_string(processId));
        if (!openOk) return 0;
        open.push_back(kOpenHandle);
        return kOpenHandle;
    }
    std::uint32_t WaitForSingleObject(Handle handle, std::uint32_t milliseconds) override {
        calls.push_back("WaitForSingleObject " + std::to_string(handle) + " " + std::to_string(milliseconds));
        const std::size_t n = waits++;
        return n < waitResults.size() ? waitResults[n] : kWaitTimeout;
    }
    bool GetExitCodeProcess(Handle process, std::uint32_t& code) override {
        calls.push_back("GetExitCodeProcess " + std::to_string(process));
        code = exitCode;
        return exitCodeOk;
    }
    bool CloseHandle(Handle handle) override {
        calls.push_back("CloseHandle " + std::to_string(handle));
        std::erase(open, handle);
        return true;
    }
    bool MoveFileExA(const std::string& existing, std::uint32_t flags) override {
        calls.push_back("MoveFileExA " + existing + " " + std::to_string(flags));
        return true;
    }

private:
    std::size_t waits = 0;
};

class FakeRestart : public RestartPort {
public:
    bool tokenOk = true;
    std::uint32_t lookupError = 0;  // the last error the lookup leaves
    std::uint32_t adjustError = 0;
    bool exitOk = true;
    std::uint32_t lastError = 87;  // a stale error from before
    std::vector<std::string> calls;
    TokenPrivileges adjusted;
    std::uint32_t adjustedLength = 0;

    Handle GetCurrentProcess() override { return -1; }
    bool OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override {
        calls.push_back("OpenProcessToken " + std::to_string(process) + " " + std::to_string(access));
        token = tokenOk ? 0x70 : 0;
        return tokenOk;
    }
    bool LookupPrivilegeValueA(const std::string& name, Luid& luid) override {
        calls.push_back("LookupPrivilegeValueA " + name);
        luid = Luid{19, 0};
        if (lookupError != 0) lastError = lookupError;
        return lookupError == 0;
    }
    bool AdjustTokenPrivileges(Handle token, bool disableAll, const TokenPrivileges& newState,
                               std::uint32_t bufferLength, void*, std::uint32_t&) override {
        calls.push_back("AdjustTokenPrivileges " + std::to_string(token) + " " + std::to_string(disableAll));
        adjusted = newState;
        adjustedLength = bufferLength;
        // Like Windows, a missing privilege still answers TRUE and says so in the last error.
        lastError = adjustError;
        return true;
    }
    bool ExitWindowsEx(unsigned flags, std::uint32_t reason) override {
        calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
        return exitOk;
    }
    std::uint32_t GetLastError() override { return lastError; }
    void SetLastError(std::uint32_t code) override { lastError = code; }
};

class FakeDebug : public DebugPort {
public:
    std::vector<std::string> lines;
    void OutputDebugStringA(const std::string& text) override { lines.push_back(text); }
};

}  // namespace kesma::test
