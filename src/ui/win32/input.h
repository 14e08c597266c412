// Mouse and key state as the model's handlers receive it, read from window messages.
#pragma once

#include <windows.h>

namespace ui::win32 {

// The shift state of the keyboard now.
int KeyShift();
// The shift state a mouse message carries (Alt read from the keyboard).
int MouseShift(WPARAM wp);
// The buttons held during a mouse message.
int HeldButtons(WPARAM wp);
// The button a press, release or double click message is about; 0 for other messages.
int MessageButton(UINT msg);
bool IsPress(UINT msg);
bool IsRelease(UINT msg);
bool IsDoubleClick(UINT msg);
inline int MouseX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
inline int MouseY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

}  // namespace ui::win32
