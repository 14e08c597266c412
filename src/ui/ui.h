// The ui toolkit: forms with named controls, shaped like the windows the programs
// describe. Forms and their handlers are written once against this API; a Backend
// (headless for tests, win32 for the product) makes them real. A form makes its controls
// with Add<T> as the typed controls of ui/controls.h (ui::Button, ui::HScrollBar, ...) and
// holds them as members named by design name; look-ups by name are for tests and automation.
//
// Units: form and control geometry is in twips (1/1440 inch), control positions
// relative to their container's client area. Drawing and mouse coordinates are in
// pixels of the control's (or form's) client area.
//
// Events follow the classic form model: setting a value from code fires the event
// a user change fires (scroll bar Value -> Change when it changes; check box Value
// -> Click when it changes; option button Value = 1 -> Click, and the other options
// of the same container are cleared; combo ListIndex -> Click). The User* methods
// are what a backend (or a headless test) calls for real user input.
//
// Rules the forms can rely on:
// - Code-driven events fire only while the form is loaded (OnLoad included): the
//   properties a form's constructor sets are its design, and run no handlers.
// - User input reaches only what a user could reach: a loaded, visible form and a
//   control that is visible and enabled, as are all its containers.
// - Setting a property to the value it has does nothing; otherwise a loaded form's
//   backend is told (Backend::Update) what changed.
// - A handler may unload its own form, or end the app, and return: forms are freed
//   only by App::Reap, and only while no handler is running.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

using Color = std::uint32_t;  // 0x00BBGGRR
constexpr Color Rgb(unsigned r, unsigned g, unsigned b) { return (b << 16) | (g << 8) | r; }
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kTeal = 0x808000;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kButtonFace = 0x8000000F;  // the system colour of button faces
constexpr Color kWindowText = 0x80000008;
constexpr bool IsSystemColor(Color c) { return (c & 0x80000000u) != 0; }

// Mouse buttons and shift state as handlers receive them.
constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;
// Key codes of the keys the toolkit itself answers.
constexpr int kKeyEnter = 13, kKeyEsc = 27;

// Message box style flags and answers (the Win32 values).
constexpr unsigned kMbOk = 0x0, kMbOkCancel = 0x1, kMbYesNo = 0x4;
constexpr unsigned kMbIconError = 0x10, kMbIconQuestion = 0x20, kMbIconWarning = 0x30,
                   kMbIconInformation = 0x40;
constexpr unsigned kMbDefButton2 = 0x100, kMbSystemModal = 0x1000;
constexpr int kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7;

enum class Kind { Label, Button, OptionButton, CheckBox, ComboBox, HScrollBar, Frame, PictureBox, Image, Shape, Timer };
enum class Align { Left, Right, Center };
enum class Pointer { Default, Hourglass };

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool operator==(const Font&) const = default;
};

// A picture held by a picture box, image or button: a bitmap file, the program's
// icon, or nothing. Size in pixels. A copy shares the file's image as the backend loaded
// it (`loaded`, the backend's own; null when it has none): the file is read once.
struct Picture {
    enum class Source { None, File, Icon } source = Source::None;
    std::string path;
    int widthPx = 0;
    int heightPx = 0;
    std::shared_ptr<void> loaded;
    bool operator==(const Picture&) const = default;
};

// One drawing operation on a picture box, in pixels.
struct DrawOp {
    enum class Type { Clear, Point, Line, Box, FilledBox, Text } type = Type::Clear;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color = kBlack;
    int width = 1;
    std::string text;
    Font font;
    bool operator==(const DrawOp&) const = default;
};

// What a backend is told changed.
enum class Prop {
    Caption, Geometry, Visible, Enabled, ForeColor, BackColor, Font, Alignment, Border, Value, Range,
    List, ListIndex, Picture, Timer, Default, KeyPreview, TopMost, WindowState, MousePointer
};

struct TextExtent {
    int widthPx = 0;
    int heightPx = 0;
};

// The screen and its units. Twips per pixel is 1440 / DPI exactly (7.5 at 192 DPI); every
// conversion between twips and pixels, the forms' and the backend's alike, goes through
// these functions, so a position a form computes from pixels lands on that pixel.
struct ScreenInfo {
    int widthTwips = 15360;  // 1024 px
    int heightTwips = 11520; // 768 px
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;

    // Rounded to the nearest, halves away from zero.
    int PixelsToTwipsX(int px) const;
    int PixelsToTwipsY(int px) const;
    int TwipsToPixelsX(int twips) const;
    int TwipsToPixelsY(int twips) const;
    // The units of a screen of `dpiX` x `dpiY` dots per inch; sizes stay as they are.
    void SetDpi(int dpiX, int dpiY);
};

class App;
class Form;

// What every control has: its place in the form, geometry, visibility, colours and font.
// A control is made by Form::Add as one of the typed controls below, which offer their
// kind's properties and events; the state of all kinds lives here.
class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 when not part of a control array
    std::string DesignName() const;        // "cmdApply" or "optFeedbackSound(2)"
    Form& form() const { return form_; }
    Control* container() const { return container_; }

    // Geometry in twips, relative to the container's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void Move(int left, int top, int width, int height);
    // Client size in twips: the whole control less a single-line border.
    int ScaleWidth() const;
    int ScaleHeight() const;

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }  // for timers: running
    void SetEnabled(bool v);

    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color c);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    bool BackTransparent() const { return backTransparent_; }
    void SetBackTransparent(bool v);
    const Font& GetFont() const { return font_; }
    void SetFont(const Font& f);

    // True when a user could reach the control: see the rules at the top.
    bool Reachable() const;

    // Real user input (backends, headless tests): any control can be clicked or pointed
    // at; a kind without the event ignores it.
    void UserClick();  // button, label, image, picture, frame: Click; option: select;
                       // check box: toggle
    void UserDblClick();
    void UserMouseDown(int button, int shift, int x, int y);
    void UserMouseUp(int button, int shift, int x, int y);
    void UserMouseMove(int button, int shift, int x, int y);

protected:
    Control(Form& form, Kind kind, std::string name, int index, Control* container);

    // Text of labels, buttons, options, check boxes and frames, ampersands as stored
    // ("&Apply" marks A; "&&" shows one ampersand).
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);

    Align Alignment() const { return alignment_; }
    void SetAlignment(Align a);
    bool Border() const { return border_; }  // single-line border
    void SetBorder(bool v);
    // One default and one cancel button per form: setting one clears the others.
    // The backend hears of both as Prop::Default.
    bool IsDefault() const { return default_; }  // button answering Enter
    void SetDefault(bool v);
    bool IsCancel() const { return cancel_; }  // button answering Esc
    void SetCancel(bool v);

    // Option and check box: 0 or 1; scroll bar: its position (clamped to Min..Max).
    int Value() const { return value_; }
    void SetValue(int v);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int SmallChange() const { return smallChange_; }
    int LargeChange() const { return largeChange_; }
    // Moves Value into the new range without an event.
    void SetRange(int min, int max, int smallChange, int largeChange);

    // Combo box list.
    void AddItem(const std::string& item);
    void ClearList();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int i) const { return items_.at(static_cast<std::size_t>(i)); }
    const std::vector<std::string>& Items() const { return items_; }
    int ListIndex() const { return listIndex_; }  // -1 when nothing is selected
    void SetListIndex(int i);  // -1..ListCount()-1; other values are ignored

    // Timer: a timer runs while Enabled with an Interval above 0; the backend hears of
    // changes to either as Prop::Timer, and each change restarts the period.
    int Interval() const { return interval_; }
    void SetInterval(int ms);

    // Pictures. LoadPicture reads a bitmap file; false (and no picture) when it cannot.
    // A control with AutoSize takes the picture's size (plus its border).
    const Picture& GetPicture() const { return picture_; }
    bool LoadPicture(const std::string& path);
    void SetPicture(const Picture& p);
    // The program's icon, shown sizeTwips square: loaded at that size in pixels of the
    // screen's DPI (32 at 96 DPI for 480 twips, 64 at 192).
    void SetIconPicture(int sizeTwips = 480);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v) {
        autoSize_ = v;
        TakePictureSize();
    }

    // Drawing on a picture box, in pixels, with ForeColor and DrawWidth.
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(int w) { drawWidth_ = w < 1 ? 1 : w; }
    int CurrentX() const { return currentX_; }
    int CurrentY() const { return currentY_; }
    void Cls();                                         // clear to BackColor; pen to 0, 0
    void PSet(int x, int y);                            // one point of the pen width
    void LineTo(int x, int y);                          // from the current position
    void Line(int x1, int y1, int x2, int y2);
    void Box(int x1, int y1, int x2, int y2, bool filled, Color color);
    const std::vector<DrawOp>& DrawOps() const { return drawOps_; }  // since the last Cls

    // Events; handlers take the control array index from their capture.
    std::function<void()> OnClick, OnDblClick, OnChange, OnScroll, OnTimer;
    std::function<void(int button, int shift, int x, int y)> OnMouseDown, OnMouseUp, OnMouseMove;

    // Real user input of a kind's own (backends, headless tests).
    void UserSetValue(int v);       // scroll bar moved and released: Value and Change
                                    // (Change also when a drag already moved it there)
    void UserScroll(int v);         // scroll bar thumb dragged: Value and Scroll
    void UserSelect(int listIndex); // combo box choice
    void FireTimer();  // OnTimer, when the timer is running and its form loaded

private:
    friend class Form;
    template <class Owner, class T>
    friend void SetProperty(Owner& owner, T& field, const T& value, Prop p);
    void Changed(Prop p);
    // Default and cancel: one control of a form at most holds each.
    void SetExclusive(bool Control::*flag, bool v);
    void Draw(const DrawOp& op);
    // A point, line or box in the draw width, from (x1, y1) to (x2, y2), where the pen stays.
    void DrawShape(DrawOp::Type type, int x1, int y1, int x2, int y2, Color color);
    void SetValueSilently(int v);
    int Clamp(int v) const;
    void TakePictureSize();

    Form& form_;
    Kind kind_;
    std::string name_;
    int index_;
    Control* container_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    std::string caption_;
    bool visible_ = true, enabled_ = true;
    Color foreColor_ = kWindowText, backColor_ = kButtonFace;
    bool backTransparent_ = false;
    Font font_;
    Align alignment_ = Align::Left;
    bool border_ = false, default_ = false, cancel_ = false;
    int value_ = 0, min_ = 0, max_ = 32767, smallChange_ = 1, largeChange_ = 1;
    std::vector<std::string> items_;
    int listIndex_ = -1;
    int interval_ = 0;
    Picture picture_;
    bool autoSize_ = false;
    int drawWidth_ = 1, currentX_ = 0, currentY_ = 0;
    std::vector<DrawOp> drawOps_;
    bool dragged_ = false;  // a thumb drag moved the value since the last Change
};

class Form {
public:
    Form(App& app, std::string name, int clientWidthTwips, int clientHeightTwips);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    App& app() const { return app_; }
    const std::string& name() const { return name_; }

    // Adds a control of type T (ui::Button, ui::HScrollBar, ...); the form owns it.
    // index -1 for a single control.
    template <class T>
    T& Add(const std::string& name, int left, int top, int width, int height, Control* container = nullptr,
           int index = -1) {
        auto control = std::make_unique<T>(*this, name, index, container);
        T& ref = *control;
        ref.Move(left, top, width, height);
        controls_.push_back(std::move(control));
        return ref;
    }
    // Look-ups by design name, for tests and automation; forms hold their controls.
    Control* Find(const std::string& name, int index = -1) const;
    Control& Ctl(const std::string& name, int index = -1) const;  // throws std::out_of_range
    // Throws std::out_of_range when there is no such control, std::invalid_argument when
    // it is not a T.
    template <class T>
    T& Ctl(const std::string& name, int index = -1) const {
        Control& c = Ctl(name, index);
        if (c.kind() != T::kKind) ThrowWrongKind(c, T::kKind);
        return static_cast<T&>(c);
    }
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& text);
    // Outer geometry in twips (frame included).
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const;
    int Height() const;
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);   // outer width; the client area follows
    void SetHeight(int v);
    // Client area in twips.
    int ScaleWidth() const { return clientWidth_; }
    int ScaleHeight() const { return clientHeight_; }
    void SetClientSize(int widthTwips, int heightTwips);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color c);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v);
    bool Borderless() const { return borderless_; }
    void SetBorderless(bool v) { borderless_ = v; }  // before Load
    bool Maximized() const { return maximized_; }
    void SetMaximized(bool v);
    bool TopMost() const { return topMost_; }
    void SetTopMost(bool v);
    // Show makes the window visible (and restores it when minimised) without taking the
    // activation from the window the user works in.
    bool ShowsInactive() const { return showsInactive_; }
    void SetShowsInactive(bool v) { showsInactive_ = v; }
    // The pointer over this form's windows only, for its own busy work; App::SetPointer is
    // the program-wide one, which wins over it.
    Pointer MousePointer() const { return mousePointer_; }
    void SetMousePointer(Pointer p);

    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    // Load creates the native window and runs OnLoad; Show loads when needed, shows
    // the window and runs OnResize (first show after a load) and OnActivate; Unload
    // runs OnUnload and destroys the window. Nothing loads once the app has ended.
    // When no form is left loaded the app has ended.
    void Load();
    void Show();
    void Hide();
    void Unload();
    void SetFocus();
    std::intptr_t Handle() const;  // the native window handle (0 before Load)

    // The keyboard focus; the backend keeps which control has it. The tab order is the
    // order the controls were added. A tab stop is a reachable button, check box, combo box,
    // scroll bar or chosen option: an option group (the options of one container) is one
    // stop, and a focus move the program makes (reactivation, a control disabled or hidden)
    // never lands on an option that is not chosen, which Windows would choose by itself.
    // The tab stop after `from` (before it with `previous`), wrapping; the first (last) for
    // none; null when the form has none.
    Control* NextTabStop(const Control* from, bool previous = false) const;
    // Where the focus goes back to: `last` while it is still a tab stop, else the first one.
    Control* FocusTarget(Control* last) const;
    // The option an arrow key moves to from the focused option: the next (previous) reachable
    // option of its group, wrapping; null when `focused` is no option or has no other. The
    // backend moves the focus there, then chooses it with UserClick, as Windows does.
    Control* NextInGroup(const Control& focused, bool previous) const;

    std::function<void()> OnLoad, OnActivate, OnUnload, OnResize, OnDblClick;
    std::function<void(int keyCode, int shift)> OnKeyDown;
    std::function<void(int ascii)> OnKeyPress;
    std::function<void(int button, int shift, int x, int y)> OnMouseDown, OnMouseUp;
    // WM_USER sent to the form's window; the result goes back to the sender.
    std::function<std::intptr_t(std::uintptr_t wParam, std::intptr_t lParam)> OnUserMessage;

    // Real user input (backends, headless tests). Key events honour KeyPreview:
    // the form's handler runs before the focused control sees the key. Without it
    // the form hears keys only when it has no control that can take the focus.
    // Enter clicks the focused push button, else the default button; Esc the cancel
    // button (after the preview). `focused` is the control with the input focus, if any.
    void UserKeyDown(int keyCode, int shift, Control* focused = nullptr);
    void UserKeyPress(int ascii);
    void UserMouseDown(int button, int shift, int x, int y);
    void UserMouseUp(int button, int shift, int x, int y);
    void UserDblClick();
    void FireActivate();  // not re-entered while its handler runs
    void FireResize();
    std::intptr_t FireUserMessage(std::uintptr_t wParam, std::intptr_t lParam);

private:
    friend class Control;
    friend class App;
    template <class Owner, class T>
    friend void SetProperty(Owner& owner, T& field, const T& value, Prop p);
    void Changed(Prop p);
    void Changed(Control& c, Prop p);
    void DestroySilently();
    bool Reachable() const { return loaded_ && visible_; }
    bool HasFocusableControl() const;
    [[noreturn]] void ThrowWrongKind(const Control& c, Kind wanted) const;
    template <class... P, class... A>
    void Fire(const std::function<void(P...)>& handler, A... args);

    App& app_;
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::string caption_;
    int left_ = 0, top_ = 0, clientWidth_, clientHeight_;
    Color backColor_ = kButtonFace;
    bool keyPreview_ = false, borderless_ = false, maximized_ = false, topMost_ = false, showsInactive_ = false;
    Pointer mousePointer_ = Pointer::Default;
    bool loaded_ = false, visible_ = false, inActivate_ = false;
    bool unloading_ = false, shownSinceLoad_ = false;
    bool unloaded_ = false;  // was loaded and is no more: App::Reap may free it
};

// The native side of the toolkit.
class Backend {
public:
    virtual ~Backend() = default;
    virtual void Create(Form& form) = 0;   // native window and controls, hidden
    virtual void Destroy(Form& form) = 0;
    virtual void Update(Form& form, Prop p) = 0;
    virtual void Update(Control& control, Prop p) = 0;
    virtual void Draw(Control& control, const DrawOp& op) = 0;
    virtual void Show(Form& form, bool visible) = 0;
    virtual void Focus(Form& form) = 0;
    virtual std::intptr_t Handle(const Form& form) const = 0;
    // True when the native window `handle` is a form of this toolkit, in this process or
    // another one (a second copy of a program).
    virtual bool IsForm(std::intptr_t handle) const = 0;
    // The frame around a form's client area, in twips (0 for a borderless form).
    virtual int FrameWidth(const Form& form) const = 0;
    virtual int FrameHeight(const Form& form) const = 0;
    // Reads a bitmap file's size; false when the file is not a loadable bitmap.
    virtual bool LoadPictureFile(const std::string& path, Picture& picture) = 0;

    virtual int MsgBox(const std::string& text, unsigned flags, const std::string& caption) = 0;
    virtual void Beep() = 0;
    virtual void SetPointer(Pointer p) = 0;
    virtual ScreenInfo Screen() const = 0;
    // ShowCursor: the display counter moved by one up (show) or down; returns the new count.
    virtual int ShowCursor(bool show) = 0;
    // The pixel size of a text in a font: one line when wrapWidthPx is 0, else broken
    // at blanks into lines of at most wrapWidthPx, as a word-wrapping label shows it.
    virtual TextExtent MeasureText(const Font& font, const std::string& text, int wrapWidthPx) const = 0;
    virtual std::uint32_t TickCount() const = 0;
    // The local time of day in seconds since midnight, with its fraction.
    virtual double SecondsSinceMidnight() const = 0;
    // One pass of the pump: waits for window input maxWaitMs at most (less when input
    // comes), then handles what is pending.
    virtual void DoEvents(int maxWaitMs) = 0;
    virtual void Run(App& app) = 0;  // pump until app.Ended()
};

// One program's forms and the services the forms share.
class App {
public:
    App(Backend& backend, std::string title);
    ~App();

    Backend& backend() const { return backend_; }
    const std::string& Title() const { return title_; }  // the default message-box caption

    // Creates a form owned by the app (not yet loaded).
    template <class F, class... Args>
    F& Create(Args&&... args) {
        auto form = std::make_unique<F>(*this, std::forward<Args>(args)...);
        F& ref = *form;
        forms_.push_back(std::move(form));
        return ref;
    }
    Form* FindForm(const std::string& name) const;  // a loaded form by design name
    bool IsForm(std::intptr_t handle) const { return backend_.IsForm(handle); }
    const std::vector<std::unique_ptr<Form>>& Forms() const { return forms_; }

    int MsgBox(const std::string& text, unsigned flags = kMbOk, const std::string& caption = "");
    void Beep() { backend_.Beep(); }
    void SetPointer(Pointer p) { backend_.SetPointer(p); }
    ScreenInfo Screen() const { return backend_.Screen(); }
    int ShowCursor(bool show) { return backend_.ShowCursor(show); }
    TextExtent MeasureText(const Font& font, const std::string& text, int wrapWidthPx = 0) const {
        return backend_.MeasureText(font, text, wrapWidthPx);
    }
    std::uint32_t TickCount() const { return backend_.TickCount(); }
    double SecondsSinceMidnight() const { return backend_.SecondsSinceMidnight(); }
    // One pass of the pump. A poll loop passes how long it may wait for input before its
    // next poll, so that waiting costs no CPU. Loops measure time with TickCount, never by
    // counting passes: on Windows a wait shorter than the timer period (about 15.6 ms)
    // rounds up to it, under Wine it does not.
    void DoEvents(int maxWaitMs = 1);
    // Handles window input until `ms` have passed on the tick count, or the app ends.
    void Wait(std::uint32_t ms);

    // Runs until the last form unloads or End. Returns the exit code.
    int Run();
    // Ends the program at once: forms are destroyed without their unload handlers.
    void End(int exitCode = 0);
    // The session ends (log-off, shutdown): every loaded form is unloaded with its unload
    // handler, forms waiting in a loop included, and nothing loads any more; the app has
    // then ended.
    void EndSession();
    // End was called, or no form is loaded.
    bool Ended() const;
    int ExitCode() const { return exitCode_; }

    // Frees forms that have been unloaded; the pump calls it between events. While a
    // handler runs (a wait loop calling DoEvents, say) it frees nothing, so no code
    // still running on behalf of a form can find it gone; references to a form must
    // not be kept past its unload.
    void Reap();

private:
    friend class Form;
    friend class EventScope;

    Backend& backend_;
    std::string title_;
    std::vector<std::unique_ptr<Form>> forms_;
    bool ended_ = false;
    int exitCode_ = 0;
    int eventDepth_ = 0;  // handlers running, nested ones included
};

}  // namespace ui

// The typed controls come with the toolkit.
#include "ui/controls.h"
