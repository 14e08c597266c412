// The child windows of controls, and the controls of a system class.
#include "ui/win32/automation.h"
#include "ui/win32/automation_props.h"
#include "ui/win32/guard.h"
#include "ui/win32/input.h"
#include "ui/win32/peers.h"

namespace ui::win32 {
namespace {

namespace automation = kesma::automation;

constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

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

// Each control is a group of its own, but the options of one container are one group,
// from the first of them on.
bool StartsGroup(const Control& c) {
    if (c.kind() != Kind::OptionButton) return true;
    for (const auto& other : c.form().Controls()) {
        if (other.get() == &c) break;
        if (other->kind() == Kind::OptionButton && other->container() == c.container()) return false;
    }
    return true;
}

}  // namespace

// ---- every child window ----

void WindowPeer::Create() {
    const Session& s = session();
    const POINT o = form.Origin(control.container());
    const int x = o.x + s.PxX(control.Left()), y = o.y + s.PxY(control.Top());
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | Style() | (StartsGroup(control) ? WS_GROUP : 0) |
                        (ShownWithContainers(control) ? WS_VISIBLE : 0) |
                        (EnabledWithContainers(control) ? 0 : WS_DISABLED);
    HWND h = CreateWindowExA(0, ClassName(), Text().c_str(), style, x, y, s.PxX(control.Width()),
                             s.PxY(control.Height()) + ExtraHeightPx(), form.hwnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + slot)), s.instance(),
                             nullptr);
    if (!h) return;
    hwnd = h;
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<ControlPeer*>(this)));
    SetAtomProp(h, automation::kNameProp, control.DesignName());
    SetAtomProp(h, automation::kKindProp, KindName());
    PublishColors();
    Init();
}

void WindowPeer::Place() {
    const Session& s = session();
    const POINT o = form.Origin(control.container());
    SetWindowPos(hwnd, nullptr, o.x + s.PxX(control.Left()), o.y + s.PxY(control.Top()), s.PxX(control.Width()),
                 s.PxY(control.Height()) + ExtraHeightPx(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::Update(Prop p) {
    switch (p) {
    case Prop::Caption:
        SetWindowTextA(hwnd, Text().c_str());
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case Prop::Geometry:
        for (ControlPeer* each : form.Subtree(control)) each->Place();
        break;
    case Prop::Visible:
        form.LeaveFocus();
        for (ControlPeer* each : form.Subtree(control)) {
            ShowWindow(each->hwnd, ShownWithContainers(each->control) ? SW_SHOWNA : SW_HIDE);
        }
        break;
    case Prop::Enabled:
        form.LeaveFocus();
        for (ControlPeer* each : form.Subtree(control)) {
            EnableWindow(each->hwnd, EnabledWithContainers(each->control));
            InvalidateRect(each->hwnd, nullptr, TRUE);
        }
        break;
    case Prop::ForeColor:
    case Prop::BackColor:
        PublishColors();
        InvalidateArea();
        break;
    case Prop::Font:
        ApplyFont();
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    case Prop::Alignment:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    default:
        break;
    }
}

void WindowPeer::InvalidateArea() const {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, form.hwnd, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(form.hwnd, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void WindowPeer::PublishColors() const {
    SetNumberProp(hwnd, automation::kForeProp, automation::EncodeColor(Resolve(control.ForeColor())));
    SetNumberProp(hwnd, automation::kBackProp, automation::EncodeColor(Resolve(control.BackColor())));
}

void WindowPeer::PublishValue(const char* prop, int value) const {
    SetNumberProp(hwnd, prop, automation::EncodeValue(value));
}

// ---- controls of a system class ----

void StandardPeer::Init() {
    baseProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StandardControlProc)));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(session().FontFor(control.GetFont())), FALSE);
}

void StandardPeer::ApplyFont() {
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(session().FontFor(control.GetFont())), TRUE);
}

bool StandardPeer::CtlColor(HDC dc, LRESULT& brush) {
    SetTextColor(dc, Resolve(control.ForeColor()));
    SetBkColor(dc, Resolve(control.BackColor()));
    brush = reinterpret_cast<LRESULT>(session().BrushFor(Resolve(control.BackColor())));
    return true;
}

bool StandardPeer::TellInput(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR: {
        if ((wp == VK_RETURN || wp == VK_ESCAPE) && KeepsDialogKeys()) return false;
        Form& f = control.form();
        if (msg == WM_CHAR) {
            f.UserKeyPress(static_cast<int>(wp));
        } else {
            f.UserKeyDown(static_cast<int>(wp), KeyShift(), &control);
        }
        return true;
    }
    case WM_MOUSEMOVE:
        control.UserMouseMove(HeldButtons(wp), MouseShift(wp), MouseX(lp), MouseY(lp));
        return true;
    default:
        break;
    }
    if (IsPress(msg) || IsDoubleClick(msg)) {
        control.UserMouseDown(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
        return true;
    }
    if (IsRelease(msg)) {
        control.UserMouseUp(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
        return true;
    }
    return false;
}

LRESULT CALLBACK StandardControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* cp = static_cast<StandardPeer*>(PeerOf<ControlPeer>(hwnd));
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
        Guarded(msg, [&] {
            told = cp->TellInput(msg, wp, lp);
            return LRESULT{0};
        });
        if (told && !IsWindow(hwnd)) return 0;  // the handler closed the form
        break;
    }
    }
    return CallWindowProcA(base, hwnd, msg, wp, lp);
}

}  // namespace ui::win32
