// The backend's interface: forms made, updated and destroyed through their peers, and the
// services of the screen, the cursor and the clock.
#include "ui/win32/win32_backend.h"

#include <stdexcept>

#include "ui/bitmap_header.h"
#include "ui/win32/automation.h"
#include "ui/win32/automation_props.h"
#include "ui/win32/peers.h"

namespace ui {

namespace automation = kesma::automation;
using win32::ControlPeer;
using win32::FormPeer;
using win32::Session;

Win32Backend::Win32Backend() : session_(std::make_unique<Session>()) {}
Win32Backend::~Win32Backend() = default;

void Win32Backend::Create(Form& form) {
    Session& s = *session_;
    Session::Pushing guard(s);
    FormPeer& fp = s.AddForm(form);
    const RECT r = fp.Rect();
    HWND h = CreateWindowExA(win32::FormExStyle(form), win32::kFormClass, form.Caption().c_str(),
                             win32::FormStyle(form), r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                             nullptr, s.instance(), &fp);
    if (!h) {
        s.RemoveForm(fp);
        throw std::runtime_error("cannot create the window of " + form.name());
    }
    win32::SetAtomProp(h, automation::kNameProp, form.name());
    win32::SetAtomProp(h, automation::kKindProp, "form");
    win32::SetNumberProp(h, automation::kBackProp, automation::EncodeColor(win32::Resolve(form.BackColor())));
    int slot = 0;
    for (const auto& c : form.Controls()) {
        fp.controls.push_back(win32::MakePeer(*c, fp, slot++));
        s.Enlist(*fp.controls.back());
    }
    for (auto& cp : fp.controls) cp->Create();
    fp.ArrangeZOrder();
    fp.SyncClientSize();
    fp.ready = true;
}

void Win32Backend::Destroy(Form& form) {
    Session& s = *session_;
    FormPeer* fp = s.PeerOf(form);
    if (!fp) return;
    Session::Pushing guard(s);
    if (fp->hwnd) DestroyWindow(fp->hwnd);
    s.RemoveForm(*fp);
    // A message sent from another process runs inside GetMessage, which would not return
    // after that handler closed the last form: wake the pump so that Run sees the end.
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void Win32Backend::Update(Form& form, Prop p) {
    Session& s = *session_;
    FormPeer* fp = s.PeerOf(form);
    if (!fp || !fp->hwnd) return;
    Session::Pushing guard(s);
    switch (p) {
    case Prop::Caption:
        SetWindowTextA(fp->hwnd, form.Caption().c_str());
        break;
    case Prop::Geometry:
    case Prop::WindowState:
        fp->Place();
        break;
    case Prop::BackColor:
        win32::SetNumberProp(fp->hwnd, automation::kBackProp, automation::EncodeColor(win32::Resolve(form.BackColor())));
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
            const bool busy = s.pointer == Pointer::Hourglass || form.MousePointer() == Pointer::Hourglass;
            SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
        }
        break;
    }
    default:
        break;
    }
}

void Win32Backend::Update(Control& control, Prop p) {
    ControlPeer* cp = session_->PeerOf(control);
    if (!cp || !cp->Live()) return;
    Session::Pushing guard(*session_);
    cp->Update(p);
}

void Win32Backend::Draw(Control& control, const DrawOp& op) {
    if (ControlPeer* cp = session_->PeerOf(control)) cp->Draw(op);
}

void Win32Backend::Show(Form& form, bool visible) {
    FormPeer* fp = session_->PeerOf(form);
    if (!fp || !fp->hwnd) return;
    Session::Pushing guard(*session_);
    ShowWindow(fp->hwnd, !visible ? SW_HIDE : form.ShowsInactive() ? SW_SHOWNOACTIVATE : SW_SHOW);
}

void Win32Backend::Focus(Form& form) {
    FormPeer* fp = session_->PeerOf(form);
    if (!fp || !fp->hwnd) return;
    Session::Pushing guard(*session_);
    SetForegroundWindow(fp->hwnd);
    SetActiveWindow(fp->hwnd);
    HWND focus = GetFocus();
    if (focus != fp->hwnd && !IsChild(fp->hwnd, focus)) fp->FocusInside();
}

std::intptr_t Win32Backend::Handle(const Form& form) const {
    const FormPeer* fp = session_->PeerOf(form);
    return fp ? reinterpret_cast<std::intptr_t>(fp->hwnd) : 0;
}

bool Win32Backend::IsForm(std::intptr_t handle) const { return Session::IsForm(reinterpret_cast<HWND>(handle)); }

int Win32Backend::FrameWidth(const Form& form) const { return session_->TwX(win32::FrameSize(form).cx); }
int Win32Backend::FrameHeight(const Form& form) const { return session_->TwY(win32::FrameSize(form).cy); }

bool Win32Backend::LoadPictureFile(const std::string& path, Picture& picture) {
    int width = 0, height = 0;
    if (!ReadBitmapSize(path, width, height)) return false;
    picture.source = Picture::Source::File;
    picture.path = path;
    picture.widthPx = width;
    picture.heightPx = height;
    // Read here once; every control the picture is copied to shows this image.
    if (HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)) {
        picture.loaded = std::shared_ptr<void>(image, [](void* h) { DeleteObject(static_cast<HGDIOBJ>(h)); });
    }
    return true;
}

int Win32Backend::MsgBox(const std::string& text, unsigned flags, const std::string& caption) {
    HWND owner = GetActiveWindow();
    if (!Session::IsForm(owner) || !IsWindowVisible(owner)) owner = nullptr;
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Win32Backend::Beep() { MessageBeep(0); }

void Win32Backend::SetPointer(Pointer p) {
    session_->pointer = p;
    SetCursor(LoadCursor(nullptr, p == Pointer::Hourglass ? IDC_WAIT : IDC_ARROW));
}

ScreenInfo Win32Backend::Screen() const {
    ScreenInfo s = session_->units();
    s.widthTwips = session_->TwX(GetSystemMetrics(SM_CXSCREEN));
    s.heightTwips = session_->TwY(GetSystemMetrics(SM_CYSCREEN));
    return s;
}

int Win32Backend::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

TextExtent Win32Backend::MeasureText(const Font& font, const std::string& text, int wrapWidthPx) const {
    HDC dc = GetDC(nullptr);
    SIZE size{0, 0};
    {
        win32::Selected f(dc, session_->FontFor(font));
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

}  // namespace ui
