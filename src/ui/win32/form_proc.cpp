// The window procedure of forms: one function per message. A handler may unload the form:
// nothing of the peer is used once the model has been called.
#include "ui/win32/automation_props.h"
#include "ui/win32/guard.h"
#include "ui/win32/input.h"
#include "ui/win32/peers.h"

namespace ui::win32 {
namespace {

// A message's handler; false to pass the message on to DefWindowProc.
using Handler = bool (*)(FormPeer& fp, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

bool OnClose(FormPeer& fp, UINT, WPARAM, LPARAM, LRESULT&) {
    fp.form.Unload();
    return true;
}

bool OnQueryEndSession(FormPeer&, UINT, WPARAM, LPARAM, LRESULT& result) {
    result = TRUE;  // never holds up a log-off
    return true;
}

bool OnEndSession(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT&) {
    if (wp) fp.form.app().EndSession();
    return true;
}

bool OnCommand(FormPeer& fp, UINT, WPARAM wp, LPARAM lp, LRESULT&) {
    ControlPeer* cp = fp.Sender(lp);
    if (cp && !fp.session.pushing()) cp->Command(HIWORD(wp));
    return true;
}

bool OnHScroll(FormPeer& fp, UINT, WPARAM wp, LPARAM lp, LRESULT&) {
    ControlPeer* cp = fp.Sender(lp);
    if (cp && !fp.session.pushing()) cp->Scrolled(wp);
    return true;
}

bool OnTimer(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT&) {
    const UINT_PTR slot = wp - kFirstTimerId;
    if (wp >= kFirstTimerId && slot < fp.controls.size()) fp.controls[slot]->Tick();
    return true;
}

bool OnUser(FormPeer& fp, UINT, WPARAM wp, LPARAM lp, LRESULT& result) {
    result = fp.form.FireUserMessage(wp, lp);
    return true;
}

bool OnActivate(FormPeer& fp, UINT, WPARAM wp, LPARAM lp, LRESULT&) {
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(fp.hwnd, focus)) fp.lastFocus = focus;
        return true;
    }
    if (HIWORD(wp)) return true;  // minimised
    fp.FocusInside();
    // A switch from another of our forms by the user; the model has told the form itself
    // when it showed or focused it.
    HWND previous = reinterpret_cast<HWND>(lp);
    if (!fp.session.pushing() && fp.ready && previous != fp.hwnd && Session::IsForm(previous)) {
        fp.form.FireActivate();
    }
    return true;
}

bool OnGetDlgCode(FormPeer&, UINT, WPARAM, LPARAM, LRESULT& result) {
    result = DLGC_WANTALLKEYS;
    return true;
}

bool OnSize(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT&) {
    if (fp.ready && wp != SIZE_MINIMIZED) fp.SyncClientSize();
    return true;
}

bool OnEraseBackground(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT& result) {
    RECT rc;
    GetClientRect(fp.hwnd, &rc);
    FillRect(reinterpret_cast<HDC>(wp), &rc, fp.session.BrushFor(Resolve(fp.form.BackColor())));
    result = 1;
    return true;
}

bool OnCtlColor(FormPeer& fp, UINT, WPARAM wp, LPARAM lp, LRESULT& result) {
    ControlPeer* cp = fp.Sender(lp);
    return cp && cp->CtlColor(reinterpret_cast<HDC>(wp), result);
}

bool OnSetCursor(FormPeer& fp, UINT, WPARAM, LPARAM, LRESULT& result) {
    if (fp.session.pointer != Pointer::Hourglass && fp.form.MousePointer() != Pointer::Hourglass) return false;
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    result = TRUE;
    return true;
}

bool OnKeyDown(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT&) {
    fp.form.UserKeyDown(static_cast<int>(wp), KeyShift());
    return true;
}

bool OnSysKeyDown(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT&) {
    HWND hwnd = fp.hwnd;
    fp.form.UserKeyDown(static_cast<int>(wp), KeyShift());
    return !IsWindow(hwnd);  // Alt+F4 and the system menu still work
}

bool OnChar(FormPeer& fp, UINT, WPARAM wp, LPARAM, LRESULT&) {
    fp.form.UserKeyPress(static_cast<int>(wp));
    return true;
}

bool OnSysChar(FormPeer&, UINT, WPARAM wp, LPARAM, LRESULT&) {
    return wp != VK_SPACE;  // no menu: an Alt gesture must not beep
}

bool OnMousePress(FormPeer& fp, UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
    Form& form = fp.form;
    form.UserMouseDown(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
    if (msg == WM_LBUTTONDBLCLK) form.UserDblClick();
    return true;
}

bool OnMouseRelease(FormPeer& fp, UINT msg, WPARAM wp, LPARAM lp, LRESULT&) {
    fp.form.UserMouseUp(MessageButton(msg), MouseShift(wp), MouseX(lp), MouseY(lp));
    return true;
}

Handler HandlerOf(UINT msg) {
    static constexpr struct {
        UINT msg;
        Handler handler;
    } kHandlers[] = {
        {WM_CLOSE, OnClose}, {WM_QUERYENDSESSION, OnQueryEndSession}, {WM_ENDSESSION, OnEndSession},
        {WM_COMMAND, OnCommand}, {WM_HSCROLL, OnHScroll}, {WM_TIMER, OnTimer}, {WM_USER, OnUser},
        {WM_ACTIVATE, OnActivate}, {WM_GETDLGCODE, OnGetDlgCode},
        {WM_SIZE, OnSize}, {WM_ERASEBKGND, OnEraseBackground}, {WM_CTLCOLORSTATIC, OnCtlColor},
        {WM_CTLCOLORBTN, OnCtlColor}, {WM_SETCURSOR, OnSetCursor}, {WM_KEYDOWN, OnKeyDown},
        {WM_SYSKEYDOWN, OnSysKeyDown}, {WM_CHAR, OnChar}, {WM_SYSCHAR, OnSysChar},
        {WM_LBUTTONDOWN, OnMousePress}, {WM_RBUTTONDOWN, OnMousePress}, {WM_MBUTTONDOWN, OnMousePress},
        {WM_LBUTTONDBLCLK, OnMousePress}, {WM_RBUTTONDBLCLK, OnMousePress}, {WM_MBUTTONDBLCLK, OnMousePress},
        {WM_LBUTTONUP, OnMouseRelease}, {WM_RBUTTONUP, OnMouseRelease}, {WM_MBUTTONUP, OnMouseRelease},
    };
    for (const auto& h : kHandlers) {
        if (h.msg == msg) return h.handler;
    }
    return nullptr;
}

}  // namespace

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        static_cast<FormPeer*>(cs->lpCreateParams)->hwnd = hwnd;  // for the messages of the creation
    }
    FormPeer* fp = PeerOf<FormPeer>(hwnd);
    if (!fp) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ClearProps(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        fp->hwnd = nullptr;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    const Handler handler = HandlerOf(msg);
    if (!handler) return DefWindowProcA(hwnd, msg, wp, lp);
    bool handled = false;
    const LRESULT result = Guarded(msg, [&] {
        LRESULT r = 0;
        handled = handler(*fp, msg, wp, lp, r);
        return r;
    });
    return handled ? result : DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace ui::win32
