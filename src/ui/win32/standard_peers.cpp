// The peers of buttons, options, check boxes, combo boxes, scroll bars and frames.
#include <windows.h>
#include <uxtheme.h>

#include <algorithm>
#include <type_traits>

#include "ui/win32/automation.h"
#include "ui/win32/kind_peers.h"

namespace ui::win32 {
namespace {

constexpr int kComboListPixels = 160;  // room for the dropped list below a combo box

}  // namespace

// ---- buttons ----

DWORD ButtonPeer::ButtonStyle() const {
    const auto source = model().GetPicture().source;
    return (model().IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
           (source == Picture::Source::Icon ? BS_ICON : source == Picture::Source::File ? BS_BITMAP : 0);
}

void ButtonPeer::Init() {
    StandardPeer::Init();
    ApplyPicture();
}

void ButtonPeer::Update(Prop p) {
    switch (p) {
    case Prop::Picture:
        ApplyPicture();
        break;
    case Prop::Default:
        SendMessageA(hwnd, BM_SETSTYLE, ButtonStyle(), TRUE);
        break;
    default:
        StandardPeer::Update(p);
        break;
    }
}

void ButtonPeer::Command(WORD code) {
    if (code == BN_CLICKED) control.UserClick();
}

void ButtonPeer::ApplyPicture() {
    picture_.Load(model().GetPicture(), session().instance());
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(BS_ICON | BS_BITMAP);
    SetWindowLongPtrA(hwnd, GWL_STYLE, style | ButtonStyle());
    if (picture_.icon) {
        SendMessageA(hwnd, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture_.icon.get()));
    } else {
        SendMessageA(hwnd, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.Bitmap()));
    }
    InvalidateRect(hwnd, nullptr, TRUE);
}

// ---- options and check boxes ----

template <class T>
void CheckablePeer<T>::Init() {
    StandardPeer::Init();
    // Visual styles would ignore the text colour (selected options are black, others teal).
    SetWindowTheme(this->hwnd, L" ", L" ");
    // Windows chooses an option that gets the focus unchosen; only the user's click, Space
    // or arrow may (the arrow's choice is the toolkit's, FormPeer::Navigate).
    if constexpr (std::is_same_v<T, OptionButton>) SendMessageA(this->hwnd, BM_SETDONTCLICK, TRUE, 0);
    ApplyValue();
}

template <class T>
void CheckablePeer<T>::Update(Prop p) {
    if (p == Prop::Value) {
        ApplyValue();
    } else {
        StandardPeer::Update(p);
    }
}

template <class T>
void CheckablePeer<T>::Command(WORD code) {
    if (code == BN_CLICKED) this->control.UserClick();
}

template <class T>
void CheckablePeer<T>::ApplyValue() {
    const int value = this->model().Value();
    SendMessageA(this->hwnd, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    this->PublishValue(kesma::automation::kValueProp, value);
}

template class CheckablePeer<OptionButton>;
template class CheckablePeer<CheckBox>;

// ---- combo boxes ----

int ComboBoxPeer::ExtraHeightPx() const { return kComboListPixels; }

bool ComboBoxPeer::KeepsDialogKeys() const { return SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void ComboBoxPeer::Init() {
    StandardPeer::Init();
    ApplyList();
}

void ComboBoxPeer::Update(Prop p) {
    switch (p) {
    case Prop::List:
        ApplyList();
        break;
    case Prop::ListIndex:
        SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(model().ListIndex()), 0);
        break;
    default:
        StandardPeer::Update(p);
        break;
    }
}

void ComboBoxPeer::Command(WORD code) {
    if (code == CBN_SELCHANGE) model().UserSelect(static_cast<int>(SendMessageA(hwnd, CB_GETCURSEL, 0, 0)));
}

void ComboBoxPeer::ApplyList() {
    SendMessageA(hwnd, CB_RESETCONTENT, 0, 0);
    for (const auto& item : model().Items()) {
        SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(model().ListIndex()), 0);
}

// ---- scroll bars ----

void HScrollBarPeer::Init() {
    StandardPeer::Init();
    ApplyRange();
}

void HScrollBarPeer::Update(Prop p) {
    switch (p) {
    case Prop::Value:
        ApplyValue();
        break;
    case Prop::Range:
        ApplyRange();
        break;
    default:
        StandardPeer::Update(p);
        break;
    }
}

void HScrollBarPeer::Scrolled(WPARAM wp) {
    HScrollBar& c = model();
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

void HScrollBarPeer::ApplyValue() {
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, model().Value(), 0};
    SetScrollInfo(hwnd, SB_CTL, &si, TRUE);
    PublishValue(kesma::automation::kValueProp, model().Value());
}

void HScrollBarPeer::ApplyRange() {
    const HScrollBar& c = model();
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, std::min(c.Min(), c.Max()), std::max(c.Min(), c.Max()),
                  0, c.Value(), 0};
    SetScrollInfo(hwnd, SB_CTL, &si, TRUE);
    PublishValue(kesma::automation::kMinProp, c.Min());
    PublishValue(kesma::automation::kMaxProp, c.Max());
    PublishValue(kesma::automation::kValueProp, c.Value());
}

}  // namespace ui::win32
