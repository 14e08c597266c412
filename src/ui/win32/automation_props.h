// Writing the automation properties (automation.h) on our windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace ui::win32 {

// A global atom property; the atom a previous value held is released.
void SetAtomProp(HWND hwnd, const char* prop, const std::string& text);
void SetNumberProp(HWND hwnd, const char* prop, std::intptr_t stored);
// Removes every automation property, releasing the atoms; for WM_NCDESTROY.
void ClearProps(HWND hwnd);

}  // namespace ui::win32
