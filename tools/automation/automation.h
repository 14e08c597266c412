// Finding, reading and driving the programs' windows from another process. winprobe and the
// end-to-end tests share this code. Forms and controls are recognised by the window
// properties the Win32 ui backend attaches (ui/win32/automation.h); message boxes by their
// dialog class.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kesma::automation {

inline constexpr DWORD kDefaultTimeoutMs = 5000;

struct WindowInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string form;  // design name, empty for windows not made by the ui backend
    std::string className;
    DWORD processId = 0;
    bool visible = false;
    RECT rect{};  // screen coordinates
};

struct ControlInfo {
    HWND hwnd = nullptr;
    std::string name;
    std::string kind;
    std::string text;
    bool visible = false;
    bool enabled = false;
    std::optional<int> value, min, max;  // options and checks: value is the checked state
    std::vector<std::string> items;      // combo list
    std::optional<int> selected;         // combo selection, -1 = none
    std::optional<std::uint32_t> fore, back;  // 0x00BBGGRR
    RECT rect{};  // relative to the form's client area
};

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string caption;
    std::string text;
    std::string icon;  // "error", "warning", "information", "question" or "none"
    std::vector<std::string> buttons;  // captions without ampersands, in tab order
};

std::string WindowText(HWND hwnd);
std::vector<WindowInfo> TopLevelWindows();
WindowInfo ReadWindow(HWND hwnd);

// A top-level window by exact caption or by form design name. Where several match, a
// visible one wins. nullptr when none matches.
HWND FindTopWindow(const std::string& captionOrForm);
HWND WaitTopWindow(const std::string& captionOrForm, DWORD timeoutMs = kDefaultTimeoutMs);
// True when no matching visible window remains within the time-out.
bool WaitTopWindowGone(const std::string& captionOrForm, DWORD timeoutMs = kDefaultTimeoutMs);

std::vector<ControlInfo> Controls(HWND form);
HWND FindControl(HWND form, const std::string& name);
ControlInfo ReadControl(HWND form, HWND control);

// Outcome of an action on another program's window: whether the receiver came back to its
// message loop (or to a nested one, like a message box's) within the time-out.
struct SendResult {
    bool done = false;
    LRESULT value = 0;
};

// Sends a message without letting a receiver that opens a modal window block the caller:
// returns when the message was handled, or when the receiver is waiting for input again
// inside the handler (a message box, a DoEvents pump), or at the time-out.
SendResult SendAndSettle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                         DWORD timeoutMs = kDefaultTimeoutMs);

enum Modifier : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };
enum class MouseButton { Left, Right, Middle };

// Each returns an empty string on success, else the reason it could not act.
std::string Click(HWND form, HWND control, DWORD timeoutMs = kDefaultTimeoutMs);
std::string DoubleClick(HWND form, HWND control, DWORD timeoutMs = kDefaultTimeoutMs);
std::string MouseDown(HWND target, MouseButton button, unsigned modifiers, DWORD timeoutMs = kDefaultTimeoutMs);
std::string MouseUp(HWND target, MouseButton button, unsigned modifiers, DWORD timeoutMs = kDefaultTimeoutMs);
// A key press (down, character, up) on the window: `key` is a key name ("Esc", "Enter",
// "F1", "Space", "Tab", "Left", ...) or a single character ("M", "1").
std::string Key(HWND form, const std::string& key, unsigned modifiers, DWORD timeoutMs = kDefaultTimeoutMs);
// A user change: scroll bar value, combo selection index, option/check state.
std::string SetValue(HWND form, HWND control, int value, DWORD timeoutMs = kDefaultTimeoutMs);

std::optional<MessageBoxInfo> FindMessageBox();
std::optional<MessageBoxInfo> WaitMessageBox(DWORD timeoutMs = kDefaultTimeoutMs);
// Presses the button whose caption (ampersands ignored, any case) is `button`.
std::string PressMessageBoxButton(const MessageBoxInfo& box, const std::string& button,
                                  DWORD timeoutMs = kDefaultTimeoutMs);

// Pixels as the screen shows them.
struct Capture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;  // red, green, blue; top row first
    COLORREF At(int x, int y) const {
        const auto i = static_cast<std::size_t>(3 * (y * width + x));
        return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
    }
};
// What the screen shows in a rectangle of screen coordinates.
std::optional<Capture> CaptureScreen(const RECT& rc);

// Saves what the screen shows of the window as a PNG file, once the window is visible and
// has finished painting.
std::string SaveScreenshot(HWND hwnd, const std::string& path, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace kesma::automation
