// kesmasim.exe: the commands over the real device link and the service manager.
//
// `install` registers the KESMADRV kernel service for the kesmadrv.sys that lies
// beside kesmasim.exe, or else for %SystemRoot%\system32\drivers\kesmadrv.sys, and
// starts it; nothing is copied.
#include <windows.h>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "shared/records.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct ServiceCloser {
    void operator()(SC_HANDLE h) const { ::CloseServiceHandle(h); }
};
using UniqueService = std::unique_ptr<SC_HANDLE__, ServiceCloser>;

const char kServiceName[] = "KESMADRV";

std::string LastError(const std::string& what)
{
    return what + " failed with error " + std::to_string(::GetLastError());
}

bool FileExists(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DriverPath()
{
    char buffer[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string beside(buffer, n);
    beside = beside.substr(0, beside.find_last_of('\\') + 1) + "kesmadrv.sys";
    if (FileExists(beside)) return beside;
    n = ::GetSystemDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, n) + "\\drivers\\kesmadrv.sys";
}

class Win32Host : public kesmasim::Host {
public:
    bool Open(std::string& error) override
    {
        HANDLE h = ::CreateFileA(KESMA_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            error = LastError("CreateFileA(\\\\.\\KESMADRV)");
            return false;
        }
        device_.reset(h);
        return true;
    }

    bool Request(std::uint32_t code, void* buffer, std::uint32_t inSize, std::uint32_t outSize,
                 std::uint32_t& bytesOut) override
    {
        DWORD bytes = 0;
        BOOL ok = ::DeviceIoControl(device_.get(), code, inSize ? buffer : nullptr, inSize,
                                    outSize ? buffer : nullptr, outSize, &bytes, nullptr);
        bytesOut = bytes;
        return ok != FALSE;
    }

    bool Install(std::string& error) override
    {
        UniqueService manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        if (!manager) return error = LastError("OpenSCManagerA"), false;
        std::string path = DriverPath();
        if (!FileExists(path)) return error = path + " not found", false;
        // Registered to start with the system, as a real driver is: after a restart of
        // Windows the log-on run finds the device again.
        UniqueService service(::CreateServiceA(manager.get(), kServiceName, kServiceName, SERVICE_ALL_ACCESS,
                                               SERVICE_KERNEL_DRIVER, SERVICE_SYSTEM_START, SERVICE_ERROR_NORMAL,
                                               path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
        if (!service && ::GetLastError() == ERROR_SERVICE_EXISTS) {
            service.reset(::OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS));
            if (service)
                ::ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, SERVICE_SYSTEM_START, SERVICE_NO_CHANGE,
                                       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        }
        if (!service) return error = LastError("CreateServiceA"), false;
        if (::StartServiceA(service.get(), 0, nullptr)) return true;
        DWORD code = ::GetLastError();
        if (code == ERROR_SERVICE_ALREADY_RUNNING) return true;
        if (code == ERROR_SERVICE_REQUEST_TIMEOUT && WaitRunning(service.get())) return true;
        error = "StartServiceA failed with error " + std::to_string(code);
        return false;
    }

    // Wine's service manager may answer a start with a time-out while the driver's
    // host process still comes up; the service then runs moments later.
    static bool WaitRunning(SC_HANDLE service)
    {
        for (int i = 0; i < 50; ++i) {
            SERVICE_STATUS status;
            if (::QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING) return true;
            ::Sleep(100);
        }
        return false;
    }

    bool Uninstall(std::string& error) override
    {
        UniqueService manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        if (!manager) return error = LastError("OpenSCManagerA"), false;
        UniqueService service(::OpenServiceA(manager.get(), kServiceName, SERVICE_ALL_ACCESS));
        if (!service) return error = LastError("OpenServiceA"), false;
        SERVICE_STATUS status;
        if (!::ControlService(service.get(), SERVICE_CONTROL_STOP, &status) &&
            ::GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
            return error = LastError("ControlService(stop)"), false;
        if (!::DeleteService(service.get())) return error = LastError("DeleteService"), false;
        return true;
    }

    std::uint64_t NowMs() override { return ::GetTickCount64(); }

    void SleepUntilMs(std::uint64_t deadline) override
    {
        std::uint64_t now = ::GetTickCount64();
        if (deadline > now) ::Sleep(static_cast<DWORD>(deadline - now));
    }

private:
    UniqueHandle device_;
};

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    Win32Host host;
    return kesmasim::Run(args, host, std::cout, std::cerr);
}
