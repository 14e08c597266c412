// <windows.h> for code that also sees the ports and the ui toolkit. Some Win32 names
// are macros (CreateFile -> CreateFileA/W, ...) that would rename the ports' methods
// of the same name in one translation unit and not in another; they are undone here,
// and Win32 code calls the ...A functions by their full names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef CreateFile
#undef FindWindow
#undef GetWindowText
#undef GetWindowTextLength
#undef SendMessage
#undef RegCreateKey
#undef RegQueryValueEx
#undef RegSetValueEx
#undef LoadBitmap
