// The ui backend for host tests: every window lives in memory. Tests show forms,
// drive controls through their User* methods, answer message boxes from a script,
// move a fake clock and read back what the program did.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/ui.h"

namespace ui {

class HeadlessBackend : public Backend {
public:
    // A message box as the program showed it, with the answer it got.
    struct MsgBoxRecord {
        std::string text;
        unsigned flags = 0;
        std::string caption;
        int answer = 0;
    };
    // One change the toolkit reported; control is empty for the form itself.
    struct UpdateRecord {
        std::string form;
        std::string control;
        Prop prop;
    };

    HeadlessBackend() = default;

    // Backend.
    void Create(Form& form) override;
    void Destroy(Form& form) override;
    void Update(Form& form, Prop p) override;
    void Update(Control& control, Prop p) override;
    void Draw(Control& control, const DrawOp& op) override;
    void Show(Form& form, bool visible) override;
    void Focus(Form& form) override;
    std::intptr_t Handle(const Form& form) const override;
    // Every copy of a program in a test shares one backend: its forms are all there is.
    bool IsForm(std::intptr_t handle) const override;
    int FrameWidth(const Form& form) const override;
    int FrameHeight(const Form& form) const override;
    bool LoadPictureFile(const std::string& path, Picture& picture) override;
    int MsgBox(const std::string& text, unsigned flags, const std::string& caption) override;
    void Beep() override { ++beeps_; }
    void SetPointer(Pointer p) override { pointers_.push_back(p); }
    ScreenInfo Screen() const override { return screen_; }
    int ShowCursor(bool show) override { return cursorCount_ += show ? 1 : -1; }
    int CursorCount() const { return cursorCount_; }
    // A fixed pitch: 7 x 13 pixels a character at 8.25 points, scaled with the size.
    TextExtent MeasureText(const Font& font, const std::string& text, int wrapWidthPx) const override;
    std::uint32_t TickCount() const override { return now_; }
    // The time of day follows the fake clock; SetTimeOfDay sets it for the current tick.
    double SecondsSinceMidnight() const override;
    void SetTimeOfDay(double secondsSinceMidnight);
    // One pass: no input ever comes by itself, so the clock moves the whole wait (at
    // least 1 ms) and due timers fire, then the posted callbacks run, then the
    // OnDoEvents hook.
    void DoEvents(int maxWaitMs) override;
    // Pumps until the app ends. Gives up (RunStalled) when nothing could ever happen
    // again, or after RunLimit passes; each pass jumps the clock to the next timer when
    // no callback or hook is waiting.
    void Run(App& app) override;

    // The clock starts at 1000 ms. Advance fires the timers falling due on the way, in
    // time order; a timer started at t fires at t + I, t + 2I, ...
    void Advance(std::uint32_t ms);
    // Runs fn in a later DoEvents pass.
    void Post(std::function<void()> fn) { posted_.push_back(std::move(fn)); }
    // Runs at the end of every DoEvents pass, so tests can change the world while a
    // program waits in a loop.
    std::function<void()> OnDoEvents;

    // Message boxes: a hook answers when set, else the next scripted answer, else the
    // first button (OK or Yes).
    std::function<int(const std::string& text, unsigned flags, const std::string& caption)> OnMsgBox;
    void ScriptAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<MsgBoxRecord>& MsgBoxes() const { return msgBoxes_; }

    int BeepCount() const { return beeps_; }
    const std::vector<Pointer>& PointerLog() const { return pointers_; }
    Pointer CurrentPointer() const { return pointers_.empty() ? Pointer::Default : pointers_.back(); }
    // What the user sees over a form: the program-wide hourglass, else the form's own pointer.
    Pointer PointerOver(const Form& form) const {
        return CurrentPointer() == Pointer::Hourglass ? Pointer::Hourglass : form.MousePointer();
    }

    void SetScreen(const ScreenInfo& screen) { screen_ = screen; }

    const std::vector<UpdateRecord>& Updates() const { return updates_; }
    void ClearUpdates() { updates_.clear(); }
    std::size_t DrawCount() const { return draws_; }
    const std::string& FocusedForm() const { return focused_; }
    // The control with the keyboard focus, kept by the form's focus rules (null for none).
    Control* FocusedControl() const { return focusedControl_; }
    // The user's Tab (Shift+Tab with `previous`) and arrow keys (Up or Left with `previous`).
    void PressTab(bool previous = false);
    void PressArrow(bool previous = false);
    bool TimerRunning(const Timer& timer) const { return timers_.count(&timer) != 0; }

    std::size_t RunLimit = 1'000'000;
    bool RunStalled() const { return runStalled_; }
    bool RunLimitHit() const { return runLimitHit_; }

private:
    struct TimerState {
        std::uint32_t due;
        std::uint64_t order;  // ties fire in start order
        bool inHandler;       // its handler is on the stack: a due tick is skipped
    };
    void StartTimer(Timer& timer);
    Timer* NextDue(std::uint32_t until);

    ScreenInfo screen_;
    // The frame of bordered forms in twips (borderless forms have none).
    static constexpr int kFrameWidth = 120, kFrameHeight = 420;
    std::uint32_t now_ = 1000;
    double midnightOffset_ = 12 * 3600.0 - 1.0;  // the clock starts (tick 1000) at noon
    std::map<const Form*, std::intptr_t> handles_;
    std::intptr_t nextHandle_ = 0x10010;
    std::map<Timer*, TimerState, std::less<>> timers_;
    std::uint64_t timerOrder_ = 0;
    std::deque<std::function<void()>> posted_;
    std::deque<int> answers_;
    std::vector<MsgBoxRecord> msgBoxes_;
    int beeps_ = 0;
    int cursorCount_ = 0;
    std::vector<Pointer> pointers_;
    std::vector<UpdateRecord> updates_;
    std::size_t draws_ = 0;
    std::string focused_;
    Control* focusedControl_ = nullptr;
    bool runStalled_ = false, runLimitHit_ = false;
};

}  // namespace ui
