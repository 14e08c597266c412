#include "automation.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>

#include "png.h"
#include "ui/win32/automation.h"

namespace kesma::automation {
namespace {

// Waits between polls: short enough to react quickly, long enough not to spin.
constexpr DWORD kPollMs = 20;
// A control's text is read by a message to its thread; a hung program must not hang us.
constexpr DWORD kReadTimeoutMs = 1000;

std::string AtomProp(HWND hwnd, const char* prop) {
    auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(GetPropA(hwnd, prop)));
    if (atom == 0) return {};
    char name[256] = {};
    UINT n = GlobalGetAtomNameA(atom, name, sizeof name);
    return std::string(name, n);
}

std::optional<std::intptr_t> NumberProp(HWND hwnd, const char* prop) {
    HANDLE stored = GetPropA(hwnd, prop);
    if (stored == nullptr) return std::nullopt;
    return reinterpret_cast<std::intptr_t>(stored);
}

std::optional<int> ValueProp(HWND hwnd, const char* prop) {
    auto stored = NumberProp(hwnd, prop);
    if (!stored) return std::nullopt;
    return DecodeValue(*stored);
}

std::optional<std::uint32_t> ColorProp(HWND hwnd, const char* prop) {
    auto stored = NumberProp(hwnd, prop);
    if (!stored) return std::nullopt;
    return DecodeColor(*stored);
}

// Global atoms ignore case: "button" may read back as the "Button" that the system added
// first. Kinds are lower case by contract.
std::string KindOf(HWND hwnd) {
    std::string kind = AtomProp(hwnd, kKindProp);
    for (char& c : kind) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return kind;
}

std::string ClassName(HWND hwnd) {
    char name[256] = {};
    int n = GetClassNameA(hwnd, name, sizeof name);
    return std::string(name, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string StripAmpersands(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string TimeoutReason(DWORD timeoutMs) {
    return "the program did not come back to its message loop within " + std::to_string(timeoutMs) + " ms";
}

// Polls `found` until it yields true or the time-out passes.
template <typename Found>
bool PollUntil(DWORD timeoutMs, Found found) {
    DWORD start = GetTickCount();
    for (;;) {
        if (found()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        // Waiting on the message queue, not a bare sleep: our own windows (in-process tests)
        // keep being served while we wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// Shared with the callback of SendMessageCallbackA, which may come after we stopped waiting.
struct PendingSend {
    bool handled = false;
    LRESULT value = 0;
};

void CALLBACK SendDone(HWND, UINT, ULONG_PTR data, LRESULT result) {
    auto* pending = reinterpret_cast<std::shared_ptr<PendingSend>*>(data);
    (*pending)->handled = true;
    (*pending)->value = result;
    delete pending;
}

// Holds modifier keys down in the target thread's key state while a message is handled,
// so that GetKeyState there agrees with the modifiers asked for.
class HeldModifiers {
public:
    HeldModifiers(HWND target, unsigned modifiers) {
        if (modifiers == 0) return;
        targetThread_ = GetWindowThreadProcessId(target, nullptr);
        ownThread_ = GetCurrentThreadId();
        if (targetThread_ == ownThread_ || !AttachThreadInput(ownThread_, targetThread_, TRUE)) {
            targetThread_ = 0;
            if (GetWindowThreadProcessId(target, nullptr) != ownThread_) return;
        }
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        auto press = [&state](int vk) { state[vk] |= 0x80; };
        if (modifiers & kShift) { press(VK_SHIFT); press(VK_LSHIFT); }
        if (modifiers & kCtrl) { press(VK_CONTROL); press(VK_LCONTROL); }
        if (modifiers & kAlt) { press(VK_MENU); press(VK_LMENU); }
        SetKeyboardState(state);
        active_ = true;
    }
    ~HeldModifiers() {
        if (active_) SetKeyboardState(saved_);
        if (targetThread_ != 0) AttachThreadInput(ownThread_, targetThread_, FALSE);
    }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

private:
    DWORD ownThread_ = 0;
    DWORD targetThread_ = 0;
    BYTE saved_[256] = {};
    bool active_ = false;
};

std::string Usable(HWND form, HWND control) {
    if (!IsWindow(control)) return "the control no longer exists";
    if (!IsWindowVisible(control) || !IsWindowVisible(form)) return "the control is not visible";
    if (!IsWindowEnabled(control) || !IsWindowEnabled(form)) return "the control is disabled";
    return {};
}

LPARAM CentrePoint(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    return MAKELPARAM((rc.right - rc.left) / 2, (rc.bottom - rc.top) / 2);
}

std::string SendMouse(HWND target, UINT msg, WPARAM keys, unsigned modifiers, DWORD timeoutMs) {
    if (modifiers & kShift) keys |= MK_SHIFT;
    if (modifiers & kCtrl) keys |= MK_CONTROL;
    HeldModifiers held(target, modifiers);
    return SendAndSettle(target, msg, keys, CentrePoint(target), timeoutMs).done ? std::string()
                                                                                  : TimeoutReason(timeoutMs);
}

struct ButtonMessages {
    UINT down, up, dblclk;
    WPARAM flag;
};

ButtonMessages MessagesOf(MouseButton button) {
    switch (button) {
        case MouseButton::Right: return {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK, MK_RBUTTON};
        case MouseButton::Middle: return {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK, MK_MBUTTON};
        case MouseButton::Left: break;
    }
    return {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, MK_LBUTTON};
}

// Wine hands a list item across processes as UTF-16 whichever variant is asked for, so ask
// for that one and convert.
std::string ComboItem(HWND combo, int index) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &length);
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()),
                        SMTO_ABORTIFHUNG, kReadTimeoutMs, nullptr);
    wide.resize(std::wstring(wide.c_str()).size());
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

bool IsButtonKind(const std::string& kind) { return kind == "button" || kind == "option" || kind == "check"; }

// Reads pixels from a device context area into RGB rows.
std::optional<Capture> CaptureDc(HDC source, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::optional<Capture> result;
    if (dib != nullptr) {
        HGDIOBJ old = SelectObject(memory, dib);
        if (BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY | CAPTUREBLT)) {
            GdiFlush();
            Capture capture{width, height, {}};
            capture.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
            const auto* px = static_cast<const std::uint8_t*>(bits);
            for (int i = 0; i < width * height; ++i, px += 4) {
                capture.rgb.push_back(px[2]);
                capture.rgb.push_back(px[1]);
                capture.rgb.push_back(px[0]);
            }
            result = std::move(capture);
        }
        SelectObject(memory, old);
        DeleteObject(dib);
    }
    DeleteDC(memory);
    return result;
}

}  // namespace

std::optional<Capture> CaptureScreen(const RECT& rc) {
    HDC screen = GetDC(nullptr);
    auto capture = CaptureDc(screen, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
    ReleaseDC(nullptr, screen);
    return capture;
}

namespace {

// Draws a system icon on the given background and reads it back, for comparison with what
// a message box shows.
std::optional<Capture> RenderIcon(LPCSTR id, int width, int height, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, id), 0, 0, 0, nullptr, DI_NORMAL);
    auto capture = CaptureDc(memory, 0, 0, width, height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

// A message box's icon, told by comparing the pixels of its icon control with the system
// icons drawn here: the style the box was made with is not kept in any window's style, and
// icon handles are not comparable across processes.
std::string MessageBoxIcon(HWND box) {
    HWND iconControl = nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (SameText(ClassName(child), "Static") && (style & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) {
            iconControl = child;
            break;
        }
    }
    // A box without an icon keeps the control, empty.
    DWORD_PTR icon = 0;
    if (iconControl == nullptr ||
        !SendMessageTimeoutA(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &icon) || icon == 0)
        return "none";
    RECT rc;
    GetWindowRect(iconControl, &rc);
    int size = std::min<int>({rc.right - rc.left, rc.bottom - rc.top, GetSystemMetrics(SM_CXICON)});
    rc.right = rc.left + size;
    rc.bottom = rc.top + size;
    auto shown = CaptureScreen(rc);
    if (!shown) return "none";
    COLORREF background = RGB(shown->rgb[0], shown->rgb[1], shown->rgb[2]);

    struct Candidate {
        LPCSTR id;
        const char* name;
    };
    const Candidate candidates[] = {{IDI_HAND, "error"},
                                    {IDI_EXCLAMATION, "warning"},
                                    {IDI_ASTERISK, "information"},
                                    {IDI_QUESTION, "question"}};
    std::string best = "none";
    std::uint64_t bestDistance = ~std::uint64_t{0};
    for (const Candidate& candidate : candidates) {
        auto drawn = RenderIcon(candidate.id, size, size, background);
        if (!drawn || drawn->rgb.size() != shown->rgb.size()) continue;
        std::uint64_t distance = 0;
        for (std::size_t i = 0; i < drawn->rgb.size(); ++i)
            distance += static_cast<std::uint64_t>(std::abs(drawn->rgb[i] - shown->rgb[i]));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate.name;
        }
    }
    return best;
}

MessageBoxInfo ReadMessageBox(HWND box) {
    MessageBoxInfo info;
    info.hwnd = box;
    info.caption = WindowText(box);
    info.text = WindowText(GetDlgItem(box, 0xFFFF));
    info.icon = MessageBoxIcon(box);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (SameText(ClassName(child), "Button") && IsWindowVisible(child))
            info.buttons.push_back(StripAmpersands(WindowText(child)));
    }
    return info;
}

struct KeyName {
    const char* name;
    WORD vk;
};

const KeyName kKeyNames[] = {
    {"Esc", VK_ESCAPE}, {"Escape", VK_ESCAPE}, {"Enter", VK_RETURN}, {"Return", VK_RETURN},
    {"Space", VK_SPACE}, {"Tab", VK_TAB}, {"Backspace", VK_BACK}, {"Delete", VK_DELETE},
    {"Insert", VK_INSERT}, {"Home", VK_HOME}, {"End", VK_END}, {"PageUp", VK_PRIOR},
    {"PageDown", VK_NEXT}, {"Left", VK_LEFT}, {"Right", VK_RIGHT}, {"Up", VK_UP}, {"Down", VK_DOWN},
    {"F1", VK_F1}, {"F2", VK_F2}, {"F3", VK_F3}, {"F4", VK_F4}, {"F5", VK_F5}, {"F6", VK_F6},
    {"F7", VK_F7}, {"F8", VK_F8}, {"F9", VK_F9}, {"F10", VK_F10}, {"F11", VK_F11}, {"F12", VK_F12},
};

std::optional<WORD> VirtualKey(const std::string& key) {
    for (const KeyName& k : kKeyNames)
        if (SameText(key, k.name)) return k.vk;
    if (key.size() != 1) return std::nullopt;
    unsigned char c = static_cast<unsigned char>(key[0]);
    if (std::isalpha(c)) return static_cast<WORD>(std::toupper(c));
    if (std::isdigit(c)) return static_cast<WORD>(c);
    SHORT scan = VkKeyScanA(static_cast<CHAR>(c));
    if (scan == -1) return std::nullopt;
    return static_cast<WORD>(scan & 0xFF);
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Window enumeration callbacks: named functions, since a 32-bit callback must be stdcall.
BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

}  // namespace

std::string WindowText(HWND hwnd) {
    if (hwnd == nullptr) return {};
    char buffer[4096] = {};
    DWORD_PTR copied = 0;
    if (SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                            SMTO_ABORTIFHUNG, kReadTimeoutMs, &copied) == 0) {
        // A busy program: the text the system keeps for the window is still readable.
        copied = static_cast<DWORD_PTR>(GetWindowTextA(hwnd, buffer, sizeof buffer));
    }
    return std::string(buffer, std::min<std::size_t>(copied, sizeof buffer - 1));
}

WindowInfo ReadWindow(HWND hwnd) {
    WindowInfo info;
    info.hwnd = hwnd;
    info.caption = WindowText(hwnd);
    info.form = AtomProp(hwnd, kNameProp);
    info.className = ClassName(hwnd);
    GetWindowThreadProcessId(hwnd, &info.processId);
    info.visible = IsWindowVisible(hwnd) != FALSE;
    GetWindowRect(hwnd, &info.rect);
    return info;
}

std::vector<WindowInfo> TopLevelWindows() {
    std::vector<HWND> handles;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&handles));
    std::vector<WindowInfo> windows;
    for (HWND hwnd : handles) windows.push_back(ReadWindow(hwnd));
    return windows;
}

HWND FindTopWindow(const std::string& captionOrForm) {
    HWND hidden = nullptr;
    for (const WindowInfo& w : TopLevelWindows()) {
        if (w.caption != captionOrForm && !(!w.form.empty() && SameText(w.form, captionOrForm))) continue;
        if (w.visible) return w.hwnd;
        if (hidden == nullptr) hidden = w.hwnd;
    }
    return hidden;
}

HWND WaitTopWindow(const std::string& captionOrForm, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil(timeoutMs, [&] { return (found = FindTopWindow(captionOrForm)) != nullptr; });
    return found;
}

bool WaitTopWindowGone(const std::string& captionOrForm, DWORD timeoutMs) {
    return PollUntil(timeoutMs, [&] {
        HWND w = FindTopWindow(captionOrForm);
        return w == nullptr || !IsWindowVisible(w);
    });
}

ControlInfo ReadControl(HWND form, HWND control) {
    ControlInfo info;
    info.hwnd = control;
    info.name = AtomProp(control, kNameProp);
    info.kind = KindOf(control);
    info.text = WindowText(control);
    info.visible = IsWindowVisible(control) != FALSE;
    info.enabled = IsWindowEnabled(control) != FALSE;
    info.value = ValueProp(control, kValueProp);
    info.min = ValueProp(control, kMinProp);
    info.max = ValueProp(control, kMaxProp);
    info.fore = ColorProp(control, kForeProp);
    info.back = ColorProp(control, kBackProp);
    if (info.kind == "combo") {
        DWORD_PTR count = 0;
        SendMessageTimeoutA(control, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &count);
        for (int i = 0; i < static_cast<int>(count); ++i) info.items.push_back(ComboItem(control, i));
        DWORD_PTR selected = static_cast<DWORD_PTR>(CB_ERR);
        SendMessageTimeoutA(control, CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &selected);
        info.selected = static_cast<int>(static_cast<LRESULT>(selected));
    }
    GetWindowRect(control, &info.rect);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&info.rect), 2);
    return info;
}

std::vector<ControlInfo> Controls(HWND form) {
    std::vector<HWND> handles;
    EnumChildWindows(form, CollectWindow, reinterpret_cast<LPARAM>(&handles));
    std::vector<ControlInfo> controls;
    for (HWND hwnd : handles) {
        // Inner windows of a control (a combo's edit and list) carry no design name.
        if (GetPropA(hwnd, kNameProp) != nullptr) controls.push_back(ReadControl(form, hwnd));
    }
    return controls;
}

HWND FindControl(HWND form, const std::string& name) {
    // Names are atoms, which ignore case.
    if (SameText(AtomProp(form, kNameProp), name)) return form;
    for (const ControlInfo& c : Controls(form))
        if (SameText(c.name, name)) return c.hwnd;
    return nullptr;
}

SendResult SendAndSettle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, DWORD timeoutMs) {
    auto pending = std::make_shared<PendingSend>();
    auto* forCallback = new std::shared_ptr<PendingSend>(pending);
    if (!SendMessageCallbackA(hwnd, msg, wParam, lParam, SendDone, reinterpret_cast<ULONG_PTR>(forCallback))) {
        delete forCallback;
        return {};
    }
    // Messages from one thread are handled in the order sent: this one is answered once the
    // receiver has handled ours, or is waiting for input in the middle of handling it.
    // A handler that closes its own window (OK, Exit) leaves no window to answer: gone
    // counts as handled.
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) == 0 && IsWindow(hwnd))
        return {};
    // Collect the callback when the handler has returned.
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return {true, pending->handled ? pending->value : 0};
}

std::string Click(HWND form, HWND control, DWORD timeoutMs) {
    if (auto reason = Usable(form, control); !reason.empty()) return reason;
    if (IsButtonKind(KindOf(control)))
        return SendAndSettle(control, BM_CLICK, 0, 0, timeoutMs).done ? std::string() : TimeoutReason(timeoutMs);
    if (auto reason = MouseDown(control, MouseButton::Left, 0, timeoutMs); !reason.empty()) return reason;
    return MouseUp(control, MouseButton::Left, 0, timeoutMs);
}

std::string DoubleClick(HWND form, HWND control, DWORD timeoutMs) {
    if (auto reason = Usable(form, control); !reason.empty()) return reason;
    // The order Windows delivers a double click in.
    const UINT sequence[] = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (UINT msg : sequence) {
        WPARAM keys = msg == WM_LBUTTONUP ? 0 : MK_LBUTTON;
        if (auto reason = SendMouse(control, msg, keys, 0, timeoutMs); !reason.empty()) return reason;
    }
    return {};
}

std::string MouseDown(HWND target, MouseButton button, unsigned modifiers, DWORD timeoutMs) {
    ButtonMessages m = MessagesOf(button);
    return SendMouse(target, m.down, m.flag, modifiers, timeoutMs);
}

std::string MouseUp(HWND target, MouseButton button, unsigned modifiers, DWORD timeoutMs) {
    return SendMouse(target, MessagesOf(button).up, 0, modifiers, timeoutMs);
}

std::string Key(HWND form, const std::string& key, unsigned modifiers, DWORD timeoutMs) {
    auto vk = VirtualKey(key);
    if (!vk) return "unknown key " + key;
    // Real keyboard input: it passes through the program's message pump (key preview,
    // default and cancel buttons) and sets the key state the program reads.
    SetForegroundWindow(form);
    if (!PollUntil(timeoutMs, [form] { return GetForegroundWindow() == form || IsChild(form, GetForegroundWindow()); }))
        return "the window could not be brought to the foreground";
    std::vector<INPUT> inputs;
    const std::pair<unsigned, WORD> mods[] = {{kShift, VK_SHIFT}, {kCtrl, VK_CONTROL}, {kAlt, VK_MENU}};
    for (auto [flag, modVk] : mods)
        if (modifiers & flag) inputs.push_back(KeyInput(modVk, false));
    inputs.push_back(KeyInput(*vk, false));
    inputs.push_back(KeyInput(*vk, true));
    for (auto it = std::rbegin(mods); it != std::rend(mods); ++it)
        if (modifiers & it->first) inputs.push_back(KeyInput(it->second, true));
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        return "the key could not be sent";
    return {};
}

std::string SetValue(HWND form, HWND control, int value, DWORD timeoutMs) {
    if (auto reason = Usable(form, control); !reason.empty()) return reason;
    std::string kind = KindOf(control);
    HWND parent = GetParent(control);
    auto settled = [timeoutMs](SendResult r) { return r.done ? std::string() : TimeoutReason(timeoutMs); };
    if (kind == "hscroll") {
        auto min = ValueProp(control, kMinProp), max = ValueProp(control, kMaxProp);
        if (min && max && (value < std::min(*min, *max) || value > std::max(*min, *max)))
            return "value " + std::to_string(value) + " is outside the scroll bar's range";
        SendAndSettle(control, SBM_SETPOS, static_cast<WPARAM>(value), TRUE, timeoutMs);
        return settled(SendAndSettle(parent, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, value),
                                     reinterpret_cast<LPARAM>(control), timeoutMs));
    }
    if (kind == "combo") {
        DWORD_PTR count = 0;
        SendMessageTimeoutA(control, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs, &count);
        if (value < 0 || value >= static_cast<int>(count))
            return "index " + std::to_string(value) + " is outside the list";
        SendAndSettle(control, CB_SETCURSEL, static_cast<WPARAM>(value), 0, timeoutMs);
        int id = GetDlgCtrlID(control);
        return settled(SendAndSettle(parent, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                                     reinterpret_cast<LPARAM>(control), timeoutMs));
    }
    if (kind == "option" || kind == "check") {
        if (value != 0 && value != 1) return "a check state is 0 or 1";
        int current = ValueProp(control, kValueProp).value_or(0) != 0 ? 1 : 0;
        if (current == value) return {};
        // A user cannot clear an option button; only choosing another one does.
        if (kind == "option" && value == 0) return "an option button is cleared by choosing another";
        return Click(form, control, timeoutMs);
    }
    return "a " + (kind.empty() ? std::string("window") : kind) + " has no value to set";
}

std::optional<MessageBoxInfo> FindMessageBox() {
    for (const WindowInfo& w : TopLevelWindows()) {
        if (w.className == "#32770" && w.visible && GetDlgItem(w.hwnd, 0xFFFF) != nullptr)
            return ReadMessageBox(w.hwnd);
    }
    return std::nullopt;
}

std::optional<MessageBoxInfo> WaitMessageBox(DWORD timeoutMs) {
    std::optional<MessageBoxInfo> box;
    PollUntil(timeoutMs, [&] { return (box = FindMessageBox()).has_value(); });
    return box;
}

std::string PressMessageBoxButton(const MessageBoxInfo& box, const std::string& button, DWORD timeoutMs) {
    for (HWND child = GetWindow(box.hwnd, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!SameText(ClassName(child), "Button") || !SameText(StripAmpersands(WindowText(child)), button)) continue;
        // The box's own command, as its button sends it: independent of focus and activation.
        SendResult r = SendAndSettle(box.hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                                     reinterpret_cast<LPARAM>(child), timeoutMs);
        return r.done ? std::string() : TimeoutReason(timeoutMs);
    }
    return "the message box has no button " + button;
}

namespace {

BOOL CALLBACK NotePainted(HWND child, LPARAM data) {
    if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(data) = false;
    return FALSE;
}

// True when neither the window nor any of its controls waits to be repainted.
bool Painted(HWND hwnd) {
    if (GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    bool painted = true;
    EnumChildWindows(hwnd, NotePainted, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

}  // namespace

std::string SaveScreenshot(HWND hwnd, const std::string& path, DWORD timeoutMs) {
    // A window that was just shown may still be painting.
    if (!PollUntil(timeoutMs, [hwnd] {
            return IsWindowVisible(hwnd) && SendAndSettle(hwnd, WM_NULL, 0, 0).done && Painted(hwnd);
        }))
        return "the window did not finish painting";
    RECT rc;
    if (!GetWindowRect(hwnd, &rc)) return "the window no longer exists";
    auto capture = CaptureScreen(rc);
    if (!capture) return "the screen could not be read";
    std::vector<std::uint8_t> png = EncodePng(capture->width, capture->height, capture->rgb);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) return "cannot write " + path;
    return {};
}

}  // namespace kesma::automation
