// startup-probe RUNS PROGRAM...: starts each PROGRAM (a full Windows path) in turn, RUNS
// rounds, and prints for each, as a JSON line, the median and the shortest time from
// CreateProcess to its first visible top-level window and the median private memory a
// second after that. The programs take turns so that a slow spell of the machine falls on
// all of them alike. Each copy, and whatever it started, is ended and gone before the next
// starts.
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

struct Sample {
    double startMs;
    double privateKb;
};

// One start of `path`: the time to its first visible window and its private memory a
// second later; false when it showed no window.
bool MeasureOnce(const std::string& path, HANDLE job, Sample& sample) {
    const std::string folder = path.substr(0, path.find_last_of('\\'));
    std::string line = "\"" + path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&t0);
    if (!CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", path.c_str(), GetLastError());
        return false;
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
    if (search.found) {
        sample.startMs = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency.QuadPart);
        Sleep(1000);
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
        // The private commit: Windows reports it in both fields, Wine only in PagefileUsage.
        sample.privateKb = static_cast<double>(std::max(memory.PrivateUsage, memory.PagefileUsage)) / 1024.0;
        // Closed as a user closes it, so that it deregisters from the driver.
        PostMessageA(search.window, WM_CLOSE, 0, 0);
        WaitForSingleObject(pi.hProcess, 10000);
    } else {
        std::fprintf(stderr, "%s showed no window within 30 s\n", path.c_str());
    }
    // The job ends whatever is left, companions included, and the next start waits until
    // all of it is gone and a moment more.
    TerminateJobObject(job, 0);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    for (int i = 0; i < 1000; ++i) {
        QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &accounting, sizeof accounting, nullptr);
        if (accounting.ActiveProcesses == 0) break;
        Sleep(10);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Sleep(500);
    return search.found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup-probe RUNS PROGRAM...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::vector<std::string> programs(argv + 2, argv + argc);
    std::vector<std::vector<double>> startMs(programs.size()), privateKb(programs.size());
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    for (int round = 0; round < runs; ++round) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            Sample sample{};
            if (!MeasureOnce(programs[p], job, sample)) return 1;
            startMs[p].push_back(sample.startMs);
            privateKb[p].push_back(sample.privateKb);
        }
    }
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("{\"start_ms\": %.1f, \"fastest_ms\": %.1f, \"private_kb\": %.0f}\n", Median(startMs[p]),
                    *std::min_element(startMs[p].begin(), startMs[p].end()), Median(privateKb[p]));
    return 0;
}
