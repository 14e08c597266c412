// readonly_run COMMAND-LINE: runs the command line with the settings key read-only for
// everyone, as it is for a user who is no administrator, and puts the key's DACL back
// afterwards. Exits with the command's exit status; 200 when the key could not be made
// read-only, 201 when the command could not run, 202 when the DACL could not be put back.
#include <windows.h>

#include <string>

#include "automation/readonly_key.h"

int main() {
    // The command line less this program's own name (quoted or not) and the blanks after it.
    std::string command = GetCommandLineA();
    const std::size_t nameEnd = command[0] == '"' ? command.find('"', 1) + 1 : command.find(' ');
    command = nameEnd == std::string::npos || nameEnd == 0 ? "" : command.substr(nameEnd);
    command.erase(0, command.find_first_not_of(' '));

    kesma::automation::ReadOnlyKey key(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lumivane\\TouchScreen\\Velorix");
    if (!key.Made()) return 200;
    DWORD status = 201;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!command.empty() &&
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return key.Restore() ? static_cast<int>(status) : 202;
}
