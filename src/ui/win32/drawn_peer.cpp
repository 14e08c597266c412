// Owner-drawn painting: the controls we paint ourselves, and their window procedure.
#include "ui/win32/automation_props.h"
#include "ui/win32/guard.h"
#include "ui/win32/input.h"
#include "ui/win32/peers.h"

namespace ui::win32 {

DWORD DrawnPeer::Style() const { return Bordered() ? WS_BORDER : 0; }

void DrawnPeer::Update(Prop p) {
    if (p != Prop::Border) {
        WindowPeer::Update(p);
        return;
    }
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_BORDER);
    SetWindowLongPtrA(hwnd, GWL_STYLE, style | Style());
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The client area changed: the backing and anything inside follow.
    for (ControlPeer* each : form.Subtree(control)) each->Place();
    InvalidateRect(hwnd, nullptr, TRUE);
}

void DrawnPeer::PaintUnderlay(HDC dc, const RECT& rc) {
    const Control* box = control.container();
    FillRect(dc, &rc, session().BrushFor(Resolve(box ? box->BackColor() : form.form.BackColor())));
    std::vector<DrawnPeer*> below;
    for (HWND h = GetWindow(hwnd, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
        auto* other = dynamic_cast<DrawnPeer*>(PeerOf<ControlPeer>(h));
        if (other && &other->form == &form && IsWindowVisible(h)) below.push_back(other);
    }
    POINT mine{0, 0};
    MapWindowPoints(hwnd, form.hwnd, &mine, 1);
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        POINT theirs{0, 0};
        MapWindowPoints((*it)->hwnd, form.hwnd, &theirs, 1);
        POINT old;
        OffsetViewportOrgEx(dc, theirs.x - mine.x, theirs.y - mine.y, &old);
        (*it)->Paint(dc);
        SetViewportOrgEx(dc, old.x, old.y, nullptr);
    }
}

void DrawnPeer::PaintBackground(HDC dc, const RECT& rc) {
    if (control.BackTransparent()) {
        PaintUnderlay(dc, rc);
    } else {
        FillRect(dc, &rc, session().BrushFor(Resolve(control.BackColor())));
    }
}

namespace {

LRESULT OnMousePress(DrawnPeer& cp, UINT msg, WPARAM wp, LPARAM lp) {
    SetCapture(cp.hwnd);  // the release comes here even off the control
    if (msg == WM_LBUTTONDOWN) cp.leftPressed = true;
    Control& c = cp.control;
    return Guarded(msg, [&] {
        c.UserMouseDown(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
        if (msg == WM_LBUTTONDBLCLK) c.UserDblClick();
        return LRESULT{0};
    });
}

LRESULT OnMouseRelease(DrawnPeer& cp, UINT msg, WPARAM wp, LPARAM lp) {
    RECT rc;
    GetClientRect(cp.hwnd, &rc);
    const POINT at{MouseX(lp), MouseY(lp)};
    const bool click = msg == WM_LBUTTONUP && cp.leftPressed && PtInRect(&rc, at);
    if (msg == WM_LBUTTONUP) cp.leftPressed = false;
    if (HeldButtons(wp) == 0) ReleaseCapture();
    Control& c = cp.control;
    return Guarded(msg, [&] {
        c.UserMouseUp(MessageButton(msg), MouseShift(wp), at.x, at.y);
        if (click) c.UserClick();
        return LRESULT{0};
    });
}

}  // namespace

LRESULT CALLBACK DrawnControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* cp = static_cast<DrawnPeer*>(PeerOf<ControlPeer>(hwnd));
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
        return Guarded(msg, [&] {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            cp->Paint(dc);
            EndPaint(hwnd, &ps);
            return LRESULT{0};
        });
    case WM_PRINTCLIENT:  // the same picture into a DC of the caller's (PrintWindow, AnimateWindow)
        return Guarded(msg, [&] {
            cp->Paint(reinterpret_cast<HDC>(wp));
            return LRESULT{0};
        });
    case WM_MOUSEMOVE: {
        Control& c = cp->control;
        return Guarded(msg, [&] {
            c.UserMouseMove(HeldButtons(wp), MouseShift(wp), MouseX(lp), MouseY(lp));
            return LRESULT{0};
        });
    }
    default:
        break;
    }
    if (IsPress(msg) || IsDoubleClick(msg)) return OnMousePress(*cp, msg, wp, lp);
    if (IsRelease(msg)) return OnMouseRelease(*cp, msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace ui::win32
