#include "ui/win32/session.h"

#include <algorithm>

#include "ui/win32/peers.h"

namespace ui::win32 {
namespace {

void Register(HINSTANCE instance, const char* name, WNDPROC proc, HICON icon) {
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

}  // namespace

COLORREF Resolve(Color c) {
    return IsSystemColor(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c & 0xFFFFFF);
}

Session::Session() {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    units_.SetDpi(dpiX, dpiY_);
    Register(instance_, kFormClass, FormProc, LoadIconA(instance_, MAKEINTRESOURCEA(kProgramIconId)));
    for (const char* name : DrawnPeer::kClasses) Register(instance_, name, DrawnControlProc, nullptr);
}

Session::~Session() {
    Pushing guard(*this);
    while (!forms_.empty()) {
        if (forms_.back()->hwnd) DestroyWindow(forms_.back()->hwnd);
        forms_.pop_back();
    }
}

HFONT Session::FontFor(const Font& f) {
    const auto key = std::make_tuple(f.name, static_cast<int>(f.size * 100 + 0.5), f.bold, f.italic);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        const int height = -MulDiv(std::get<1>(key), dpiY_, 7200);  // points * 100 -> pixels
        HFONT font = CreateFontA(height, 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, f.italic, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, f.name.c_str());
        it = fonts_.emplace(key, Gdi<HFONT>(font)).first;
    }
    return it->second.get();
}

HBRUSH Session::BrushFor(COLORREF c) {
    auto it = brushes_.find(c);
    if (it == brushes_.end()) it = brushes_.emplace(c, Gdi<HBRUSH>(CreateSolidBrush(c))).first;
    return it->second.get();
}

FormPeer& Session::AddForm(Form& form) {
    forms_.push_back(std::make_unique<FormPeer>(form, *this));
    return *forms_.back();
}

void Session::RemoveForm(FormPeer& peer) {
    for (const auto& cp : peer.controls) controls_.erase(&cp->control);
    std::erase_if(forms_, [&peer](const auto& p) { return p.get() == &peer; });
}

void Session::Enlist(ControlPeer& peer) { controls_[&peer.control] = &peer; }

FormPeer* Session::PeerOf(const Form& form) const {
    const auto it = std::find_if(forms_.begin(), forms_.end(), [&form](const auto& p) { return &p->form == &form; });
    return it == forms_.end() ? nullptr : it->get();
}

ControlPeer* Session::PeerOf(const Control& control) const {
    const auto it = controls_.find(&control);
    return it == controls_.end() ? nullptr : it->second;
}

bool Session::IsForm(HWND hwnd) {
    char name[16] = {};
    return hwnd && GetClassNameA(hwnd, name, sizeof(name)) > 0 && std::string(name) == kFormClass;
}

}  // namespace ui::win32
