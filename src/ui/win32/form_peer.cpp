#include <algorithm>
#include <tuple>

#include "ui/win32/peers.h"

namespace ui::win32 {
namespace {

// A control and its containers, to the form.
bool InsideOrSame(const Control& c, const Control& container) {
    for (const Control* p = &c; p; p = p->container()) {
        if (p == &container) return true;
    }
    return false;
}

int Depth(const Control& c) {
    int depth = 0;
    for (const Control* p = c.container(); p; p = p->container()) ++depth;
    return depth;
}

}  // namespace

Session& ControlPeer::session() const { return form.session; }

DWORD FormStyle(const Form& form) {
    return form.Borderless() ? WS_POPUP : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

DWORD FormExStyle(const Form& form) { return form.TopMost() ? WS_EX_TOPMOST : 0; }

SIZE FrameSize(const Form& form) {
    RECT r{0, 0, 0, 0};
    AdjustWindowRectEx(&r, FormStyle(form), FALSE, FormExStyle(form));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

RECT FormPeer::Rect() const {
    if (form.Maximized()) return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const SIZE frame = FrameSize(form);
    const int x = session.PxX(form.Left()), y = session.PxY(form.Top());
    return RECT{x, y, x + session.PxX(form.ScaleWidth()) + frame.cx, y + session.PxY(form.ScaleHeight()) + frame.cy};
}

void FormPeer::Place() {
    const RECT r = Rect();
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::SyncClientSize() {
    if (!form.Maximized()) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (session.PxX(form.ScaleWidth()) != rc.right || session.PxY(form.ScaleHeight()) != rc.bottom) {
        form.SetClientSize(session.TwX(rc.right), session.TwY(rc.bottom));
    }
}

HWND FormPeer::WindowOf(const Control* c) const {
    const ControlPeer* cp = c ? session.PeerOf(*c) : nullptr;
    return cp && cp->hwnd ? cp->hwnd : hwnd;
}

Control* FormPeer::FocusedControl() const {
    const ControlPeer* cp = Sender(reinterpret_cast<LPARAM>(GetFocus()));
    return cp ? &cp->control : nullptr;
}

void FormPeer::FocusInside() {
    const ControlPeer* last = Sender(reinterpret_cast<LPARAM>(lastFocus));
    SetFocus(WindowOf(form.FocusTarget(last ? &last->control : nullptr)));
}

void FormPeer::LeaveFocus() {
    Control* focused = FocusedControl();
    if (focused && !focused->Reachable()) SetFocus(WindowOf(form.NextTabStop(focused)));
}

bool FormPeer::Navigate(const MSG& m) {
    const bool tab = m.wParam == VK_TAB;
    const bool previous = m.wParam == VK_LEFT || m.wParam == VK_UP || (tab && GetKeyState(VK_SHIFT) < 0);
    if (!tab && !previous && m.wParam != VK_RIGHT && m.wParam != VK_DOWN) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    Control* focused = FocusedControl();
    if (!focused) {  // the form itself has it: a hidden control left no other to take it
        Control* first = tab && GetFocus() == hwnd ? form.NextTabStop(nullptr) : nullptr;
        if (first) SetFocus(WindowOf(first));
        return first != nullptr;
    }
    MSG asked = m;
    const LRESULT code = SendMessageA(WindowOf(focused), WM_GETDLGCODE, m.wParam, reinterpret_cast<LPARAM>(&asked));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | (tab ? DLGC_WANTTAB : DLGC_WANTARROWS))) return false;
    if (tab) {
        if (Control* next = form.NextTabStop(focused, previous)) SetFocus(WindowOf(next));
    } else if (Control* next = form.NextInGroup(*focused, previous)) {
        // Windows' rule: the option an arrow moves to is chosen, as a click chooses it.
        SetFocus(WindowOf(next));
        next->UserClick();
    }
    return true;  // an arrow on another control moves nothing: each is a group of its own
}

void FormPeer::ArrangeZOrder() {
    std::vector<ControlPeer*> order;
    for (auto& cp : controls) {
        if (cp->hwnd) order.push_back(cp.get());
    }
    auto key = [](const ControlPeer* cp) { return std::make_tuple(Depth(cp->control), cp->Windowed(), cp->slot); };
    std::sort(order.begin(), order.end(), [&](const ControlPeer* a, const ControlPeer* b) { return key(a) > key(b); });
    HWND above = HWND_TOP;
    for (ControlPeer* cp : order) {
        SetWindowPos(cp->hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = cp->hwnd;
    }
}

std::vector<ControlPeer*> FormPeer::Subtree(const Control& c) const {
    std::vector<ControlPeer*> out;
    for (const auto& other : controls) {
        if (other->hwnd && InsideOrSame(other->control, c)) out.push_back(other.get());
    }
    return out;
}

POINT FormPeer::Origin(const Control* container) const {
    POINT p{0, 0};
    for (const Control* c = container; c; c = c->container()) {
        const int inset = session.PeerOf(*c)->ClientInset();
        p.x += session.PxX(c->Left()) + inset;
        p.y += session.PxY(c->Top()) + inset;
    }
    return p;
}

ControlPeer* FormPeer::Sender(LPARAM lp) const {
    ControlPeer* cp = lp ? PeerOf<ControlPeer>(reinterpret_cast<HWND>(lp)) : nullptr;
    return cp && &cp->form == this ? cp : nullptr;
}

}  // namespace ui::win32
