#include "ui/win32/win32_backend.h"

#include <windows.h>
#include <uxtheme.h>

#include <algorithm>
#include <exception>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "ui/win32/automation.h"

namespace ui {
namespace {

namespace automation = kesma::automation;

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL
constexpr UINT_PTR kFirstTimerId = 1000;
constexpr int kComboListPixels = 160;  // room for the dropped list below a combo box
constexpr WORD kProgramIconId = 1;

constexpr const char* kFormClass = "KesmaForm";
constexpr const char* kLabelClass = "KesmaLabel";
constexpr const char* kPictureClass = "KesmaPicture";
constexpr const char* kImageClass = "KesmaImage";
constexpr const char* kShapeClass = "KesmaShape";

// ---- RAII owners of GDI and user objects ----

struct GdiDeleter {
    void operator()(void* h) const { DeleteObject(static_cast<HGDIOBJ>(h)); }
};
template <class H>
using Gdi = std::unique_ptr<std::remove_pointer_t<H>, GdiDeleter>;

struct IconDeleter {
    void operator()(HICON h) const { DestroyIcon(h); }
};
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct DcDeleter {
    void operator()(HDC h) const { DeleteDC(h); }
};
using DcOwner = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

// Selects an object into a DC for one scope.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The off-screen image of a picture box: what it shows is kept here, so that drawing
// survives being covered and uncovered.
class Backing {
public:
    Backing(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {
        HDC screen = GetDC(nullptr);
        dc_.reset(CreateCompatibleDC(screen));
        bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(dc_.get(), bitmap_.get());
    }
    ~Backing() { SelectObject(dc_.get(), old_); }
    Backing(const Backing&) = delete;
    Backing& operator=(const Backing&) = delete;

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_, height_;
    DcOwner dc_;
    Gdi<HBITMAP> bitmap_;
    HGDIOBJ old_ = nullptr;
};

struct FormPeer;

struct ControlPeer {
    Control* control = nullptr;
    FormPeer* form = nullptr;
    int slot = 0;  // position in the form's control list: child id and timer id
    HWND hwnd = nullptr;
    WNDPROC baseProc = nullptr;  // the class procedure of a standard control
    std::unique_ptr<Backing> backing;
    Gdi<HBITMAP> bitmap;  // a loaded picture file
    IconOwner icon;       // the program icon, when that is the picture
    bool leftPressed = false;  // a left press on the control that may become a click
};

struct FormPeer {
    Form* form = nullptr;
    Win32Backend::Impl* impl = nullptr;
    HWND hwnd = nullptr;
    bool ready = false;  // the controls exist
    HWND lastFocus = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> controls;
};

template <class T>
T* PeerOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Report(const char* what) {
    std::string text = "Kesma ui: exception in a window procedure: ";
    text += what;
    text += "\n";
    OutputDebugStringA(text.c_str());
}

// Runs a window procedure's body; no exception leaves it.
template <class F>
LRESULT Guarded(F&& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        Report(e.what());
    } catch (...) {
        Report("unknown");
    }
    return 0;
}

COLORREF Resolve(Color c) {
    return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c & 0xFFFFFF);
}

const char* KindName(Kind k) {
    switch (k) {
    case Kind::Label: return "label";
    case Kind::Button: return "button";
    case Kind::OptionButton: return "option";
    case Kind::CheckBox: return "check";
    case Kind::ComboBox: return "combo";
    case Kind::HScrollBar: return "hscroll";
    case Kind::Frame: return "frame";
    case Kind::PictureBox: return "picture";
    case Kind::Image: return "image";
    case Kind::Shape: return "shape";
    case Kind::Timer: break;
    }
    return "";
}

bool IsStandardClass(Kind k) {
    switch (k) {
    case Kind::Button:
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::ComboBox:
    case Kind::HScrollBar:
    case Kind::Frame:
        return true;
    default:
        return false;
    }
}

// ---- automation properties ----

void SetAtomProp(HWND hwnd, const char* prop, const std::string& text) {
    if (ATOM old = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(hwnd, prop)))) GlobalDeleteAtom(old);
    if (ATOM atom = GlobalAddAtomA(text.c_str())) {
        SetPropA(hwnd, prop, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
    }
}

void SetNumberProp(HWND hwnd, const char* prop, std::intptr_t stored) {
    SetPropA(hwnd, prop, reinterpret_cast<HANDLE>(stored));
}

void ClearProps(HWND hwnd) {
    for (const char* prop : {automation::kNameProp, automation::kKindProp}) {
        if (ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(hwnd, prop)))) {
            GlobalDeleteAtom(atom);
        }
    }
    for (const char* prop : {automation::kForeProp, automation::kBackProp, automation::kValueProp,
                             automation::kMinProp, automation::kMaxProp}) {
        RemovePropA(hwnd, prop);
    }
}

// ---- input state ----

int KeyShift() {
    return (GetKeyState(VK_SHIFT) < 0 ? kShiftMask : 0) | (GetKeyState(VK_CONTROL) < 0 ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

int MouseShift(WPARAM wp) {
    return ((wp & MK_SHIFT) ? kShiftMask : 0) | ((wp & MK_CONTROL) ? kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? kAltMask : 0);
}

int HeldButtons(WPARAM wp) {
    return ((wp & MK_LBUTTON) ? kLeftButton : 0) | ((wp & MK_RBUTTON) ? kRightButton : 0) |
           ((wp & MK_MBUTTON) ? kMiddleButton : 0);
}

// The button a press, release or double click message is about; 0 for other messages.
int MessageButton(UINT msg) {
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return kLeftButton;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return kRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return kMiddleButton;
    default: return 0;
    }
}

bool IsPress(UINT msg) {
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN;
}
bool IsRelease(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }
bool IsDoubleClick(UINT msg) {
    return msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

int MouseX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int MouseY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

// A control and its containers, to the form.
bool InsideOrSame(const Control& c, const Control& container) {
    for (const Control* p = &c; p; p = p->container()) {
        if (p == &container) return true;
    }
    return false;
}

bool ShownWithContainers(const Control& c) {
    for (const Control* p = &c; p; p = p->container()) {
        if (!p->Visible()) return false;
    }
    return true;
}

bool EnabledWithContainers(const Control& c) {
    for (const Control* p = &c; p; p = p->container()) {
        if (!p->Enabled()) return false;
    }
    return true;
}

int Depth(const Control& c) {
    int depth = 0;
    for (const Control* p = c.container(); p; p = p->container()) ++depth;
    return depth;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK StandardControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK OwnControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace

struct Win32Backend::Impl {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    int dpiX = 96, dpiY = 96;
    ScreenInfo units;  // the twips of this screen's DPI
    Pointer pointer = Pointer::Default;
    int pushing = 0;  // native state is being set from the model: its notifications are not user input
    bool quitSeen = false;
    int quitCode = 0;
    std::vector<std::unique_ptr<FormPeer>> forms;
    std::map<std::tuple<std::string, int, bool, bool>, Gdi<HFONT>> fonts;
    std::map<COLORREF, Gdi<HBRUSH>> brushes;

    // Native state set from the model does not count as user input.
    struct Pushing {
        explicit Pushing(Impl& impl) : impl_(impl) { ++impl_.pushing; }
        ~Pushing() { --impl_.pushing; }
        Pushing(const Pushing&) = delete;
        Pushing& operator=(const Pushing&) = delete;
        Impl& impl_;
    };

    Impl() {
        HDC screen = GetDC(nullptr);
        dpiX = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        units.SetDpi(dpiX, dpiY);
        Register(kFormClass, FormProc, LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconId)));
        for (const char* name : {kLabelClass, kPictureClass, kImageClass, kShapeClass}) {
            Register(name, OwnControlProc, nullptr);
        }
    }

    ~Impl() {
        Pushing guard(*this);
        while (!forms.empty()) {
            if (forms.back()->hwnd) DestroyWindow(forms.back()->hwnd);
            forms.pop_back();
        }
    }

    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    void Register(const char* name, WNDPROC proc, HICON icon) const {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        RegisterClassExA(&wc);  // fails harmlessly when a second backend registers again
    }

    // ---- units ----

    // The toolkit's one conversion, so that the forms and the windows agree to the pixel.
    int PxX(int twips) const { return units.TwipsToPixelsX(twips); }
    int PxY(int twips) const { return units.TwipsToPixelsY(twips); }
    int TwX(int px) const { return units.PixelsToTwipsX(px); }
    int TwY(int px) const { return units.PixelsToTwipsY(px); }

    // ---- GDI caches ----

    HFONT FontFor(const Font& f) {
        const auto key = std::make_tuple(f.name, static_cast<int>(f.size * 100 + 0.5), f.bold, f.italic);
        auto it = fonts.find(key);
        if (it == fonts.end()) {
            const int height = -MulDiv(std::get<1>(key), dpiY, 7200);  // points * 100 -> pixels
            HFONT font = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
            it = fonts.emplace(key, Gdi<HFONT>(font)).first;
        }
        return it->second.get();
    }

    HBRUSH BrushFor(COLORREF c) {
        auto it = brushes.find(c);
        if (it == brushes.end()) it = brushes.emplace(c, Gdi<HBRUSH>(CreateSolidBrush(c))).first;
        return it->second.get();
    }

    // ---- lookups ----

    static FormPeer* PeerOfForm(const Form& form) { return static_cast<FormPeer*>(form.peer); }
    static ControlPeer* PeerOfControl(const Control& c) { return static_cast<ControlPeer*>(c.peer); }

    static bool IsForm(HWND hwnd) {
        char name[16] = {};
        return hwnd && GetClassNameA(hwnd, name, sizeof(name)) > 0 && std::string(name) == kFormClass;
    }

    // ---- forms ----

    // No WS_CLIPCHILDREN: group boxes and option buttons show the form's background.
    static DWORD FormStyle(const Form& form) {
        return form.Borderless() ? WS_POPUP : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    }
    static DWORD FormExStyle(const Form& form) { return form.TopMost() ? WS_EX_TOPMOST : 0; }

    SIZE FrameSize(const Form& form) const {
        RECT r{0, 0, 0, 0};
        AdjustWindowRectEx(&r, FormStyle(form), FALSE, FormExStyle(form));
        return SIZE{r.right - r.left, r.bottom - r.top};
    }

    // The outer rectangle of a form in screen pixels; a maximised form covers the screen.
    RECT FormRect(const Form& form) const {
        if (form.Maximized()) return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const SIZE frame = FrameSize(form);
        const int x = PxX(form.Left()), y = PxY(form.Top());
        return RECT{x, y, x + PxX(form.ScaleWidth()) + frame.cx, y + PxY(form.ScaleHeight()) + frame.cy};
    }

    void PlaceForm(FormPeer& fp) {
        const RECT r = FormRect(*fp.form);
        SetWindowPos(fp.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // A maximised form takes the screen's size: the model learns its client size, and the
    // form hears of it as a resize. Otherwise the model's size is the window's.
    void SyncClientSize(FormPeer& fp) {
        if (!fp.form->Maximized()) return;
        RECT rc;
        GetClientRect(fp.hwnd, &rc);
        Form& form = *fp.form;
        if (PxX(form.ScaleWidth()) != rc.right || PxY(form.ScaleHeight()) != rc.bottom) {
            form.SetClientSize(TwX(rc.right), TwY(rc.bottom));
        }
    }

    void FocusInside(FormPeer& fp) {
        HWND target = fp.lastFocus;
        if (!target || !IsWindow(target) || !IsChild(fp.hwnd, target) || !IsWindowVisible(target) ||
            !IsWindowEnabled(target)) {
            target = NextTabStop(fp, nullptr, false);
        }
        SetFocus(target ? target : fp.hwnd);
    }

    // ---- controls ----

    // The top-left of a container's client area in form client pixels (the form's for none).
    POINT Origin(const Control* container) const {
        POINT p{0, 0};
        for (const Control* c = container; c; c = c->container()) {
            p.x += PxX(c->Left());
            p.y += PxY(c->Top());
            if (c->kind() == Kind::PictureBox && c->Border()) {
                ++p.x;
                ++p.y;
            }
        }
        return p;
    }

    RECT ControlRect(const Control& c) const {
        const POINT o = Origin(c.container());
        const int x = o.x + PxX(c.Left()), y = o.y + PxY(c.Top());
        const int height = PxY(c.Height()) + (c.kind() == Kind::ComboBox ? kComboListPixels : 0);
        return RECT{x, y, x + PxX(c.Width()), y + height};
    }

    static DWORD ButtonStyle(const Control& c) {
        const auto source = c.GetPicture().source;
        return (c.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
               (source == Picture::Source::Icon ? BS_ICON : source == Picture::Source::File ? BS_BITMAP : 0);
    }

    static const char* ClassName(Kind k) {
        switch (k) {
        case Kind::Button: case Kind::OptionButton: case Kind::CheckBox: case Kind::Frame: return "BUTTON";
        case Kind::ComboBox: return "COMBOBOX";
        case Kind::HScrollBar: return "SCROLLBAR";
        case Kind::Label: return kLabelClass;
        case Kind::PictureBox: return kPictureClass;
        case Kind::Image: return kImageClass;
        default: return kShapeClass;
        }
    }

    static DWORD KindStyle(const Control& c) {
        const DWORD border = c.Border() ? WS_BORDER : 0;
        switch (c.kind()) {
        case Kind::Button: return ButtonStyle(c) | WS_TABSTOP;
        case Kind::OptionButton: return BS_RADIOBUTTON | WS_TABSTOP;  // the model keeps options exclusive
        case Kind::CheckBox: return BS_CHECKBOX | WS_TABSTOP;
        case Kind::ComboBox: return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        case Kind::HScrollBar: return SBS_HORZ | WS_TABSTOP;
        case Kind::Frame: return BS_GROUPBOX;
        default: return border;
        }
    }

    void CreateChild(ControlPeer& cp) {
        Control& c = *cp.control;
        const RECT r = ControlRect(c);
        const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | KindStyle(c) |
                            (ShownWithContainers(c) ? WS_VISIBLE : 0) | (EnabledWithContainers(c) ? 0 : WS_DISABLED);
        HWND h = CreateWindowExA(0, ClassName(c.kind()), c.Caption().c_str(), style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, cp.form->hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + cp.slot)),
                                 instance, nullptr);
        if (!h) return;
        cp.hwnd = h;
        SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&cp));
        if (IsStandardClass(c.kind())) {
            cp.baseProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardControlProc)));
            SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.GetFont())), FALSE);
        }
        if (c.kind() == Kind::OptionButton || c.kind() == Kind::CheckBox) {
            // Visual styles would ignore the text colour (selected options are black, others teal).
            SetWindowTheme(h, L" ", L" ");
        }
        SetAtomProp(h, automation::kNameProp, c.DesignName());
        SetAtomProp(h, automation::kKindProp, KindName(c.kind()));
        PublishColors(cp);
        ApplyList(cp);
        ApplyRange(cp);
        ApplyValue(cp);
        ApplyPicture(cp);
    }

    // Contained controls lie above their containers, windowed controls above labels, shapes
    // and images, and a later control above an earlier one.
    static void ArrangeZOrder(FormPeer& fp) {
        std::vector<ControlPeer*> order;
        for (auto& cp : fp.controls) {
            if (cp->hwnd) order.push_back(cp.get());
        }
        auto key = [](const ControlPeer* cp) {
            const Kind k = cp->control->kind();
            const bool windowed = k != Kind::Label && k != Kind::Shape && k != Kind::Image;
            return std::make_tuple(Depth(*cp->control), windowed, cp->slot);
        };
        std::sort(order.begin(), order.end(),
                  [&](const ControlPeer* a, const ControlPeer* b) { return key(a) > key(b); });
        HWND above = HWND_TOP;
        for (ControlPeer* cp : order) {
            SetWindowPos(cp->hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            above = cp->hwnd;
        }
    }

    // Tab order is the order the form added its controls, whatever the z-order.
    static HWND NextTabStop(const FormPeer& fp, HWND from, bool previous) {
        std::vector<HWND> stops;
        for (const auto& cp : fp.controls) {
            if (cp->hwnd && (GetWindowLongPtrA(cp->hwnd, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(cp->hwnd) &&
                IsWindowEnabled(cp->hwnd)) {
                stops.push_back(cp->hwnd);
            }
        }
        if (stops.empty()) return nullptr;
        const auto at = std::find(stops.begin(), stops.end(), from);
        if (at == stops.end()) return previous ? stops.back() : stops.front();
        const std::size_t i = static_cast<std::size_t>(at - stops.begin());
        return stops[(i + (previous ? stops.size() - 1 : 1)) % stops.size()];
    }

    // The peers of a control and of everything inside it.
    static std::vector<ControlPeer*> Subtree(const Control& c) {
        std::vector<ControlPeer*> out;
        if (ControlPeer* cp = PeerOfControl(c)) {
            for (auto& other : cp->form->controls) {
                if (other->hwnd && InsideOrSame(*other->control, c)) out.push_back(other.get());
            }
        }
        return out;
    }

    // Repaints a control and whatever lies over it (a transparent label shows it through).
    static void InvalidateArea(const ControlPeer& cp) {
        RECT r;
        GetWindowRect(cp.hwnd, &r);
        MapWindowPoints(nullptr, cp.form->hwnd, reinterpret_cast<POINT*>(&r), 2);
        RedrawWindow(cp.form->hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

    // The pixels of a picture box a drawing operation covers, its pen included.
    static RECT OpBox(const DrawOp& op) {
        return {std::min(op.x1, op.x2), std::min(op.y1, op.y2), std::max(op.x1, op.x2) + 1,
                std::max(op.y1, op.y2) + 1};
    }

    // Only what lies under a drawing operation repaints: a block of the calibration's idle
    // bar must not repaint its whole panel with every label on it (text costs most).
    static void InvalidateOp(const ControlPeer& cp, const DrawOp& op) {
        if (op.type == DrawOp::Type::Clear || op.type == DrawOp::Type::Text) {
            InvalidateArea(cp);
            return;
        }
        RECT r = OpBox(op);
        const int pen = std::max(op.width, 1);
        InflateRect(&r, pen, pen);
        MapWindowPoints(cp.hwnd, cp.form->hwnd, reinterpret_cast<POINT*>(&r), 2);
        RedrawWindow(cp.form->hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

    void PublishColors(ControlPeer& cp) {
        SetNumberProp(cp.hwnd, automation::kForeProp, automation::EncodeColor(Resolve(cp.control->ForeColor())));
        SetNumberProp(cp.hwnd, automation::kBackProp, automation::EncodeColor(Resolve(cp.control->BackColor())));
    }

    void ApplyValue(ControlPeer& cp) {
        const Control& c = *cp.control;
        switch (c.kind()) {
        case Kind::OptionButton:
        case Kind::CheckBox:
            SendMessageA(cp.hwnd, BM_SETCHECK, c.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Kind::HScrollBar: {
            SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, c.Value(), 0};
            SetScrollInfo(cp.hwnd, SB_CTL, &si, TRUE);
            break;
        }
        default:
            return;
        }
        SetNumberProp(cp.hwnd, automation::kValueProp, automation::EncodeValue(c.Value()));
    }

    void ApplyRange(ControlPeer& cp) {
        const Control& c = *cp.control;
        if (c.kind() != Kind::HScrollBar) return;
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, std::min(c.Min(), c.Max()),
                      std::max(c.Min(), c.Max()), 0, c.Value(), 0};
        SetScrollInfo(cp.hwnd, SB_CTL, &si, TRUE);
        SetNumberProp(cp.hwnd, automation::kMinProp, automation::EncodeValue(c.Min()));
        SetNumberProp(cp.hwnd, automation::kMaxProp, automation::EncodeValue(c.Max()));
        SetNumberProp(cp.hwnd, automation::kValueProp, automation::EncodeValue(c.Value()));
    }

    static void ApplyList(ControlPeer& cp) {
        const Control& c = *cp.control;
        if (c.kind() != Kind::ComboBox) return;
        SendMessageA(cp.hwnd, CB_RESETCONTENT, 0, 0);
        for (const auto& item : c.Items()) {
            SendMessageA(cp.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageA(cp.hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.ListIndex()), 0);
    }

    void ApplyPicture(ControlPeer& cp) {
        const Control& c = *cp.control;
        const Picture& pic = c.GetPicture();
        cp.bitmap.reset();
        cp.icon.reset();
        if (pic.source == Picture::Source::File) {
            cp.bitmap.reset(static_cast<HBITMAP>(
                LoadImageA(nullptr, pic.path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
        } else if (pic.source == Picture::Source::Icon) {
            cp.icon.reset(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON,
                                                        pic.widthPx > 0 ? pic.widthPx : 32,
                                                        pic.heightPx > 0 ? pic.heightPx : 32, 0)));
        }
        switch (c.kind()) {
        case Kind::Button: {
            const LONG_PTR style = GetWindowLongPtrA(cp.hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(BS_ICON | BS_BITMAP);
            SetWindowLongPtrA(cp.hwnd, GWL_STYLE, style | ButtonStyle(c));
            if (cp.icon) {
                SendMessageA(cp.hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(cp.icon.get()));
            } else {
                SendMessageA(cp.hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(cp.bitmap.get()));
            }
            InvalidateRect(cp.hwnd, nullptr, TRUE);
            break;
        }
        case Kind::PictureBox:
            RebuildBacking(cp);
            break;
        default:
            InvalidateRect(cp.hwnd, nullptr, TRUE);
            break;
        }
    }

    void ApplyTimer(ControlPeer& cp) const {
        const Control& c = *cp.control;
        const UINT_PTR id = kFirstTimerId + static_cast<UINT_PTR>(cp.slot);
        if (c.Enabled() && c.Interval() > 0) {
            SetTimer(cp.form->hwnd, id, static_cast<UINT>(c.Interval()), nullptr);
        } else {
            KillTimer(cp.form->hwnd, id);
        }
    }

    void ApplyGeometry(ControlPeer& cp) {
        const RECT r = ControlRect(*cp.control);
        SetWindowPos(cp.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (cp.control->kind() != Kind::PictureBox) return;
        RECT rc;
        GetClientRect(cp.hwnd, &rc);
        if (!cp.backing || cp.backing->width() != std::max(1L, rc.right) ||
            cp.backing->height() != std::max(1L, rc.bottom)) {
            RebuildBacking(cp);
        }
    }

    // ---- picture boxes ----

    void PaintPicture(ControlPeer& cp, HDC dc) {
        const Picture& pic = cp.control->GetPicture();
        if (cp.icon) {
            DrawIconEx(dc, 0, 0, cp.icon.get(), pic.widthPx, pic.heightPx, 0, nullptr, DI_NORMAL);
        } else if (cp.bitmap) {
            BITMAP bm{};
            GetObjectA(cp.bitmap.get(), sizeof(bm), &bm);
            DcOwner src(CreateCompatibleDC(dc));
            Selected sel(src.get(), cp.bitmap.get());
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
        }
    }

    // Back colour, picture, then the drawing since the last clear.
    void RebuildBacking(ControlPeer& cp) {
        RECT rc;
        GetClientRect(cp.hwnd, &rc);
        cp.backing = std::make_unique<Backing>(rc.right, rc.bottom);
        ClearBacking(cp, Resolve(cp.control->BackColor()));
        for (const DrawOp& op : cp.control->DrawOps()) {
            if (op.type != DrawOp::Type::Clear) DrawOnBacking(cp, op);
        }
        InvalidateArea(cp);
    }

    void ClearBacking(ControlPeer& cp, COLORREF color) {
        const RECT all{0, 0, cp.backing->width(), cp.backing->height()};
        FillRect(cp.backing->dc(), &all, BrushFor(color));
        PaintPicture(cp, cp.backing->dc());
    }

    static void Dot(HDC dc, int x, int y, int width, HBRUSH brush, COLORREF color) {
        if (width <= 1) {
            SetPixel(dc, x, y, color);
            return;
        }
        Gdi<HPEN> pen(CreatePen(PS_SOLID, 1, color));
        Selected p(dc, pen.get());
        Selected b(dc, brush);
        const int l = x - width / 2, t = y - width / 2;
        Ellipse(dc, l, t, l + width, t + width);
    }

    void DrawOnBacking(ControlPeer& cp, const DrawOp& op) {
        HDC dc = cp.backing->dc();
        const COLORREF color = Resolve(op.color);
        const int width = std::max(op.width, 1);
        const RECT box = OpBox(op);
        switch (op.type) {
        case DrawOp::Type::Clear:
            ClearBacking(cp, color);
            break;
        case DrawOp::Type::Point:
            Dot(dc, op.x1, op.y1, width, BrushFor(color), color);
            break;
        case DrawOp::Type::Line: {
            Gdi<HPEN> pen(CreatePen(PS_SOLID, width, color));
            Selected p(dc, pen.get());
            MoveToEx(dc, op.x1, op.y1, nullptr);
            LineTo(dc, op.x2, op.y2);
            Dot(dc, op.x2, op.y2, width, BrushFor(color), color);  // GDI leaves out the end point
            break;
        }
        case DrawOp::Type::Box: {
            Gdi<HPEN> pen(CreatePen(PS_SOLID, width, color));
            Selected p(dc, pen.get());
            Selected b(dc, GetStockObject(NULL_BRUSH));
            Rectangle(dc, box.left, box.top, box.right, box.bottom);
            break;
        }
        case DrawOp::Type::FilledBox:
            FillRect(dc, &box, BrushFor(color));
            break;
        case DrawOp::Type::Text: {
            Selected f(dc, FontFor(op.font));
            SetTextColor(dc, color);
            SetBkMode(dc, TRANSPARENT);
            TextOutA(dc, op.x1, op.y1, op.text.c_str(), static_cast<int>(op.text.size()));
            break;
        }
        }
    }

    // ---- painting our own controls ----

    // What lies under a control that lets it show through: the back colour of its container
    // (or form), then our own controls below it (its picture box, a shape), bottom first.
    void PaintUnderlay(ControlPeer& cp, HDC dc, const RECT& rc) {
        const Control* box = cp.control->container();
        FillRect(dc, &rc, BrushFor(Resolve(box ? box->BackColor() : cp.form->form->BackColor())));
        std::vector<ControlPeer*> below;
        for (HWND h = GetWindow(cp.hwnd, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
            ControlPeer* other = PeerOf<ControlPeer>(h);
            if (other && other->form == cp.form && !IsStandardClass(other->control->kind()) && IsWindowVisible(h)) {
                below.push_back(other);
            }
        }
        POINT mine{0, 0};
        MapWindowPoints(cp.hwnd, cp.form->hwnd, &mine, 1);
        for (auto it = below.rbegin(); it != below.rend(); ++it) {
            POINT theirs{0, 0};
            MapWindowPoints((*it)->hwnd, cp.form->hwnd, &theirs, 1);
            POINT old;
            OffsetViewportOrgEx(dc, theirs.x - mine.x, theirs.y - mine.y, &old);
            Paint(**it, dc);
            SetViewportOrgEx(dc, old.x, old.y, nullptr);
        }
    }

    void PaintBackground(ControlPeer& cp, HDC dc, const RECT& rc) {
        if (cp.control->BackTransparent()) {
            PaintUnderlay(cp, dc, rc);
        } else {
            FillRect(dc, &rc, BrushFor(Resolve(cp.control->BackColor())));
        }
    }

    void Paint(ControlPeer& cp, HDC dc) {
        const Control& c = *cp.control;
        RECT rc;
        GetClientRect(cp.hwnd, &rc);
        switch (c.kind()) {
        case Kind::PictureBox:
            if (cp.backing) BitBlt(dc, 0, 0, rc.right, rc.bottom, cp.backing->dc(), 0, 0, SRCCOPY);
            break;
        case Kind::Label: {
            PaintBackground(cp, dc, rc);
            Selected f(dc, FontFor(c.GetFont()));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, IsWindowEnabled(cp.hwnd) ? Resolve(c.ForeColor()) : GetSysColor(COLOR_GRAYTEXT));
            const UINT align = c.Alignment() == Align::Center  ? DT_CENTER
                               : c.Alignment() == Align::Right ? DT_RIGHT
                                                               : DT_LEFT;
            // A label only one line high does not wrap: a wrapped second line would be cut
            // off whole, where a single line loses at most its last pixels. "&&" shows "&".
            TEXTMETRICA tm{};
            GetTextMetricsA(dc, &tm);
            const UINT wrap = rc.bottom < 2 * tm.tmHeight ? DT_SINGLELINE : DT_WORDBREAK;
            DrawTextA(dc, c.Caption().c_str(), -1, &rc, wrap | align);
            break;
        }
        case Kind::Image:
            PaintUnderlay(cp, dc, rc);
            PaintPicture(cp, dc);
            break;
        default:  // shape
            PaintBackground(cp, dc, rc);
            FrameRect(dc, &rc, BrushFor(Resolve(c.ForeColor())));
            break;
        }
    }

    // ---- events ----

    // Mouse and key messages on a control, told to the model. False when the message is
    // no input of ours.
    static bool TellInput(ControlPeer& cp, UINT msg, WPARAM wp, LPARAM lp) {
        Control& c = *cp.control;
        switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR: {
            const bool dialogKey = wp == VK_RETURN || wp == VK_ESCAPE;
            // An open drop-down list takes Enter and Esc for itself.
            if (dialogKey && c.kind() == Kind::ComboBox && SendMessageA(cp.hwnd, CB_GETDROPPEDSTATE, 0, 0)) {
                return false;
            }
            Form& form = c.form();
            if (msg == WM_CHAR) {
                form.UserKeyPress(static_cast<int>(wp));
            } else {
                form.UserKeyDown(static_cast<int>(wp), KeyShift(), &c);
            }
            return true;
        }
        case WM_MOUSEMOVE:
            c.UserMouseMove(HeldButtons(wp), MouseShift(wp), MouseX(lp), MouseY(lp));
            return true;
        default:
            break;
        }
        if (IsPress(msg) || IsDoubleClick(msg)) {
            c.UserMouseDown(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
            return true;
        }
        if (IsRelease(msg)) {
            c.UserMouseUp(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
            return true;
        }
        return false;
    }

    static void Scroll(Control& c, WPARAM wp) {
        const int v = c.Value();
        const int pos = HIWORD(wp);
        switch (LOWORD(wp)) {
        case SB_LINELEFT: c.UserSetValue(v - c.SmallChange()); break;
        case SB_LINERIGHT: c.UserSetValue(v + c.SmallChange()); break;
        case SB_PAGELEFT: c.UserSetValue(v - c.LargeChange()); break;
        case SB_PAGERIGHT: c.UserSetValue(v + c.LargeChange()); break;
        case SB_LEFT: c.UserSetValue(c.Min()); break;
        case SB_RIGHT: c.UserSetValue(c.Max()); break;
        case SB_THUMBTRACK: c.UserScroll(pos); break;
        case SB_THUMBPOSITION: c.UserSetValue(pos); break;
        default: break;
        }
    }

    // Form messages; false to pass the message on to DefWindowProc. A handler may unload
    // the form: nothing of the peer is used once the model has been called.
    bool HandleForm(FormPeer& fp, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        Form& form = *fp.form;
        result = 0;
        switch (msg) {
        case WM_CLOSE:
            form.Unload();
            return true;
        case WM_QUERYENDSESSION:
            result = TRUE;  // never holds up a log-off
            return true;
        case WM_ENDSESSION:
            if (wp) form.app().EndSession();
            return true;
        case WM_COMMAND: {
            ControlPeer* cp = lp ? PeerOf<ControlPeer>(reinterpret_cast<HWND>(lp)) : nullptr;
            if (!cp || cp->form != &fp || pushing) return true;
            Control& c = *cp->control;
            if (HIWORD(wp) == BN_CLICKED && c.kind() != Kind::Frame) {
                c.UserClick();
            } else if (HIWORD(wp) == CBN_SELCHANGE) {
                c.UserSelect(static_cast<int>(SendMessageA(cp->hwnd, CB_GETCURSEL, 0, 0)));
            }
            return true;
        }
        case WM_HSCROLL: {
            ControlPeer* cp = lp ? PeerOf<ControlPeer>(reinterpret_cast<HWND>(lp)) : nullptr;
            if (cp && cp->form == &fp && !pushing) Scroll(*cp->control, wp);
            return true;
        }
        case WM_TIMER: {
            const UINT_PTR slot = wp - kFirstTimerId;
            if (wp >= kFirstTimerId && slot < fp.controls.size()) fp.controls[slot]->control->FireTimer();
            return true;
        }
        case WM_USER:
            result = form.FireUserMessage(wp, lp);
            return true;
        case WM_ACTIVATE: {
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd, focus)) fp.lastFocus = focus;
                return true;
            }
            if (HIWORD(wp)) return true;  // minimised
            FocusInside(fp);
            // A switch from another of our forms by the user; the model has told the form
            // itself when it showed or focused it.
            HWND previous = reinterpret_cast<HWND>(lp);
            if (!pushing && fp.ready && previous != hwnd && IsForm(previous)) form.FireActivate();
            return true;
        }
        case WM_NEXTDLGCTL: {  // Tab and arrows, from IsDialogMessage
            HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : NextTabStop(fp, GetFocus(), wp != 0);
            if (next) SetFocus(next);
            return true;
        }
        case WM_GETDLGCODE:
            result = DLGC_WANTALLKEYS;
            return true;
        case WM_SIZE:
            if (fp.ready && wp != SIZE_MINIMIZED) SyncClientSize(fp);
            return true;
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc, BrushFor(Resolve(form.BackColor())));
            result = 1;
            return true;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            ControlPeer* cp = PeerOf<ControlPeer>(reinterpret_cast<HWND>(lp));
            if (!cp || cp->form != &fp) return false;
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, Resolve(cp->control->ForeColor()));
            SetBkColor(dc, Resolve(cp->control->BackColor()));
            result = reinterpret_cast<LRESULT>(BrushFor(Resolve(cp->control->BackColor())));
            return true;
        }
        case WM_SETCURSOR:
            if (pointer != Pointer::Hourglass && form.MousePointer() != Pointer::Hourglass) return false;
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            result = TRUE;
            return true;
        case WM_KEYDOWN:
            form.UserKeyDown(static_cast<int>(wp), KeyShift());
            return true;
        case WM_SYSKEYDOWN:
            form.UserKeyDown(static_cast<int>(wp), KeyShift());
            return !IsWindow(hwnd);  // Alt+F4 and the system menu still work
        case WM_CHAR:
            form.UserKeyPress(static_cast<int>(wp));
            return true;
        case WM_SYSCHAR:
            return wp != VK_SPACE;  // no menu: an Alt gesture must not beep
        default:
            break;
        }
        if (IsPress(msg) || IsDoubleClick(msg)) {
            form.UserMouseDown(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
            if (msg == WM_LBUTTONDBLCLK) form.UserDblClick();
            return true;
        }
        if (IsRelease(msg)) {
            form.UserMouseUp(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
            return true;
        }
        return false;
    }

    // ---- the pump ----

    // Keys go through IsDialogMessage for Tab, arrows and Alt access keys; Enter and Esc
    // reach the form (our controls ask for them), which presses the default and cancel
    // buttons. Plain characters are no access keys: "m" typed on a button clicks nothing.
    static void Dispatch(MSG& m) {
        if (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST && m.message != WM_CHAR && m.hwnd) {
            HWND root = GetAncestor(m.hwnd, GA_ROOT);
            if (IsForm(root) && IsDialogMessageA(root, &m)) return;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
};

namespace {

using Impl = Win32Backend::Impl;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    FormPeer* fp = PeerOf<FormPeer>(hwnd);
    if (!fp || !fp->form) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ClearProps(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        fp->hwnd = nullptr;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    bool handled = false;
    const LRESULT result = Guarded([&] {
        LRESULT r = 0;
        handled = fp->impl->HandleForm(*fp, hwnd, msg, wp, lp, r);
        return r;
    });
    return handled ? result : DefWindowProcA(hwnd, msg, wp, lp);
}

// Buttons, options, check boxes, combo boxes, scroll bars and frames: the class does the
// work; we tell the model of mouse and key input first.
LRESULT CALLBACK StandardControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ControlPeer* cp = PeerOf<ControlPeer>(hwnd);
    if (!cp) return DefWindowProcA(hwnd, msg, wp, lp);
    const WNDPROC base = cp->baseProc;
    switch (msg) {
    case WM_NCDESTROY:
        ClearProps(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        cp->hwnd = nullptr;
        break;
    case WM_GETDLGCODE: {
        LRESULT code = CallWindowProcA(base, hwnd, msg, wp, lp);
        const auto* m = reinterpret_cast<const MSG*>(lp);
        if (m && m->message == WM_KEYDOWN && (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE)) {
            code |= DLGC_WANTMESSAGE;
        }
        return code;
    }
    case WM_SYSCHAR:
        if (wp != VK_SPACE) return 0;  // no menu: an Alt gesture must not beep
        break;
    default: {
        bool told = false;
        Guarded([&] {
            told = Impl::TellInput(*cp, msg, wp, lp);
            return LRESULT{0};
        });
        if (told && !IsWindow(hwnd)) return 0;  // the handler closed the form
        break;
    }
    }
    return CallWindowProcA(base, hwnd, msg, wp, lp);
}

// Labels, picture boxes, images and shapes: painted by us; a left press and release on the
// control is a click.
LRESULT CALLBACK OwnControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ControlPeer* cp = PeerOf<ControlPeer>(hwnd);
    if (!cp) return DefWindowProcA(hwnd, msg, wp, lp);
    switch (msg) {
    case WM_NCDESTROY:
        ClearProps(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        cp->hwnd = nullptr;
        return DefWindowProcA(hwnd, msg, wp, lp);
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything
    case WM_PAINT:
        return Guarded([&] {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            cp->form->impl->Paint(*cp, dc);
            EndPaint(hwnd, &ps);
            return LRESULT{0};
        });
    default:
        break;
    }
    if (IsPress(msg) || IsDoubleClick(msg)) {
        SetCapture(hwnd);  // the release comes here even off the control
        if (msg == WM_LBUTTONDOWN) cp->leftPressed = true;
        Control& c = *cp->control;
        return Guarded([&] {
            c.UserMouseDown(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
            if (msg == WM_LBUTTONDBLCLK) c.UserDblClick();
            return LRESULT{0};
        });
    }
    if (IsRelease(msg)) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        const POINT at{MouseX(lp), MouseY(lp)};
        const bool click = msg == WM_LBUTTONUP && cp->leftPressed && PtInRect(&rc, at);
        if (msg == WM_LBUTTONUP) cp->leftPressed = false;
        if (HeldButtons(wp) == 0) ReleaseCapture();
        Control& c = *cp->control;
        return Guarded([&] {
            c.UserMouseUp(MessageButton(msg), MouseShift(wp), at.x, at.y);
            if (click) c.UserClick();
            return LRESULT{0};
        });
    }
    if (msg == WM_MOUSEMOVE) {
        Control& c = *cp->control;
        return Guarded([&] {
            c.UserMouseMove(HeldButtons(wp), MouseShift(wp), MouseX(lp), MouseY(lp));
            return LRESULT{0};
        });
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

// ---- Win32Backend ----

Win32Backend::Win32Backend() : impl_(std::make_unique<Impl>()) {}
Win32Backend::~Win32Backend() = default;

void Win32Backend::Create(Form& form) {
    Impl& I = *impl_;
    Impl::Pushing guard(I);
    auto peer = std::make_unique<FormPeer>();
    FormPeer& fp = *peer;
    fp.form = &form;
    fp.impl = &I;
    const RECT r = I.FormRect(form);
    HWND h = CreateWindowExA(Impl::FormExStyle(form), kFormClass, form.Caption().c_str(), Impl::FormStyle(form),
                             r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, I.instance, &fp);
    if (!h) throw std::runtime_error("cannot create the window of " + form.name());
    fp.hwnd = h;
    form.peer = &fp;
    I.forms.push_back(std::move(peer));

    SetAtomProp(h, automation::kNameProp, form.name());
    SetAtomProp(h, automation::kKindProp, "form");
    SetNumberProp(h, automation::kBackProp, automation::EncodeColor(Resolve(form.BackColor())));
    int slot = 0;
    for (const auto& c : form.Controls()) {
        auto cp = std::make_unique<ControlPeer>();
        cp->control = c.get();
        cp->form = &fp;
        cp->slot = slot++;
        c->peer = cp.get();
        fp.controls.push_back(std::move(cp));
    }
    for (auto& cp : fp.controls) {
        if (cp->control->kind() == Kind::Timer) {
            I.ApplyTimer(*cp);
        } else {
            I.CreateChild(*cp);
        }
    }
    Impl::ArrangeZOrder(fp);
    I.SyncClientSize(fp);
    fp.ready = true;
}

void Win32Backend::Destroy(Form& form) {
    Impl& I = *impl_;
    FormPeer* fp = Impl::PeerOfForm(form);
    if (!fp) return;
    Impl::Pushing guard(I);
    if (fp->hwnd) DestroyWindow(fp->hwnd);
    for (const auto& c : form.Controls()) c->peer = nullptr;
    form.peer = nullptr;
    std::erase_if(I.forms, [fp](const auto& p) { return p.get() == fp; });
    // A message sent from another process runs inside GetMessage, which would not return
    // after that handler closed the last form: wake the pump so that Run sees the end.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Win32Backend::Update(Form& form, Prop p) {
    Impl& I = *impl_;
    FormPeer* fp = Impl::PeerOfForm(form);
    if (!fp || !fp->hwnd) return;
    Impl::Pushing guard(I);
    switch (p) {
    case Prop::Caption:
        SetWindowTextA(fp->hwnd, form.Caption().c_str());
        break;
    case Prop::Geometry:
    case Prop::WindowState:
        I.PlaceForm(*fp);
        break;
    case Prop::BackColor:
        SetNumberProp(fp->hwnd, automation::kBackProp, automation::EncodeColor(Resolve(form.BackColor())));
        RedrawWindow(fp->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        break;
    case Prop::TopMost:
        SetWindowPos(fp->hwnd, form.TopMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case Prop::MousePointer: {
        // The cursor changes now when it is over the form, not only at the next mouse move.
        POINT at{};
        HWND under = GetCursorPos(&at) ? WindowFromPoint(at) : nullptr;
        if (under && GetAncestor(under, GA_ROOT) == fp->hwnd) {
            const bool busy = I.pointer == Pointer::Hourglass || form.MousePointer() == Pointer::Hourglass;
            SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
        }
        break;
    }
    default:
        break;
    }
}

void Win32Backend::Update(Control& control, Prop p) {
    Impl& I = *impl_;
    ControlPeer* cp = Impl::PeerOfControl(control);
    if (!cp) return;
    Impl::Pushing guard(I);
    if (control.kind() == Kind::Timer) {
        if (p == Prop::Timer) I.ApplyTimer(*cp);
        return;
    }
    if (!cp->hwnd) return;
    switch (p) {
    case Prop::Caption:
        SetWindowTextA(cp->hwnd, control.Caption().c_str());
        InvalidateRect(cp->hwnd, nullptr, TRUE);
        break;
    case Prop::Geometry:
        for (ControlPeer* each : Impl::Subtree(control)) I.ApplyGeometry(*each);
        break;
    case Prop::Visible:
        for (ControlPeer* each : Impl::Subtree(control)) {
            ShowWindow(each->hwnd, ShownWithContainers(*each->control) ? SW_SHOWNA : SW_HIDE);
        }
        break;
    case Prop::Enabled:
        for (ControlPeer* each : Impl::Subtree(control)) {
            EnableWindow(each->hwnd, EnabledWithContainers(*each->control));
            InvalidateRect(each->hwnd, nullptr, TRUE);
        }
        break;
    case Prop::ForeColor:
    case Prop::BackColor:
        I.PublishColors(*cp);
        if (p == Prop::BackColor && control.kind() == Kind::PictureBox) {
            I.RebuildBacking(*cp);
        } else {
            Impl::InvalidateArea(*cp);
        }
        break;
    case Prop::Font:
        if (IsStandardClass(control.kind())) {
            SendMessageA(cp->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(I.FontFor(control.GetFont())), TRUE);
        }
        InvalidateRect(cp->hwnd, nullptr, TRUE);
        break;
    case Prop::Alignment:
        InvalidateRect(cp->hwnd, nullptr, TRUE);
        break;
    case Prop::Border:
        if (!IsStandardClass(control.kind())) {
            const LONG_PTR style = GetWindowLongPtrA(cp->hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
            SetWindowLongPtrA(cp->hwnd, GWL_STYLE, style | (control.Border() ? WS_BORDER : 0));
            SetWindowPos(cp->hwnd, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            // The client area changed: the backing and anything inside follow.
            for (ControlPeer* each : Impl::Subtree(control)) I.ApplyGeometry(*each);
            InvalidateRect(cp->hwnd, nullptr, TRUE);
        }
        break;
    case Prop::Value:
        I.ApplyValue(*cp);
        break;
    case Prop::Range:
        I.ApplyRange(*cp);
        break;
    case Prop::List:
        Impl::ApplyList(*cp);
        break;
    case Prop::ListIndex:
        SendMessageA(cp->hwnd, CB_SETCURSEL, static_cast<WPARAM>(control.ListIndex()), 0);
        break;
    case Prop::Picture:
        I.ApplyPicture(*cp);
        break;
    case Prop::Default:
        if (control.kind() == Kind::Button) SendMessageA(cp->hwnd, BM_SETSTYLE, Impl::ButtonStyle(control), TRUE);
        break;
    default:
        break;
    }
}

void Win32Backend::Draw(Control& control, const DrawOp& op) {
    ControlPeer* cp = Impl::PeerOfControl(control);
    if (!cp || !cp->backing) return;
    impl_->DrawOnBacking(*cp, op);
    Impl::InvalidateOp(*cp, op);
}

void Win32Backend::Show(Form& form, bool visible) {
    FormPeer* fp = Impl::PeerOfForm(form);
    if (!fp || !fp->hwnd) return;
    Impl::Pushing guard(*impl_);
    ShowWindow(fp->hwnd, visible ? SW_SHOW : SW_HIDE);
}

void Win32Backend::Focus(Form& form) {
    FormPeer* fp = Impl::PeerOfForm(form);
    if (!fp || !fp->hwnd) return;
    Impl::Pushing guard(*impl_);
    SetForegroundWindow(fp->hwnd);
    SetActiveWindow(fp->hwnd);
    HWND focus = GetFocus();
    if (focus != fp->hwnd && !IsChild(fp->hwnd, focus)) impl_->FocusInside(*fp);
}

std::intptr_t Win32Backend::Handle(const Form& form) const {
    const FormPeer* fp = Impl::PeerOfForm(form);
    return fp ? reinterpret_cast<std::intptr_t>(fp->hwnd) : 0;
}

bool Win32Backend::IsForm(std::intptr_t handle) const { return Impl::IsForm(reinterpret_cast<HWND>(handle)); }

int Win32Backend::FrameWidth(const Form& form) const { return impl_->TwX(impl_->FrameSize(form).cx); }
int Win32Backend::FrameHeight(const Form& form) const { return impl_->TwY(impl_->FrameSize(form).cy); }

bool Win32Backend::LoadPictureFile(const std::string& path, Picture& picture) {
    int width = 0, height = 0;
    if (!ReadBitmapSize(path, width, height)) return false;
    picture.source = Picture::Source::File;
    picture.path = path;
    picture.widthPx = width;
    picture.heightPx = height;
    return true;
}

int Win32Backend::MsgBox(const std::string& text, unsigned flags, const std::string& caption) {
    HWND owner = GetActiveWindow();
    if (!Impl::IsForm(owner) || !IsWindowVisible(owner)) owner = nullptr;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Win32Backend::Beep() { MessageBeep(0); }

void Win32Backend::SetPointer(Pointer p) {
    impl_->pointer = p;
    SetCursor(LoadCursor(nullptr, p == Pointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

ScreenInfo Win32Backend::Screen() const {
    ScreenInfo s = impl_->units;
    s.widthTwips = impl_->TwX(GetSystemMetrics(SM_CXSCREEN));
    s.heightTwips = impl_->TwY(GetSystemMetrics(SM_CYSCREEN));
    return s;
}

int Win32Backend::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

TextExtent Win32Backend::MeasureText(const Font& font, const std::string& text, int wrapWidthPx) const {
    HDC dc = GetDC(nullptr);
    SIZE size{0, 0};
    {
        Selected f(dc, impl_->FontFor(font));
        if (wrapWidthPx > 0) {
            RECT r{0, 0, wrapWidthPx, 0};
            DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
            size = {r.right - r.left, r.bottom - r.top};
        } else {
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        }
    }
    ReleaseDC(nullptr, dc);
    return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

std::uint32_t Win32Backend::TickCount() const { return GetTickCount(); }

double Win32Backend::SecondsSinceMidnight() const {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

void Win32Backend::DoEvents(int maxWaitMs) {
    // Input already queued ends the wait too (MWMO_INPUTAVAILABLE), not only input that came
    // since the queue was last looked at; so when the wait times out there is nothing to
    // handle, and no further call is made for it (each is a round trip to the server under Wine).
    if (MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(maxWaitMs), QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
        WAIT_TIMEOUT) {
        return;
    }
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {  // Run ends the program
            impl_->quitSeen = true;
            impl_->quitCode = static_cast<int>(m.wParam);
            return;
        }
        Impl::Dispatch(m);
    }
}

void Win32Backend::Run(App& app) {
    Impl& I = *impl_;
    while (!app.Ended()) {
        if (I.quitSeen) {
            app.End(I.quitCode);
            break;
        }
        MSG m;
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            app.End(static_cast<int>(m.wParam));
            break;
        }
        Impl::Dispatch(m);
        app.Reap();
    }
}

}  // namespace ui
