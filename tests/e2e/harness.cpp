#include "harness.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace kesma::e2e {

std::string InstallDir() {
    const char* dir = std::getenv("KESMA_INSTALL");
    return dir != nullptr && *dir != '\0' ? dir : "C:\\Program Files\\Lumivane\\TouchScreen";
}

Handle& Handle::operator=(Handle&& other) noexcept {
    if (this != &other) {
        if (h_ != nullptr) CloseHandle(h_);
        h_ = other.h_;
        other.h_ = nullptr;
    }
    return *this;
}

Handle::~Handle() {
    if (h_ != nullptr) CloseHandle(h_);
}

// ---------------------------------------------------------------------------------------
// Driver

Driver::Driver()
    : device_(CreateFileA(KESMA_DEVICE_PATH, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

bool Driver::Request(std::uint32_t code, void* buffer, DWORD inSize, DWORD outSize, DWORD* bytesOut) {
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(device_.get(), code, buffer, inSize, buffer, outSize, &returned, nullptr);
    if (bytesOut != nullptr) *bytesOut = returned;
    return ok != FALSE;
}

void Driver::Reset() { EXPECT_TRUE(Request(KESMA_SIM_RESET, nullptr, 0, 0)) << "driver reset"; }

KesmaSimState Driver::State() {
    KesmaSimState state{};
    EXPECT_TRUE(Request(KESMA_SIM_READ_STATE, &state, 0, sizeof state)) << "driver state";
    return state;
}

void Driver::WriteState(const KesmaSimState& state) {
    KesmaSimState copy = state;
    EXPECT_TRUE(Request(KESMA_SIM_WRITE_STATE, &copy, sizeof copy, 0)) << "driver state write";
}

std::vector<KesmaJournalEntry> Driver::Journal() {
    std::vector<KesmaJournalEntry> entries;
    constexpr std::size_t kBatch = 32;
    std::vector<std::uint8_t> buffer(sizeof(KesmaJournalHeader) + kBatch * sizeof(KesmaJournalEntry));
    std::uint32_t next = 0;
    for (;;) {
        std::copy_n(reinterpret_cast<const std::uint8_t*>(&next), sizeof next, buffer.begin());
        DWORD returned = 0;
        if (!Request(KESMA_SIM_READ_JOURNAL, buffer.data(), sizeof next, static_cast<DWORD>(buffer.size()),
                     &returned)) {
            ADD_FAILURE() << "driver journal";
            return entries;
        }
        KesmaJournalHeader header;
        std::copy_n(buffer.begin(), sizeof header, reinterpret_cast<std::uint8_t*>(&header));
        for (std::uint32_t i = 0; i < header.Count; ++i) {
            KesmaJournalEntry entry;
            std::copy_n(buffer.begin() + static_cast<std::ptrdiff_t>(sizeof header + i * sizeof entry), sizeof entry,
                        reinterpret_cast<std::uint8_t*>(&entry));
            entries.push_back(entry);
        }
        next = header.First + header.Count;
        if (header.Count == 0 || next >= header.Total) return entries;
    }
}

std::vector<std::uint32_t> Driver::JournalCodes() {
    std::vector<std::uint32_t> codes;
    for (const KesmaJournalEntry& e : Journal()) codes.push_back(e.Code);
    return codes;
}

void Driver::ClearJournal() { EXPECT_TRUE(Request(KESMA_SIM_CLEAR_JOURNAL, nullptr, 0, 0)) << "journal clear"; }

void Driver::SetFault(bool on) {
    std::int32_t flag = on ? 1 : 0;
    EXPECT_TRUE(Request(KESMA_SIM_SET_FAULT, &flag, sizeof flag, 0)) << "fault mode";
}

TouchPoint Driver::PostTouch(int x, int y, bool down) {
    TouchPoint point{};
    point.X = static_cast<std::int16_t>(x);
    point.Y = static_cast<std::int16_t>(y);
    point.Status = down ? KESMA_PEN_DOWN : 0;
    EXPECT_TRUE(Request(KESMA_SIM_POST_TOUCH, point)) << "touch report";
    return point;
}

void Driver::PerformRightClick() {
    EXPECT_TRUE(Request(KESMA_SIM_PERFORM_RIGHT_CLICK, nullptr, 0, 0)) << "right click";
}

// ---------------------------------------------------------------------------------------
// Console tools

namespace {

// Under a loaded Wine a process start now and then fails with ERROR_INTERNAL_ERROR before the
// program runs; a later try succeeds. Any other failure is returned at once.
bool CreateProcessRetrying(const char* application, std::string& line, BOOL inheritHandles, DWORD flags,
                           const char* folder, STARTUPINFOA& si, PROCESS_INFORMATION& pi) {
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessA(application, line.data(), nullptr, nullptr, inheritHandles, flags, nullptr, folder, &si, &pi))
            return true;
        if (GetLastError() != ERROR_INTERNAL_ERROR || attempt == 3) return false;
        Sleep(250);
    }
}

// Reads a pipe to its end on a thread of its own, so that a full pipe cannot stall the tool.
class PipeReader {
public:
    PipeReader(HANDLE pipe, std::string& sink) : thread_([pipe, &sink] {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) sink.append(chunk, got);
    }) {}
    ~PipeReader() { thread_.join(); }
    PipeReader(const PipeReader&) = delete;
    PipeReader& operator=(const PipeReader&) = delete;

private:
    std::thread thread_;
};

}  // namespace

ToolResult RunTool(const std::string& commandLine, DWORD timeoutMs) {
    ToolResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        ADD_FAILURE() << "pipes for " << commandLine;
        return result;
    }
    Handle outReader(outRead), errReader(errRead);
    Handle outWriter(outWrite), errWriter(errWrite);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    PROCESS_INFORMATION pi{};
    std::string line = commandLine;
    if (!CreateProcessRetrying(nullptr, line, TRUE, CREATE_NO_WINDOW, nullptr, si, pi)) {
        ADD_FAILURE() << "cannot run " << commandLine << " (error " << GetLastError() << ")";
        return result;
    }
    Handle process(pi.hProcess), thread(pi.hThread);
    // Only the child holds the write ends now: the readers see the end when it exits.
    outWriter = Handle();
    errWriter = Handle();
    {
        PipeReader readOut(outRead, result.out), readErr(errRead, result.err);
        result.finished = WaitForSingleObject(process.get(), timeoutMs) == WAIT_OBJECT_0;
        if (!result.finished) TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), timeoutMs);
    }
    GetExitCodeProcess(process.get(), &result.exitCode);
    return result;
}

ToolResult Kesmasim(const std::string& args) {
    ToolResult r = RunTool("kesmasim.exe " + args);
    EXPECT_TRUE(r.finished && r.exitCode == 0) << "kesmasim " << args << " failed: " << r.err;
    return r;
}

// ---------------------------------------------------------------------------------------
// Programs

Programs::Programs() : job_(CreateJobObjectA(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job_) SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

Programs::~Programs() { Stop(); }

std::optional<DWORD> Programs::Start(const std::string& file, const std::string& args) {
    std::string path = file.find('\\') != std::string::npos ? file : InstallDir() + "\\" + file;
    std::string line = "\"" + path + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string folder = path.substr(0, path.find_last_of('\\'));
    if (!CreateProcessRetrying(path.c_str(), line, FALSE, 0, folder.c_str(), si, pi)) return std::nullopt;
    if (job_) AssignProcessToJobObject(job_.get(), pi.hProcess);
    CloseHandle(pi.hThread);
    started_.push_back({pi.dwProcessId, file, Handle(pi.hProcess)});
    return pi.dwProcessId;
}

Programs::Started* Programs::Find(DWORD processId) {
    for (Started& s : started_)
        if (s.id == processId) return &s;
    return nullptr;
}

bool Programs::WaitExit(DWORD processId, DWORD timeoutMs) {
    Started* s = Find(processId);
    return s != nullptr && WaitForSingleObject(s->process.get(), timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> Programs::ExitCode(DWORD processId) {
    Started* s = Find(processId);
    DWORD code = 0;
    if (s == nullptr || !GetExitCodeProcess(s->process.get(), &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
}

namespace {
// The programs of the running test, for the crash check of every wait.
const Programs* current = nullptr;
}  // namespace

std::string Programs::Crash() const {
    for (const Started& s : started_) {
        DWORD code = 0;
        // Exception codes have the error or warning severity bits; the programs exit 0 or 1.
        if (GetExitCodeProcess(s.process.get(), &code) && code != STILL_ACTIVE && (code & 0x80000000u) != 0) {
            char text[16];
            std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(code));
            return s.file + " ended with exception " + text;
        }
    }
    return {};
}

void Programs::Stop() {
    // Programs a started program started in turn (companions) are in the job too.
    if (job_) TerminateJobObject(job_.get(), 1);
    for (Started& s : started_) {
        TerminateProcess(s.process.get(), 1);
        WaitForSingleObject(s.process.get(), automation::kDefaultTimeoutMs);
    }
    started_.clear();
}

// ---------------------------------------------------------------------------------------
// Registry

namespace {

class Key {
public:
    explicit Key(REGSAM access) {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, 0, nullptr, 0, access | KEY_WOW64_64KEY, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::optional<std::vector<BYTE>> ReadValue(const std::string& name, DWORD expectedType) {
    Key key(KEY_READ);
    DWORD type = 0, size = 0;
    if (key.get() == nullptr || RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    std::vector<BYTE> data(size);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}

void WriteValue(const std::string& name, DWORD type, const void* data, DWORD size) {
    Key key(KEY_WRITE);
    ASSERT_NE(key.get(), nullptr) << "vendor key";
    ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS)
        << "writing " << name;
}

}  // namespace

std::optional<std::string> ReadRegString(const std::string& name) {
    auto data = ReadValue(name, REG_SZ);
    if (!data) return std::nullopt;
    std::string text(data->begin(), data->end());
    return text.substr(0, text.find('\0'));
}

std::optional<DWORD> ReadRegDword(const std::string& name) {
    auto data = ReadValue(name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    std::copy_n(data->begin(), sizeof value, reinterpret_cast<BYTE*>(&value));
    return value;
}

void WriteRegString(const std::string& name, const std::string& value) {
    WriteValue(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void WriteRegDword(const std::string& name, DWORD value) { WriteValue(name, REG_DWORD, &value, sizeof value); }

void DeleteRegValue(const std::string& name) {
    Key key(KEY_WRITE);
    if (key.get() != nullptr) RegDeleteValueA(key.get(), name.c_str());
}

VendorKeyGuard::VendorKeyGuard() {
    Key key(KEY_READ);
    if (key.get() == nullptr) return;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name, type = 0, dataSize = 0;
        if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, nullptr, &dataSize) != ERROR_SUCCESS) break;
        Value v{std::string(name, nameSize), type, std::vector<BYTE>(dataSize)};
        nameSize = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, &type, v.data.data(), &dataSize) == ERROR_SUCCESS) {
            v.data.resize(dataSize);
            saved_.push_back(std::move(v));
        }
    }
}

VendorKeyGuard::~VendorKeyGuard() {
    Key key(KEY_READ | KEY_WRITE);
    if (key.get() == nullptr) return;
    std::vector<std::string> present;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        present.emplace_back(name, nameSize);
    }
    for (const std::string& name : present) RegDeleteValueA(key.get(), name.c_str());
    for (const Value& v : saved_)
        RegSetValueExA(key.get(), v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
}

SettingsKeyReadOnly::SettingsKeyReadOnly() : key_(HKEY_LOCAL_MACHINE, kVendorKey) {
    EXPECT_TRUE(key_.Made()) << "making the vendor key read-only";
}

SettingsKeyReadOnly::~SettingsKeyReadOnly() { EXPECT_TRUE(key_.Restore()) << "restoring the vendor key's DACL"; }

// ---------------------------------------------------------------------------------------

bool Eventually(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (current != nullptr) {
            if (const std::string crash = current->Crash(); !crash.empty()) {
                ADD_FAILURE() << crash;
                return false;
            }
        }
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

automation::ControlInfo ReadNamedControl(HWND form, const std::string& name) {
    HWND control = automation::FindControl(form, name);
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control != nullptr ? automation::ReadControl(form, control) : automation::ControlInfo{};
}

DriverStopped::DriverStopped() { Kesmasim("uninstall"); }

DriverStopped::~DriverStopped() {
    Kesmasim("install");
    Kesmasim("reset");
}

InstallFile::InstallFile(const std::string& name, const std::vector<std::uint8_t>& content)
    : path_(InstallDir() + "\\" + name) {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << path_;
}

InstallFile::~InstallFile() { DeleteFileA(path_.c_str()); }

namespace {
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
}  // namespace

SystemDpi::SystemDpi(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        RegCloseKey(key);
    }
}

SystemDpi::~SystemDpi() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, "LogPixels"); }

std::string Shot(HWND hwnd, const std::string& name) {
    const char* folder = std::getenv("KESMA_SHOTS");
    if (folder == nullptr || *folder == '\0') return {};
    CreateDirectoryA(folder, nullptr);
    std::string path = std::string(folder) + "\\" + name + ".png";
    std::string reason = automation::SaveScreenshot(hwnd, path);
    EXPECT_TRUE(reason.empty()) << "screenshot " << path << ": " << reason;
    return path;
}

void E2eTest::SetUp() {
    if (!driver.Present()) GTEST_SKIP() << "the simulated driver is not installed (run tools/wine-env up)";
    driver.Reset();
    current = &programs;
}

void E2eTest::TearDown() {
    current = nullptr;
    if (const std::string crash = programs.Crash(); !crash.empty()) ADD_FAILURE() << crash;
    programs.Stop();
    // A test that faulted or stopped the driver must not leak that into the next one.
    if (driver.Present()) driver.Reset();
}

}  // namespace kesma::e2e
