// The guard around a program's body: no exception leaves a program.
#pragma once

#include <functional>
#include <string>

namespace ui {

// The exit status of a program whose body ended by an exception.
inline constexpr int kFailedExitCode = 1;

// Runs `body` (a WinMain's whole work) and returns its exit code. An exception that leaves
// it is reported in one line on the debug output and standard error, and, when `showBox`,
// in an error box captioned `title` when the desktop can show one; the program then exits
// with kFailedExitCode.
int RunGuarded(const std::string& title, const std::function<int()>& body, bool showBox = true);

}  // namespace ui
