// The Win32 side of the ports: each method is the one named API call, nothing more.
#pragma once

#include "platform/ports.h"

namespace kesma::win32 {

// The one CloseHandle of the ports that hand out handles.
class HandleAdapter : public virtual HandlePort {
public:
    bool CloseHandle(Handle handle) override;
};

class DeviceAdapter final : public DevicePort, public HandleAdapter {
public:
    Handle CreateFileA(const std::string& name) override;
    bool DeviceIoControl(Handle handle, std::uint32_t code, void* buffer, std::uint32_t size,
                         std::uint32_t& bytesReturned) override;
};

// The one RegQueryValueExA and RegCloseKey of the ports that open keys.
class RegistryKeyAdapter : public virtual RegistryKeyPort {
public:
    long RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                          std::uint32_t& size) override;
    long RegCloseKey(HKey key) override;
};

class RegistryAdapter final : public RegistryPort, public RegistryKeyAdapter {
public:
    long RegCreateKeyA(HKey root, const std::string& path, HKey& key) override;
    long RegSetValueExA(HKey key, const std::string& name, std::uint32_t type, const void* data,
                        std::uint32_t size) override;
};

class WindowAdapter final : public WindowPort {
public:
    Hwnd FindWindowA() override;
    Hwnd GetWindow(Hwnd window, unsigned command) override;
    Hwnd GetParent(Hwnd window) override;
    std::uint16_t GetWindowWord(Hwnd window, int index) override;
    int GetWindowTextA(Hwnd window, char* buffer, int capacity) override;
    int GetWindowTextLengthA(Hwnd window) override;
    bool SetForegroundWindow(Hwnd window) override;
    bool BringWindowToTop(Hwnd window) override;
    bool SendMessageTimeoutA(Hwnd window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             unsigned flags, unsigned timeoutMs, std::uintptr_t* result) override;
    PixelRect GetWindowRect(Hwnd window) override;
    bool SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) override;
};

// Holds the single-instance mutex until the adapter (the process) ends.
class ProcessAdapter final : public ProcessPort {
public:
    ProcessAdapter() = default;
    ProcessAdapter(const ProcessAdapter&) = delete;
    ProcessAdapter& operator=(const ProcessAdapter&) = delete;
    ~ProcessAdapter() override;

    unsigned WinExec(const std::string& commandLine, unsigned show) override;
    bool AnotherInstanceRunning(const std::string& programName) override;

private:
    Handle instanceMutex_ = 0;
};

class FileAdapter final : public FilePort {
public:
    bool CanOpenForReading(const std::string& path) override;
};

}  // namespace kesma::win32
