// The typed controls: one class per kind, offering that kind's properties and events.
// Forms make them with Form::Add<T> and hold them as members named by design name.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "ui/ui.h"

namespace ui {

// The base of the control of one kind: Form::Add<T> makes it, Form::Ctl<T> checks kKind.
template <Kind K>
class ControlOf : public Control {
public:
    static constexpr Kind kKind = K;
    ControlOf(Form& form, std::string name, int index, Control* container)
        : Control(form, K, std::move(name), index, container) {}
};

class Label : public ControlOf<Kind::Label> {
public:
    using ControlOf::ControlOf;
    using Control::Caption, Control::SetCaption, Control::Alignment, Control::SetAlignment, Control::Border,
        Control::SetBorder;
    using Control::OnClick, Control::OnDblClick, Control::OnMouseDown, Control::OnMouseUp;
};

class Button : public ControlOf<Kind::Button> {
public:
    using ControlOf::ControlOf;
    using Control::Caption, Control::SetCaption, Control::IsDefault, Control::SetDefault, Control::IsCancel,
        Control::SetCancel, Control::GetPicture, Control::SetPicture, Control::SetIconPicture;
    using Control::OnClick, Control::OnMouseDown, Control::OnMouseUp;
};

class OptionButton : public ControlOf<Kind::OptionButton> {
public:
    using ControlOf::ControlOf;
    // Value 1 selects the option and clears the others of its container.
    using Control::Caption, Control::SetCaption, Control::Value, Control::SetValue;
    using Control::OnClick;
    using Control::UserSetValue;
};

class CheckBox : public ControlOf<Kind::CheckBox> {
public:
    using ControlOf::ControlOf;
    using Control::Caption, Control::SetCaption, Control::Value, Control::SetValue;
    using Control::OnClick;
    using Control::UserSetValue;
};

class ComboBox : public ControlOf<Kind::ComboBox> {
public:
    using ControlOf::ControlOf;
    using Control::AddItem, Control::ClearList, Control::ListCount, Control::List, Control::Items,
        Control::ListIndex, Control::SetListIndex;
    using Control::OnClick;
    using Control::UserSelect;
};

class HScrollBar : public ControlOf<Kind::HScrollBar> {
public:
    using ControlOf::ControlOf;
    using Control::Value, Control::SetValue, Control::Min, Control::Max, Control::SmallChange,
        Control::LargeChange, Control::SetRange;
    using Control::OnChange, Control::OnScroll;
    using Control::UserSetValue, Control::UserScroll;
};

class Frame : public ControlOf<Kind::Frame> {
public:
    using ControlOf::ControlOf;
    using Control::Caption, Control::SetCaption;
    using Control::OnClick;
};

// A drawing surface that may hold a picture.
class PictureBox : public ControlOf<Kind::PictureBox> {
public:
    using ControlOf::ControlOf;
    using Control::Border, Control::SetBorder, Control::GetPicture, Control::LoadPicture, Control::SetPicture,
        Control::SetIconPicture, Control::AutoSize, Control::SetAutoSize;
    using Control::DrawWidth, Control::SetDrawWidth, Control::CurrentX, Control::CurrentY, Control::Cls,
        Control::PSet, Control::LineTo, Control::Line, Control::Box, Control::DrawOps;
    using Control::OnClick, Control::OnDblClick, Control::OnMouseDown, Control::OnMouseUp, Control::OnMouseMove;
};

class Image : public ControlOf<Kind::Image> {
public:
    using ControlOf::ControlOf;
    using Control::GetPicture, Control::LoadPicture, Control::SetPicture, Control::SetIconPicture,
        Control::AutoSize, Control::SetAutoSize;
    using Control::OnClick, Control::OnDblClick, Control::OnMouseDown, Control::OnMouseUp;
};

// A rectangle in BackColor, framed in ForeColor.
class Shape : public ControlOf<Kind::Shape> {
public:
    using ControlOf::ControlOf;
};

class Timer : public ControlOf<Kind::Timer> {
public:
    using ControlOf::ControlOf;
    using Control::Interval, Control::SetInterval;
    using Control::OnTimer;
    using Control::FireTimer;
};

// The controls of one control array (optFeedbackSound(1) .. (4)), reached by index.
template <class T>
class ControlArray {
public:
    T& Add(T& control) {
        items_.push_back(&control);
        return control;
    }
    T* Find(int index) const {
        for (T* c : items_) {
            if (c->index() == index) return c;
        }
        return nullptr;
    }
    T& operator[](int index) const {
        if (T* c = Find(index)) return *c;
        throw std::out_of_range("no control of index " + std::to_string(index));
    }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<T*> items_;
};

}  // namespace ui
