// One peer type per kind of control; each reads only its kind's properties of the model.
#pragma once

#include <memory>
#include <string>

#include "ui/win32/gdi.h"
#include "ui/win32/peers.h"

namespace ui::win32 {

// The peer of a control of class T (ui::Button, ...) on the common peer Base: the one
// place the model's control is taken as its kind's class.
template <class T, class Base>
class KindPeer : public Base {
public:
    using Base::Base;

protected:
    T& model() const { return static_cast<T&>(this->control); }
};

// A picture file (the image the backend loaded with the picture, shared) or the program's
// icon, loaded for a button, picture box or image.
struct LoadedPicture {
    void Load(const Picture& pic, HINSTANCE instance);
    void Paint(HDC dc, const Picture& pic) const;  // at the top-left
    HBITMAP Bitmap() const { return static_cast<HBITMAP>(file.get()); }
    std::shared_ptr<void> file;
    IconOwner icon;
};

class ButtonPeer final : public KindPeer<Button, StandardPeer> {
public:
    using KindPeer::KindPeer;
    void Update(Prop p) override;
    void Command(WORD code) override;

private:
    const char* ClassName() const override { return "BUTTON"; }
    const char* KindName() const override { return "button"; }
    std::string Text() const override { return model().Caption(); }
    DWORD Style() const override { return ButtonStyle() | WS_TABSTOP; }
    void Init() override;
    DWORD ButtonStyle() const;
    void ApplyPicture();

    LoadedPicture picture_;
};

// Option buttons and check boxes (T).
template <class T>
class CheckablePeer : public KindPeer<T, StandardPeer> {
public:
    using KindPeer<T, StandardPeer>::KindPeer;
    void Update(Prop p) override;
    void Command(WORD code) override;

protected:
    const char* ClassName() const override { return "BUTTON"; }
    std::string Text() const override { return this->model().Caption(); }
    void Init() override;
    void ApplyValue();
};

class OptionPeer final : public CheckablePeer<OptionButton> {
public:
    using CheckablePeer::CheckablePeer;

private:
    const char* KindName() const override { return "option"; }
    // The model keeps options exclusive.
    DWORD Style() const override { return BS_RADIOBUTTON | WS_TABSTOP; }
};

class CheckBoxPeer final : public CheckablePeer<CheckBox> {
public:
    using CheckablePeer::CheckablePeer;

private:
    const char* KindName() const override { return "check"; }
    DWORD Style() const override { return BS_CHECKBOX | WS_TABSTOP; }
};

class ComboBoxPeer final : public KindPeer<ComboBox, StandardPeer> {
public:
    using KindPeer::KindPeer;
    void Update(Prop p) override;
    void Command(WORD code) override;

private:
    const char* ClassName() const override { return "COMBOBOX"; }
    const char* KindName() const override { return "combo"; }
    DWORD Style() const override { return CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP; }
    int ExtraHeightPx() const override;
    bool KeepsDialogKeys() const override;
    void Init() override;
    void ApplyList();
};

class HScrollBarPeer final : public KindPeer<HScrollBar, StandardPeer> {
public:
    using KindPeer::KindPeer;
    void Update(Prop p) override;
    void Scrolled(WPARAM wp) override;

private:
    const char* ClassName() const override { return "SCROLLBAR"; }
    const char* KindName() const override { return "hscroll"; }
    DWORD Style() const override { return SBS_HORZ | WS_TABSTOP; }
    void Init() override;
    void ApplyValue();
    void ApplyRange();
};

class FramePeer final : public KindPeer<Frame, StandardPeer> {
public:
    using KindPeer::KindPeer;

private:
    const char* ClassName() const override { return "BUTTON"; }
    const char* KindName() const override { return "frame"; }
    std::string Text() const override { return model().Caption(); }
    DWORD Style() const override { return BS_GROUPBOX; }
};

class LabelPeer final : public KindPeer<Label, DrawnPeer> {
public:
    using KindPeer::KindPeer;
    bool Windowed() const override { return false; }
    void Paint(HDC dc) override;

private:
    const char* ClassName() const override { return kClasses[0]; }
    const char* KindName() const override { return "label"; }
    std::string Text() const override { return model().Caption(); }
    bool Bordered() const override { return model().Border(); }
};

class PictureBoxPeer final : public KindPeer<PictureBox, DrawnPeer> {
public:
    using KindPeer::KindPeer;
    void Update(Prop p) override;
    void Draw(const DrawOp& op) override;
    int ClientInset() const override;
    void Place() override;
    void Paint(HDC dc) override;

private:
    const char* ClassName() const override { return kClasses[1]; }
    const char* KindName() const override { return "picture"; }
    bool Bordered() const override { return model().Border(); }
    void Init() override;
    void ApplyPicture();
    // Back colour, picture, then the drawing since the last clear.
    void RebuildBacking();
    void ClearBacking(COLORREF color);
    void DrawOnBacking(const DrawOp& op);
    // Only what lies under a drawing operation repaints: a block of the calibration's idle
    // bar must not repaint its whole panel with every label on it (text costs most).
    void InvalidateOp(const DrawOp& op) const;

    LoadedPicture picture_;
    std::unique_ptr<Backing> backing_;
};

class ImagePeer final : public KindPeer<Image, DrawnPeer> {
public:
    using KindPeer::KindPeer;
    void Update(Prop p) override;
    bool Windowed() const override { return false; }
    void Paint(HDC dc) override;

private:
    const char* ClassName() const override { return kClasses[2]; }
    const char* KindName() const override { return "image"; }
    void Init() override;
    void ApplyPicture();

    LoadedPicture picture_;
};

class ShapePeer final : public DrawnPeer {
public:
    using DrawnPeer::DrawnPeer;
    bool Windowed() const override { return false; }
    void Paint(HDC dc) override;

private:
    const char* ClassName() const override { return kClasses[3]; }
    const char* KindName() const override { return "shape"; }
};

// A timer: SetTimer on the form's window, no window of its own.
class TimerPeer final : public KindPeer<Timer, ControlPeer> {
public:
    using KindPeer::KindPeer;
    void Create() override { Apply(); }
    void Update(Prop p) override;
    void Tick() override { model().FireTimer(); }
    bool Live() const override { return true; }

private:
    void Apply() const;
};

}  // namespace ui::win32
