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

void FormPeer::FocusInside() {
    HWND target = lastFocus;
    if (!target || !IsWindow(target) || !IsChild(hwnd, target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        target = NextTabStop(nullptr, false);
    }
    SetFocus(target ? target : hwnd);
}

HWND FormPeer::NextTabStop(HWND from, bool previous) const {
    std::vector<HWND> stops;
    for (const auto& cp : controls) {
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
