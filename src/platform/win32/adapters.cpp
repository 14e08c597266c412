#include "platform/win32/adapters.h"

#include "platform/win32/win32.h"

namespace kesma::win32 {

static_assert(ERROR_SUCCESS == kErrorSuccess && ERROR_FILE_NOT_FOUND == kErrorFileNotFound &&
              ERROR_ACCESS_DENIED == kErrorAccessDenied && ERROR_MORE_DATA == kErrorMoreData);
static_assert(REG_SZ == kRegSz && REG_DWORD == kRegDword);
static_assert(GW_HWNDNEXT == kGwHwndNext && GWLP_HINSTANCE == kGwwHinstance && WM_USER == kWmUser &&
              SMTO_ABORTIFHUNG == kSmtoAbortIfHung);
static_assert(SW_HIDE == kSwHide && SW_SHOWNORMAL == kSwShowNormal);
static_assert(SWP_NOSIZE == kSwpNoSize && SWP_NOMOVE == kSwpNoMove && SWP_NOACTIVATE == kSwpNoActivate);

namespace {

HANDLE ToHandle(Handle h) { return reinterpret_cast<HANDLE>(h); }
HWND ToHwnd(Hwnd h) { return reinterpret_cast<HWND>(h); }
Hwnd FromHwnd(HWND h) { return reinterpret_cast<Hwnd>(h); }

// The predefined roots are passed around as their 32-bit values; Windows wants them
// sign-extended to the pointer size.
HKEY ToHkey(HKey key) {
    switch (key) {
    case 0x80000000u: return HKEY_CLASSES_ROOT;
    case kHkeyCurrentUser: return HKEY_CURRENT_USER;
    case kHkeyLocalMachine: return HKEY_LOCAL_MACHINE;
    case 0x80000003u: return HKEY_USERS;
    case 0x80000005u: return HKEY_CURRENT_CONFIG;
    default: return reinterpret_cast<HKEY>(key);
    }
}

}  // namespace

Handle DeviceAdapter::CreateFileA(const std::string& name) {
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof security;
    return reinterpret_cast<Handle>(::CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  &security, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool DeviceAdapter::DeviceIoControl(Handle handle, std::uint32_t code, void* buffer, std::uint32_t size,
                                    std::uint32_t& bytesReturned) {
    OVERLAPPED overlapped{};
    DWORD returned = 0;
    const BOOL ok = ::DeviceIoControl(ToHandle(handle), code, buffer, size, buffer, size, &returned, &overlapped);
    bytesReturned = returned;
    return ok != FALSE;
}

bool HandleAdapter::CloseHandle(Handle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

long RegistryAdapter::RegCreateKeyA(HKey root, const std::string& path, HKey& key) {
    HKEY opened = nullptr;
    const LONG result = ::RegCreateKeyA(ToHkey(root), path.c_str(), &opened);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<HKey>(opened);
    return result;
}

long RegistryKeyAdapter::RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                                          std::uint32_t& size) {
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG result = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &valueType,
                                           static_cast<BYTE*>(data), &valueSize);
    type = valueType;
    size = valueSize;
    return result;
}

long RegistryAdapter::RegSetValueExA(HKey key, const std::string& name, std::uint32_t type, const void* data,
                                     std::uint32_t size) {
    return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
}

long RegistryKeyAdapter::RegCloseKey(HKey key) { return ::RegCloseKey(ToHkey(key)); }

Hwnd WindowAdapter::FindWindowA() { return FromHwnd(::FindWindowA(nullptr, nullptr)); }

Hwnd WindowAdapter::GetWindow(Hwnd window, unsigned command) { return FromHwnd(::GetWindow(ToHwnd(window), command)); }

Hwnd WindowAdapter::GetParent(Hwnd window) { return FromHwnd(::GetParent(ToHwnd(window))); }

std::uint16_t WindowAdapter::GetWindowWord(Hwnd window, int index) { return ::GetWindowWord(ToHwnd(window), index); }

int WindowAdapter::GetWindowTextA(Hwnd window, char* buffer, int capacity) {
    return ::GetWindowTextA(ToHwnd(window), buffer, capacity);
}

int WindowAdapter::GetWindowTextLengthA(Hwnd window) { return ::GetWindowTextLengthA(ToHwnd(window)); }

bool WindowAdapter::SetForegroundWindow(Hwnd window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

bool WindowAdapter::BringWindowToTop(Hwnd window) { return ::BringWindowToTop(ToHwnd(window)) != FALSE; }

bool WindowAdapter::SendMessageTimeoutA(Hwnd window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                        unsigned flags, unsigned timeoutMs, std::uintptr_t* result) {
    DWORD_PTR answer = 0;
    const bool answered = ::SendMessageTimeoutA(ToHwnd(window), message, wParam, lParam, flags, timeoutMs, &answer) != 0;
    if (result) *result = answered ? answer : 0;
    return answered;
}

PixelRect WindowAdapter::GetWindowRect(Hwnd window) {
    RECT rect{};
    ::GetWindowRect(ToHwnd(window), &rect);
    return PixelRect{rect.left, rect.top, rect.right, rect.bottom};
}

bool WindowAdapter::SetWindowPos(Hwnd window, Hwnd insertAfter, unsigned flags) {
    return ::SetWindowPos(ToHwnd(window), ToHwnd(insertAfter), 0, 0, 0, 0, flags) != FALSE;
}

ProcessAdapter::~ProcessAdapter() {
    if (instanceMutex_ != 0) ::CloseHandle(ToHandle(instanceMutex_));
}

unsigned ProcessAdapter::WinExec(const std::string& commandLine, unsigned show) {
    return ::WinExec(commandLine.c_str(), show);
}

bool ProcessAdapter::AnotherInstanceRunning(const std::string& programName) {
    // Our own earlier mutex would otherwise count as another copy.
    if (instanceMutex_ != 0) ::CloseHandle(ToHandle(instanceMutex_));
    const std::string name = "Local\\Kesma." + programName;
    ::SetLastError(ERROR_SUCCESS);
    instanceMutex_ = reinterpret_cast<Handle>(::CreateMutexA(nullptr, FALSE, name.c_str()));
    return ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool FileAdapter::CanOpenForReading(const std::string& path) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(file);
    return true;
}

}  // namespace kesma::win32
