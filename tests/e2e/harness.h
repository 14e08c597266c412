// Helpers for the end-to-end tests: the simulated driver, the installed programs, the
// registry, message boxes and screenshots. Every wait has a time-out; every program a test
// starts is ended when the test ends.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "automation/automation.h"
#include "automation/json.h"
#include "automation/readonly_key.h"
#include "sim/core/kesmadrv_private.h"

namespace kesma::e2e {

// The Windows path of the install folder (KESMA_INSTALL, as tools/wine-env exports it).
std::string InstallDir();
// The vendor key of the programs, below HKEY_LOCAL_MACHINE.
inline constexpr const char* kVendorKey = "SOFTWARE\\Lumivane\\TouchScreen\\Velorix";

// A handle that is closed when it goes out of scope.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    Handle(Handle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    Handle& operator=(Handle&& other) noexcept;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle();
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_ = nullptr;
};

// The simulated driver, reached through its device like the programs reach it, plus its
// private requests for setting up and inspecting state.
class Driver {
public:
    Driver();
    bool Present() const { return static_cast<bool>(device_); }

    // One request: the buffer is both input and output, as the programs send it. Returns
    // false when the driver refused it; `bytesOut` receives the count it returned.
    bool Request(std::uint32_t code, void* buffer, DWORD inSize, DWORD outSize, DWORD* bytesOut = nullptr);
    template <typename Record>
    bool Request(std::uint32_t code, Record& record) {
        return Request(code, &record, sizeof record, sizeof record);
    }

    void Reset();
    KesmaSimState State();
    void WriteState(const KesmaSimState& state);
    // Requests journaled since the last clear, oldest first.
    std::vector<KesmaJournalEntry> Journal();
    std::vector<std::uint32_t> JournalCodes();
    void ClearJournal();
    void SetFault(bool on);
    TouchPoint PostTouch(int x, int y, bool down);
    void PerformRightClick();

private:
    Handle device_;
};

struct ToolResult {
    DWORD exitCode = 0;
    std::string out;  // standard output
    std::string err;  // standard error
    bool finished = false;  // false: killed at the time-out
};

// Runs a console command line (a program in C:\windows or a full path) and collects its
// output; kills it when it outlives the time-out.
ToolResult RunTool(const std::string& commandLine, DWORD timeoutMs = 30000);
// `kesmasim ARGS`, expected to succeed.
ToolResult Kesmasim(const std::string& args);

// Programs started by a test, all ended by Stop() or the destructor, whatever the test did.
class Programs {
public:
    Programs();
    ~Programs();
    Programs(const Programs&) = delete;
    Programs& operator=(const Programs&) = delete;

    // Starts `file` from the install folder (or a full path) with `args`; nullopt when it
    // could not be started. The returned id names the process for Wait/ExitCode.
    std::optional<DWORD> Start(const std::string& file, const std::string& args = {});
    // True when the process ended within the time-out.
    bool WaitExit(DWORD processId, DWORD timeoutMs = automation::kDefaultTimeoutMs);
    std::optional<DWORD> ExitCode(DWORD processId);
    // "Kesmapan.exe ended with exception 0xC0000005" for the first started program that
    // died of an exception, or empty.
    std::string Crash() const;
    void Stop();

private:
    struct Started {
        DWORD id;
        std::string file;
        Handle process;
    };
    Started* Find(DWORD processId);
    Handle job_;
    std::vector<Started> started_;
};

// Registry values of the vendor key (64-bit view).
std::optional<std::string> ReadRegString(const std::string& name);
std::optional<DWORD> ReadRegDword(const std::string& name);
void WriteRegString(const std::string& name, const std::string& value);
void WriteRegDword(const std::string& name, DWORD value);
void DeleteRegValue(const std::string& name);

// Saves every value of the vendor key and puts them back, removing added ones, when it goes
// out of scope.
class VendorKeyGuard {
public:
    VendorKeyGuard();
    ~VendorKeyGuard();
    VendorKeyGuard(const VendorKeyGuard&) = delete;
    VendorKeyGuard& operator=(const VendorKeyGuard&) = delete;

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<Value> saved_;
};

// Makes the vendor key read-only for everyone, as it is for a user who is no administrator;
// puts the exact previous DACL back when it goes out of scope. Either failing fails the test.
class SettingsKeyReadOnly {
public:
    SettingsKeyReadOnly();
    ~SettingsKeyReadOnly();

private:
    automation::ReadOnlyKey key_;
};

// Polls until the condition holds or the time-out passes; fails the test and gives up at
// once when a program the test started has crashed.
bool Eventually(const std::function<bool()>& condition, DWORD timeoutMs = automation::kDefaultTimeoutMs);

// A control of a form by design name, read now; a missing control fails the test.
automation::ControlInfo ReadNamedControl(HWND form, const std::string& name);

// Takes the driver away for one test and puts it back, reset, whatever the test did.
// Handles to the device opened before do not survive the reinstall.
class DriverStopped {
public:
    DriverStopped();
    ~DriverStopped();
    DriverStopped(const DriverStopped&) = delete;
    DriverStopped& operator=(const DriverStopped&) = delete;
};

// A file put into the install folder for one test and removed afterwards.
class InstallFile {
public:
    InstallFile(const std::string& name, const std::vector<std::uint8_t>& content);
    ~InstallFile();
    InstallFile(const InstallFile&) = delete;
    InstallFile& operator=(const InstallFile&) = delete;

private:
    std::string path_;
};

// The system DPI for the programs started while it lives (HKCU\Control Panel\Desktop,
// LogPixels, read when a process starts); the default (96) afterwards.
class SystemDpi {
public:
    explicit SystemDpi(DWORD dpi);
    ~SystemDpi();
    SystemDpi(const SystemDpi&) = delete;
    SystemDpi& operator=(const SystemDpi&) = delete;
};

// Saves a screenshot of the window as KESMA_SHOTS\<name>.png when KESMA_SHOTS is set, once
// the window and its controls have painted; returns the path, or empty when no folder was
// given.
std::string Shot(HWND hwnd, const std::string& name);

// The base of tests that drive the installed programs: the driver starts from its default
// state and the programs started through `programs` are ended afterwards.
class E2eTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Driver driver;
    Programs programs;
};

}  // namespace kesma::e2e
