#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/event_scope.h"

namespace ui {

namespace {

bool TakesFocus(Kind k) {
    switch (k) {
    case Kind::Button:
    case Kind::OptionButton:
    case Kind::CheckBox:
    case Kind::ComboBox:
    case Kind::HScrollBar:
    case Kind::PictureBox:
        return true;
    default:
        return false;
    }
}

bool IsTabStop(const Control& c) {
    switch (c.kind()) {
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::ComboBox:
    case Kind::HScrollBar:
        return c.Reachable();
    case Kind::OptionButton:
        return c.Reachable() && static_cast<const OptionButton&>(c).Value() != 0;
    default:
        return false;
    }
}

// The first control after `from` in the order the form added them (before it with
// `previous`), wrapping, that `accept` takes; the ends for none.
template <class Accept>
Control* Walk(const std::vector<std::unique_ptr<Control>>& controls, const Control* from, bool previous,
              Accept accept) {
    const std::size_t n = controls.size();
    std::size_t at = n;  // none: the walk starts at an end
    for (std::size_t i = 0; i < n; ++i) {
        if (controls[i].get() == from) at = i;
    }
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = at == n ? (previous ? n - step : step - 1) : (at + (previous ? n - step : step)) % n;
        if (accept(*controls[i])) return controls[i].get();
    }
    return nullptr;
}

}  // namespace

Form::Form(App& app, std::string name, int clientWidthTwips, int clientHeightTwips)
    : app_(app), name_(std::move(name)), clientWidth_(clientWidthTwips), clientHeight_(clientHeightTwips) {}

Form::~Form() = default;

Control* Form::Find(const std::string& name, int index) const {
    for (const auto& c : controls_) {
        if (c->name() == name && c->index() == index) return c.get();
    }
    return nullptr;
}

Control& Form::Ctl(const std::string& name, int index) const {
    Control* c = Find(name, index);
    if (!c) {
        throw std::out_of_range(name_ + " has no control " +
                                (index < 0 ? name : name + "(" + std::to_string(index) + ")"));
    }
    return *c;
}

void Form::ThrowWrongKind(const Control& c, Kind wanted) const {
    static constexpr const char* kNames[] = {"Label", "Button", "OptionButton", "CheckBox", "ComboBox", "HScrollBar",
                                             "Frame", "PictureBox", "Image", "Shape", "Timer"};
    throw std::invalid_argument(name_ + "." + c.DesignName() + " is of kind " + kNames[static_cast<int>(c.kind())] +
                                ", not " + kNames[static_cast<int>(wanted)]);
}

void Form::Changed(Prop p) {
    if (loaded_) app_.backend_.Update(*this, p);
}

void Form::Changed(Control& c, Prop p) {
    if (loaded_) app_.backend_.Update(c, p);
}

void Form::SetCaption(const std::string& text) { SetProperty(*this, caption_, text, Prop::Caption); }

int Form::Width() const { return clientWidth_ + app_.backend_.FrameWidth(*this); }
int Form::Height() const { return clientHeight_ + app_.backend_.FrameHeight(*this); }

void Form::SetLeft(int v) { SetProperty(*this, left_, v, Prop::Geometry); }

void Form::SetTop(int v) { SetProperty(*this, top_, v, Prop::Geometry); }

void Form::SetWidth(int v) { SetClientSize(v - app_.backend_.FrameWidth(*this), clientHeight_); }
void Form::SetHeight(int v) { SetClientSize(clientWidth_, v - app_.backend_.FrameHeight(*this)); }

void Form::SetClientSize(int widthTwips, int heightTwips) {
    widthTwips = std::max(0, widthTwips);
    heightTwips = std::max(0, heightTwips);
    if (widthTwips == clientWidth_ && heightTwips == clientHeight_) return;
    clientWidth_ = widthTwips;
    clientHeight_ = heightTwips;
    Changed(Prop::Geometry);
    if (loaded_) FireResize();
}

void Form::SetBackColor(Color c) { SetProperty(*this, backColor_, c, Prop::BackColor); }

void Form::SetKeyPreview(bool v) { SetProperty(*this, keyPreview_, v, Prop::KeyPreview); }

void Form::SetMaximized(bool v) { SetProperty(*this, maximized_, v, Prop::WindowState); }

void Form::SetTopMost(bool v) { SetProperty(*this, topMost_, v, Prop::TopMost); }

void Form::SetMousePointer(Pointer p) { SetProperty(*this, mousePointer_, p, Prop::MousePointer); }

void Form::Load() {
    if (loaded_ || app_.ended_) return;
    app_.backend_.Create(*this);
    loaded_ = true;
    unloaded_ = false;
    shownSinceLoad_ = false;
    Fire(OnLoad);
}

void Form::Show() {
    Load();
    if (!loaded_) return;  // the load handler ended the app or unloaded the form
    visible_ = true;
    app_.backend_.Show(*this, true);
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        FireResize();
        if (!loaded_) return;
    }
    FireActivate();
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (loaded_) app_.backend_.Show(*this, false);
}

void Form::Unload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    Fire(OnUnload);
    unloading_ = false;
    if (!loaded_) return;  // the unload handler ended the app
    DestroySilently();
}

void Form::DestroySilently() {
    visible_ = false;
    app_.backend_.Destroy(*this);
    loaded_ = false;
    unloaded_ = true;
}

void Form::SetFocus() {
    if (loaded_) app_.backend_.Focus(*this);
}

std::intptr_t Form::Handle() const { return loaded_ ? app_.backend_.Handle(*this) : 0; }

Control* Form::NextTabStop(const Control* from, bool previous) const {
    return Walk(controls_, from, previous, [](const Control& c) { return IsTabStop(c); });
}

Control* Form::FocusTarget(Control* last) const {
    return last && &last->form() == this && IsTabStop(*last) ? last : NextTabStop(nullptr);
}

Control* Form::NextInGroup(const Control& focused, bool previous) const {
    if (focused.kind() != Kind::OptionButton) return nullptr;
    Control* next = Walk(controls_, &focused, previous, [&focused](const Control& c) {
        return c.kind() == Kind::OptionButton && c.container() == focused.container() && c.Reachable();
    });
    return next == &focused ? nullptr : next;
}

bool Form::HasFocusableControl() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](const auto& c) { return TakesFocus(c->kind()) && c->Reachable(); });
}

void Form::UserKeyDown(int keyCode, int shift, Control* focused) {
    if (!Reachable()) return;
    if (keyPreview_ || !HasFocusableControl()) {
        Fire(OnKeyDown, keyCode, shift);
        if (!Reachable()) return;
    }
    if (keyCode != kKeyEnter && keyCode != kKeyEsc) return;
    // Windows' rule: Enter presses the push button that has the focus.
    if (keyCode == kKeyEnter && focused != nullptr && &focused->form() == this && focused->kind() == Kind::Button &&
        focused->Reachable()) {
        focused->UserClick();
        return;
    }
    for (const auto& c : controls_) {
        if (c->kind() == Kind::Button && (keyCode == kKeyEnter ? c->IsDefault() : c->IsCancel()) && c->Reachable()) {
            c->UserClick();
            return;
        }
    }
}

void Form::UserKeyPress(int ascii) {
    if (!Reachable()) return;
    if (keyPreview_ || !HasFocusableControl()) Fire(OnKeyPress, ascii);
}

void Form::UserMouseDown(int button, int shift, int x, int y) {
    if (Reachable()) Fire(OnMouseDown, button, shift, x, y);
}

void Form::UserMouseUp(int button, int shift, int x, int y) {
    if (Reachable()) Fire(OnMouseUp, button, shift, x, y);
}

void Form::UserDblClick() {
    if (Reachable()) Fire(OnDblClick);
}

void Form::FireActivate() {
    if (inActivate_ || !loaded_) return;
    inActivate_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inActivate_};
    Fire(OnActivate);
}

void Form::FireResize() {
    if (loaded_) Fire(OnResize);
}

std::intptr_t Form::FireUserMessage(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!loaded_ || !OnUserMessage) return 0;
    const auto h = OnUserMessage;
    EventScope scope(app_);
    return h(wParam, lParam);
}

}  // namespace ui
