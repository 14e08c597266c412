// startup-probe PROGRAM RUNS: starts PROGRAM (a full Windows path) RUNS times and prints,
// as JSON, the median time from CreateProcess to its first visible top-level window and
// the median private memory a second after that. Each copy, and whatever it started, is
// ended afterwards.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    bool found;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search->processId && IsWindowVisible(hwnd)) {
        search->found = true;
        search->window = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup-probe PROGRAM RUNS\n");
        return 2;
    }
    const std::string path = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> startMs, privateKb;
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    for (int i = 0; i < runs; ++i) {
        std::string line = "\"" + path + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
            std::fprintf(stderr, "cannot start %s (error %lu)\n", path.c_str(), GetLastError());
            return 1;
        }
        AssignProcessToJobObject(job, pi.hProcess);
        // The probe itself may poll: it measures, and a 1 ms step is its resolution.
        Search search{pi.dwProcessId, false, nullptr};
        const DWORD begin = GetTickCount();
        while (!search.found && GetTickCount() - begin < 30000) {
            EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
            if (!search.found) Sleep(1);
        }
        QueryPerformanceCounter(&t1);
        if (!search.found) {
            std::fprintf(stderr, "%s showed no window within 30 s\n", path.c_str());
            TerminateJobObject(job, 1);
            return 1;
        }
        startMs.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                          static_cast<double>(frequency.QuadPart));
        Sleep(1000);
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
        // The private commit: Windows reports it in both fields, Wine only in PagefileUsage.
        privateKb.push_back(static_cast<double>(std::max(memory.PrivateUsage, memory.PagefileUsage)) / 1024.0);
        // Closed as a user closes it, so that it deregisters from the driver; the job then
        // ends whatever is left, companions included.
        PostMessageA(search.window, WM_CLOSE, 0, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        TerminateJobObject(job, 0);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        Sleep(300);
    }
    std::printf("{\"start_ms\": %.1f, \"private_kb\": %.0f}\n", Median(startMs), Median(privateKb));
    return 0;
}
