#include <algorithm>
#include <tuple>
#include <utility>

#include "ui/event_scope.h"

namespace ui {

Control::Control(Form& form, Kind kind, std::string name, int index, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index), container_(container) {}

std::string Control::DesignName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::Changed(Prop p) { form_.Changed(*this, p); }

bool Control::Reachable() const {
    if (!form_.Reachable()) return false;
    for (const Control* c = this; c; c = c->container_) {
        if (!c->visible_ || !c->enabled_) return false;
    }
    return true;
}

void Control::SetLeft(int v) { Move(v, top_, width_, height_); }
void Control::SetTop(int v) { Move(left_, v, width_, height_); }
void Control::SetWidth(int v) { Move(left_, top_, v, height_); }
void Control::SetHeight(int v) { Move(left_, top_, width_, v); }

void Control::Move(int left, int top, int width, int height) {
    auto geometry = std::tie(left_, top_, width_, height_);
    SetProperty(*this, geometry, std::tie(left, top, width, height), Prop::Geometry);
}

int Control::ScaleWidth() const {
    const int border = border_ ? form_.app().Screen().PixelsToTwipsX(2) : 0;
    return std::max(0, width_ - border);
}

int Control::ScaleHeight() const {
    const int border = border_ ? form_.app().Screen().PixelsToTwipsY(2) : 0;
    return std::max(0, height_ - border);
}

void Control::SetCaption(const std::string& text) { SetProperty(*this, caption_, text, Prop::Caption); }

void Control::SetVisible(bool v) { SetProperty(*this, visible_, v, Prop::Visible); }

void Control::SetEnabled(bool v) {
    SetProperty(*this, enabled_, v, kind_ == Kind::Timer ? Prop::Timer : Prop::Enabled);
}

void Control::SetForeColor(Color c) { SetProperty(*this, foreColor_, c, Prop::ForeColor); }

void Control::SetBackColor(Color c) { SetProperty(*this, backColor_, c, Prop::BackColor); }

void Control::SetBackTransparent(bool v) { SetProperty(*this, backTransparent_, v, Prop::BackColor); }

void Control::SetFont(const Font& f) { SetProperty(*this, font_, f, Prop::Font); }

void Control::SetAlignment(Align a) { SetProperty(*this, alignment_, a, Prop::Alignment); }

void Control::SetBorder(bool v) { SetProperty(*this, border_, v, Prop::Border); }

void Control::SetDefault(bool v) { SetExclusive(&Control::default_, v); }
void Control::SetCancel(bool v) { SetExclusive(&Control::cancel_, v); }

void Control::SetExclusive(bool Control::*flag, bool v) {
    if (v) {
        for (auto& c : form_.controls_) {
            if (c.get() != this && (*c).*flag) {
                (*c).*flag = false;
                c->Changed(Prop::Default);
            }
        }
    }
    SetProperty(*this, this->*flag, v, Prop::Default);
}

int Control::Clamp(int v) const {
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    return std::clamp(v, lo, hi);
}

void Control::SetValueSilently(int v) { SetProperty(*this, value_, v, Prop::Value); }

void Control::SetValue(int v) {
    const bool events = form_.loaded_;
    switch (kind_) {
    case Kind::HScrollBar:
        if (!Assign(value_, Clamp(v))) return;
        Changed(Prop::Value);
        if (events) form_.Fire(OnChange);
        return;
    case Kind::CheckBox:
        if (!Assign(value_, v != 0 ? 1 : 0)) return;
        Changed(Prop::Value);
        if (events) form_.Fire(OnClick);
        return;
    case Kind::OptionButton:
        if (v == 0) {
            SetValueSilently(0);
            return;
        }
        for (auto& c : form_.controls_) {
            if (c.get() != this && c->kind_ == Kind::OptionButton && c->container_ == container_) {
                c->SetValueSilently(0);
            }
        }
        SetValueSilently(1);
        if (events) form_.Fire(OnClick);
        return;
    default:
        SetValueSilently(v);
        return;
    }
}

void Control::SetRange(int min, int max, int smallChange, int largeChange) {
    auto range = std::tie(min_, max_, smallChange_, largeChange_);
    if (!Assign(range, std::tie(min, max, smallChange, largeChange))) return;
    Changed(Prop::Range);
    SetValueSilently(Clamp(value_));
}

void Control::AddItem(const std::string& item) {
    items_.push_back(item);
    Changed(Prop::List);
}

void Control::ClearList() {
    if (items_.empty() && listIndex_ == -1) return;
    items_.clear();
    listIndex_ = -1;
    Changed(Prop::List);
}

void Control::SetListIndex(int i) {
    if (i < -1 || i >= ListCount()) return;
    if (!Assign(listIndex_, i)) return;
    Changed(Prop::ListIndex);
    if (i >= 0 && form_.loaded_) form_.Fire(OnClick);
}

void Control::SetInterval(int ms) { SetProperty(*this, interval_, std::max(0, ms), Prop::Timer); }

void Control::TakePictureSize() {
    if (!autoSize_ || picture_.source == Picture::Source::None) return;
    const ScreenInfo screen = form_.app().Screen();
    const int border = border_ ? 2 : 0;
    Move(left_, top_, screen.PixelsToTwipsX(picture_.widthPx + border),
         screen.PixelsToTwipsY(picture_.heightPx + border));
}

bool Control::LoadPicture(const std::string& path) {
    Picture p;
    if (!form_.app().backend().LoadPictureFile(path, p)) {
        SetPicture(Picture{});
        return false;
    }
    p.source = Picture::Source::File;
    p.path = path;
    SetPicture(p);
    return true;
}

void Control::SetPicture(const Picture& p) {
    if (!Assign(picture_, p)) return;
    Changed(Prop::Picture);
    TakePictureSize();
}

void Control::SetIconPicture(int sizeTwips) {
    const ScreenInfo screen = form_.app().Screen();
    Picture p;
    p.source = Picture::Source::Icon;
    p.widthPx = screen.TwipsToPixelsX(sizeTwips);
    p.heightPx = screen.TwipsToPixelsY(sizeTwips);
    SetPicture(p);
}

void Control::Draw(const DrawOp& op) {
    drawOps_.push_back(op);
    if (form_.loaded_) form_.app().backend().Draw(*this, op);
}

void Control::Cls() {
    drawOps_.clear();
    currentX_ = currentY_ = 0;
    DrawOp op;
    op.type = DrawOp::Type::Clear;
    op.color = backColor_;
    Draw(op);
}

void Control::PSet(int x, int y) { DrawShape(DrawOp::Type::Point, x, y, x, y, foreColor_); }

void Control::LineTo(int x, int y) { Line(currentX_, currentY_, x, y); }

void Control::Line(int x1, int y1, int x2, int y2) { DrawShape(DrawOp::Type::Line, x1, y1, x2, y2, foreColor_); }

void Control::Box(int x1, int y1, int x2, int y2, bool filled, Color color) {
    DrawShape(filled ? DrawOp::Type::FilledBox : DrawOp::Type::Box, x1, y1, x2, y2, color);
}

void Control::DrawShape(DrawOp::Type type, int x1, int y1, int x2, int y2, Color color) {
    DrawOp op;
    op.type = type;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    op.width = drawWidth_;
    currentX_ = x2;
    currentY_ = y2;
    Draw(op);
}

void Control::UserClick() {
    if (!Reachable()) return;
    switch (kind_) {
    case Kind::OptionButton:
        SetValue(1);
        return;
    case Kind::CheckBox:
        SetValue(value_ != 0 ? 0 : 1);
        return;
    case Kind::Button:
    case Kind::Label:
    case Kind::Image:
    case Kind::PictureBox:
    case Kind::Frame:
        form_.Fire(OnClick);
        return;
    default:
        return;
    }
}

void Control::UserSetValue(int v) {
    if (!Reachable()) return;
    if (kind_ != Kind::HScrollBar) {
        // A user cannot clear an option button; only selecting another one does.
        if (kind_ == Kind::OptionButton && v == 0) return;
        SetValue(v);
        return;
    }
    const int clamped = Clamp(v);
    if (clamped == value_ && !dragged_) return;
    dragged_ = false;
    SetValueSilently(clamped);
    form_.Fire(OnChange);
}

void Control::UserScroll(int v) {
    if (!Reachable() || kind_ != Kind::HScrollBar) return;
    if (!Assign(value_, Clamp(v))) return;
    dragged_ = true;
    Changed(Prop::Value);
    form_.Fire(OnScroll);
}

void Control::UserSelect(int listIndex) {
    if (!Reachable() || kind_ != Kind::ComboBox) return;
    SetListIndex(listIndex);
}

void Control::UserDblClick() {
    if (Reachable()) form_.Fire(OnDblClick);
}

void Control::UserMouseDown(int button, int shift, int x, int y) {
    if (Reachable()) form_.Fire(OnMouseDown, button, shift, x, y);
}

void Control::UserMouseUp(int button, int shift, int x, int y) {
    if (Reachable()) form_.Fire(OnMouseUp, button, shift, x, y);
}

void Control::UserMouseMove(int button, int shift, int x, int y) {
    if (Reachable()) form_.Fire(OnMouseMove, button, shift, x, y);
}

void Control::FireTimer() {
    if (kind_ == Kind::Timer && enabled_ && interval_ > 0 && form_.loaded_) form_.Fire(OnTimer);
}

}  // namespace ui
