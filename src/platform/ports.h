// Narrow interfaces to the platform calls the programs make. Each Win32 adapter
// (src/platform/win32) calls exactly the named API with the arguments given in
// the comments and holds no logic; the host tests use fakes (tests/unit/fakes).
#pragma once

#include <cstdint>
#include <string>

namespace kesma {

using Handle = std::intptr_t;  // a kernel handle; -1 is INVALID_HANDLE_VALUE
using Hwnd = std::intptr_t;    // a window handle; 0 is none
using HKey = std::uintptr_t;   // a registry key handle or predefined root

constexpr Handle kInvalidHandle = -1;
constexpr HKey kHkeyLocalMachine = 0x80000002u;
constexpr HKey kHkeyCurrentUser = 0x80000001u;

// Closing a kernel handle, declared once for the ports that hand out handles.
class HandlePort {
public:
    virtual ~HandlePort() = default;
    virtual bool CloseHandle(Handle handle) = 0;
};

// \\.\KESMADRV
class DevicePort : public virtual HandlePort {
public:
    // CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
    //             &zeroed SECURITY_ATTRIBUTES, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
    virtual Handle CreateFileA(const std::string& name) = 0;
    // DeviceIoControl(handle, code, buffer, size, buffer, size, &bytesReturned, &zeroed OVERLAPPED)
    virtual bool DeviceIoControl(Handle handle, std::uint32_t code, void* buffer, std::uint32_t size,
                                 std::uint32_t& bytesReturned) = 0;
};

// Win32 result codes the registry procedures look at.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorMoreData = 234;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegDword = 4;

// Reading and closing an open key, declared once for the ports that open keys.
class RegistryKeyPort {
public:
    virtual ~RegistryKeyPort() = default;
    // RegQueryValueExA(key, name, nullptr, &type, data, &size); data may be null to learn type and size.
    virtual long RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                                  std::uint32_t& size) = 0;
    virtual long RegCloseKey(HKey key) = 0;
};

class RegistryPort : public virtual RegistryKeyPort {
public:
    // RegCreateKeyA(root, path, &key)
    virtual long RegCreateKeyA(HKey root, const std::string& path, HKey& key) = 0;
    // RegSetValueExA(key, name, 0, type, data, size)
    virtual long RegSetValueExA(HKey key, const std::string& name, std::uint32_t type, const void* data,
                                std::uint32_t size) = 0;
};

constexpr unsigned kGwHwndNext = 2;
constexpr int kGwwHinstance = -6;
constexpr unsigned kWmUser = 0x400;
constexpr unsigned kSmtoAbortIfHung = 0x0002;

// A rectangle in screen pixels, laid out as a RECT; right and bottom are exclusive.
struct PixelRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

constexpr Hwnd kHwndTopMost = -1;
constexpr unsigned kSwpNoSize = 0x0001;
constexpr unsigned kSwpNoMove = 0x0002;
constexpr unsigned kSwpNoActivate = 0x0010;

// Top-level windows, their places and the messages between the programs.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    virtual Hwnd FindWindowA() = 0;  // FindWindowA(nullptr, nullptr)
    virtual Hwnd GetWindow(Hwnd window, unsigned command) = 0;
    virtual Hwnd GetParent(Hwnd window) = 0;
    virtual std::uint16_t GetWindowWord(Hwnd window, int index) = 0;
    // GetWindowTextA(window, buffer, capacity); returns the characters copied.
    virtual int GetWindowTextA(Hwnd window, char* buffer, int capacity) = 0;
    virtual int GetWindowTextLengthA(Hwnd window) = 0;
    virtual bool SetForegroundWindow(Hwnd window) = 0;
    virtual bool BringWindowToTop(Hwnd window) = 0;
    // SendMessageTimeoutA(window, message, wParam, lParam, flags, timeoutMs, result): false
    // when the window did not answer in time, is hung (kSmtoAbortIfHung) or is gone.
    // `result` may be null.
    virtual bool SendMessageTimeoutA(Hwnd window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                     unsigned flags, unsigned timeoutMs, std::uintptr_t* result) = 0;
    // GetWindowRect(window, &rect)
    virtual PixelRect GetWindowRect(Hwnd window) = 0;
    // SetWindowPos(window, insertAfter, 0, 0, 0, 0, flags)
    virtual bool SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) = 0;
};

constexpr unsigned kSwHide = 0;
constexpr unsigned kSwShowNormal = 1;

class ProcessPort {
public:
    virtual ~ProcessPort() = default;
    // WinExec(commandLine, show); more than 31 means started.
    virtual unsigned WinExec(const std::string& commandLine, unsigned show) = 0;
    // True when another process already holds the program's single-instance mutex
    // (CreateMutexA(nullptr, FALSE, "Local\\Kesma.<name>") answering ERROR_ALREADY_EXISTS);
    // the mutex is held until the process ends.
    virtual bool AnotherInstanceRunning(const std::string& programName) = 0;
};

class FilePort {
public:
    virtual ~FilePort() = default;
    // Opens the path for reading and closes it again; false for folders and missing files.
    virtual bool CanOpenForReading(const std::string& path) = 0;
};

}  // namespace kesma
