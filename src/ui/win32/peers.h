// The native side of a form and its controls. A form's window procedure hands the parent's
// notifications (WM_COMMAND, WM_HSCROLL, WM_CTLCOLOR*) to the peer of the control they are
// about; each kind of control has its own peer type (kind_peers.h), which alone reads that
// kind's properties of the model.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/ui.h"
#include "ui/win32/session.h"

namespace ui::win32 {

inline constexpr UINT_PTR kFirstTimerId = 1000;  // a timer's id is this plus its slot

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK StandardControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK DrawnControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

// The peer a form or control window of ours carries (null before its creation and after
// its WM_NCDESTROY).
template <class T>
T* PeerOf(HWND hwnd) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

class ControlPeer {
public:
    ControlPeer(Control& c, FormPeer& owner, int position) : control(c), form(owner), slot(position) {}
    virtual ~ControlPeer() = default;
    ControlPeer(const ControlPeer&) = delete;
    ControlPeer& operator=(const ControlPeer&) = delete;

    Session& session() const;

    // Makes the native side from the model: a child window of the form, or a timer.
    virtual void Create() = 0;
    // The model changed `p`; called only once Create has run.
    virtual void Update(Prop p) = 0;
    // A drawing operation on a picture box.
    virtual void Draw(const DrawOp&) {}
    // The parent's notifications about this control.
    virtual void Command(WORD) {}
    virtual void Scrolled(WPARAM) {}
    // WM_TIMER of the control's timer.
    virtual void Tick() {}
    // WM_CTLCOLORBTN and WM_CTLCOLORSTATIC: false to leave the colours to Windows.
    virtual bool CtlColor(HDC, LRESULT&) { return false; }
    // The z-order: windowed controls lie above labels, shapes and images.
    virtual bool Windowed() const { return true; }
    // The pixels between the control's edge and the area its contained controls lie in.
    virtual int ClientInset() const { return 0; }
    // Moves the window to the model's geometry.
    virtual void Place() {}
    // The native side exists (a window that failed or is gone takes no updates).
    virtual bool Live() const { return hwnd != nullptr; }

    Control& control;
    FormPeer& form;
    const int slot;  // position in the form's control list: child id and timer id
    HWND hwnd = nullptr;
};

// A control with a child window.
class WindowPeer : public ControlPeer {
public:
    using ControlPeer::ControlPeer;
    void Create() override;
    void Update(Prop p) override;
    void Place() override;

protected:
    virtual const char* ClassName() const = 0;
    virtual const char* KindName() const = 0;  // for automation
    virtual DWORD Style() const = 0;
    // The window's text: the caption of the kinds that have one.
    virtual std::string Text() const { return {}; }
    // The window exists: the rest of its native state from the model.
    virtual void Init() {}
    virtual void ApplyFont() {}
    // Height below the control's own, for a dropped list.
    virtual int ExtraHeightPx() const { return 0; }
    // Repaints the control and whatever lies over it (a transparent label shows it through).
    void InvalidateArea() const;
    void PublishColors() const;
    // Sets a property and a number property of automation together.
    void PublishValue(const char* prop, int value) const;
};

// Buttons, options, check boxes, combo boxes, scroll bars and frames: a system class does
// the work; we tell the model of mouse and key input first.
class StandardPeer : public WindowPeer {
public:
    using WindowPeer::WindowPeer;
    bool CtlColor(HDC dc, LRESULT& brush) override;
    // Mouse and key messages, told to the model. False when the message is no input of ours.
    bool TellInput(UINT msg, WPARAM wp, LPARAM lp);

    WNDPROC baseProc = nullptr;  // the system class's procedure

protected:
    void Init() override;
    void ApplyFont() override;
    // An open drop-down list takes Enter and Esc for itself.
    virtual bool KeepsDialogKeys() const { return false; }
};

// Labels, picture boxes, images and shapes: painted by us; a left press and release on the
// control is a click.
class DrawnPeer : public WindowPeer {
public:
    static constexpr const char* kClasses[] = {"KesmaLabel", "KesmaPicture", "KesmaImage", "KesmaShape"};

    using WindowPeer::WindowPeer;
    void Update(Prop p) override;
    // The client area, on `dc` (a paint, a print, or the underlay of a control above).
    virtual void Paint(HDC dc) = 0;

    bool leftPressed = false;  // a left press on the control that may become a click

protected:
    DWORD Style() const override;
    // A single-line border, for the kinds that may have one.
    virtual bool Bordered() const { return false; }
    // What lies under a control that lets it show through: the back colour of its container
    // (or form), then our own controls below it (its picture box, a shape), bottom first.
    void PaintUnderlay(HDC dc, const RECT& rc);
    void PaintBackground(HDC dc, const RECT& rc);
};

// The peer of a control of the model's kind.
std::unique_ptr<ControlPeer> MakePeer(Control& control, FormPeer& form, int slot);

class FormPeer {
public:
    FormPeer(Form& f, Session& s) : form(f), session(s) {}
    FormPeer(const FormPeer&) = delete;
    FormPeer& operator=(const FormPeer&) = delete;

    // The outer rectangle in screen pixels; a maximised form covers the screen.
    RECT Rect() const;
    void Place();
    // A maximised form takes the screen's size: the model learns its client size, and the
    // form hears of it as a resize. Otherwise the model's size is the window's.
    void SyncClientSize();
    // The keyboard focus by the form's rules (Form::NextTabStop): the tab order is the order
    // the form added its controls, whatever the z-order (which the painting needs), so the
    // toolkit walks it itself instead of the dialog manager.
    // The form gets the focus back (activation, a closed box): to the control that had it
    // while that is still a tab stop, else to the first.
    void FocusInside();
    // Before a control is disabled or hidden (the model says so already): the focus on it,
    // or inside it, moves on to the next tab stop, or to the form when there is none.
    void LeaveFocus();
    // Tab, Shift+Tab and the arrows on one of our controls that does not take them itself;
    // false to leave the key to the dialog manager and the control.
    bool Navigate(const MSG& m);
    // Contained controls lie above their containers, windowed controls above labels,
    // shapes and images, and a later control above an earlier one.
    void ArrangeZOrder();
    // The peers of a control and of everything inside it.
    std::vector<ControlPeer*> Subtree(const Control& c) const;
    // The top-left of a container's client area in form client pixels (the form's for none).
    POINT Origin(const Control* container) const;
    // The peer of ours that sent a notification from window `lp`; null for others.
    ControlPeer* Sender(LPARAM lp) const;
    // The window of a control of this form; the form's own for none.
    HWND WindowOf(const Control* c) const;
    // The control with the keyboard focus, when it is one of this form's.
    Control* FocusedControl() const;

    Form& form;
    Session& session;
    HWND hwnd = nullptr;
    bool ready = false;  // the controls exist
    HWND lastFocus = nullptr;
    std::vector<std::unique_ptr<ControlPeer>> controls;
};

// The style of a form's window; no WS_CLIPCHILDREN: group boxes and option buttons show the
// form's background.
DWORD FormStyle(const Form& form);
DWORD FormExStyle(const Form& form);
// The frame around a form's client area in pixels.
SIZE FrameSize(const Form& form);

}  // namespace ui::win32
