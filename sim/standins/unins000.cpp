// unins000.exe stand-in: a silent uninstaller whose run time and exit code the
// tests choose. KESMA_UNINS_MS and KESMA_UNINS_EXIT in the environment win over
// the lines "ms=N" and "exit=N" of unins000.cfg beside the program; both default
// to 0. It writes unins000.ran beside itself: its command line when it starts,
// "exit=N" when it ends.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string Folder()
{
    char buffer[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    std::string path(buffer, n);
    return path.substr(0, path.find_last_of('\\') + 1);
}

// The environment variable, else the config line "key=N", else 0.
long Setting(const char* variable, const std::string& key, const std::string& folder)
{
    char value[32];
    DWORD n = ::GetEnvironmentVariableA(variable, value, sizeof value);
    if (n > 0 && n < sizeof value) return std::strtol(value, nullptr, 10);
    std::ifstream config(folder + "unins000.cfg");
    std::string line;
    while (std::getline(config, line))
        if (line.compare(0, key.size() + 1, key + "=") == 0) return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string folder = Folder();
    long ms = Setting("KESMA_UNINS_MS", "ms", folder);
    long exitCode = Setting("KESMA_UNINS_EXIT", "exit", folder);
    {
        std::ofstream marker(folder + "unins000.ran", std::ios::trunc);
        marker << ::GetCommandLineA() << "\n";
    }
    if (ms > 0) ::Sleep(static_cast<DWORD>(ms));  // the uninstaller's own work
    std::ofstream(folder + "unins000.ran", std::ios::app) << "exit=" << exitCode << "\n";
    return static_cast<int>(exitCode);
}
