#include "ui/headless/headless.h"

#include "ui/bitmap_header.h"

#include <cmath>

#include <algorithm>
#include <iterator>

namespace ui {

void HeadlessBackend::Create(Form& form) {
    handles_[&form] = nextHandle_;
    nextHandle_ += 4;
    for (const auto& c : form.Controls()) {
        if (c->kind() == Kind::Timer) StartTimer(static_cast<Timer&>(*c));
    }
    if (form.Maximized()) Update(form, Prop::WindowState);
}

void HeadlessBackend::Destroy(Form& form) {
    if (focusedControl_ && &focusedControl_->form() == &form) focusedControl_ = nullptr;
    handles_.erase(&form);
    std::erase_if(timers_, [&form](const auto& t) { return &t.first->form() == &form; });
}

void HeadlessBackend::Update(Form& form, Prop p) {
    updates_.push_back({form.name(), "", p});
    if (p == Prop::WindowState && form.Maximized()) {
        form.SetClientSize(screen_.widthTwips - FrameWidth(form), screen_.heightTwips - FrameHeight(form));
    }
}

void HeadlessBackend::Update(Control& control, Prop p) {
    updates_.push_back({control.form().name(), control.DesignName(), p});
    if (p == Prop::Timer) StartTimer(static_cast<Timer&>(control));
    // The focus leaves a control that is disabled or hidden for the next in tab order.
    if ((p == Prop::Enabled || p == Prop::Visible) && focusedControl_ && !focusedControl_->Reachable()) {
        focusedControl_ = focusedControl_->form().NextTabStop(focusedControl_);
    }
}

void HeadlessBackend::Draw(Control&, const DrawOp&) { ++draws_; }

void HeadlessBackend::Show(Form& form, bool visible) {
    if (visible) focusedControl_ = form.FocusTarget(focusedControl_);  // shown and activated
}

void HeadlessBackend::Focus(Form& form) {
    focused_ = form.name();
    focusedControl_ = form.FocusTarget(focusedControl_);
}

void HeadlessBackend::PressTab(bool previous) {
    if (!focusedControl_) return;
    if (Control* next = focusedControl_->form().NextTabStop(focusedControl_, previous)) focusedControl_ = next;
}

void HeadlessBackend::PressArrow(bool previous) {
    if (!focusedControl_) return;
    if (Control* next = focusedControl_->form().NextInGroup(*focusedControl_, previous)) {
        focusedControl_ = next;
        next->UserClick();
    }
}

std::intptr_t HeadlessBackend::Handle(const Form& form) const {
    const auto it = handles_.find(&form);
    return it == handles_.end() ? 0 : it->second;
}

bool HeadlessBackend::IsForm(std::intptr_t handle) const {
    return std::any_of(handles_.begin(), handles_.end(), [handle](const auto& h) { return h.second == handle; });
}

int HeadlessBackend::FrameWidth(const Form& form) const { return form.Borderless() ? 0 : kFrameWidth; }
int HeadlessBackend::FrameHeight(const Form& form) const { return form.Borderless() ? 0 : kFrameHeight; }

bool HeadlessBackend::LoadPictureFile(const std::string& path, Picture& picture) {
    return ReadBitmapSize(path, picture.widthPx, picture.heightPx);
}

int HeadlessBackend::MsgBox(const std::string& text, unsigned flags, const std::string& caption) {
    int answer = (flags & 0xF) == kMbYesNo ? kIdYes : kIdOk;
    if (OnMsgBox) {
        const auto hook = OnMsgBox;
        answer = hook(text, flags, caption);
    } else if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    msgBoxes_.push_back({text, flags, caption, answer});
    return answer;
}

void HeadlessBackend::StartTimer(Timer& timer) {
    const bool running = timer.Enabled() && timer.Interval() > 0;
    const auto it = timers_.find(&timer);
    if (!running) {
        if (it != timers_.end()) timers_.erase(it);
        return;
    }
    // A timer restarted inside its own handler is still on the stack.
    const bool inHandler = it != timers_.end() && it->second.inHandler;
    timers_[&timer] = {now_ + static_cast<std::uint32_t>(timer.Interval()), timerOrder_++, inHandler};
}

Timer* HeadlessBackend::NextDue(std::uint32_t until) {
    Timer* best = nullptr;
    const TimerState* bestState = nullptr;
    for (const auto& [timer, state] : timers_) {
        if (state.due > until) continue;
        if (!bestState || state.due < bestState->due ||
            (state.due == bestState->due && state.order < bestState->order)) {
            best = timer;
            bestState = &state;
        }
    }
    return best;
}

void HeadlessBackend::Advance(std::uint32_t ms) {
    const std::uint32_t target = now_ + ms;
    while (Timer* timer = NextDue(target)) {
        TimerState& state = timers_.at(timer);
        now_ = std::max(now_, state.due);  // a nested pass may have moved the clock on already
        state.due += static_cast<std::uint32_t>(timer->Interval());
        // A tick that falls due while the handler is still running is lost, as with
        // native timers.
        if (state.inHandler) continue;
        state.inHandler = true;
        timer->FireTimer();
        const auto it = timers_.find(timer);
        if (it != timers_.end()) it->second.inHandler = false;
    }
    now_ = std::max(now_, target);
}

double HeadlessBackend::SecondsSinceMidnight() const {
    return std::fmod(midnightOffset_ + now_ / 1000.0, 86400.0);
}

void HeadlessBackend::SetTimeOfDay(double secondsSinceMidnight) {
    midnightOffset_ = secondsSinceMidnight - now_ / 1000.0;
}

void HeadlessBackend::DoEvents(int maxWaitMs) {
    Advance(static_cast<std::uint32_t>(maxWaitMs < 1 ? 1 : maxWaitMs));
    std::deque<std::function<void()>> batch;
    batch.swap(posted_);
    for (auto& fn : batch) fn();
    if (OnDoEvents) {
        const auto hook = OnDoEvents;
        hook();
    }
}

void HeadlessBackend::Run(App& app) {
    runStalled_ = runLimitHit_ = false;
    for (std::size_t pass = 0; !app.Ended(); ++pass) {
        if (pass == RunLimit) {
            runLimitHit_ = true;
            return;
        }
        if (!posted_.empty() || OnDoEvents) {
            app.DoEvents();
            continue;
        }
        // Only a timer can change anything now: go straight to the next one.
        if (timers_.empty()) {
            runStalled_ = true;
            return;
        }
        const auto next = std::min_element(timers_.begin(), timers_.end(), [](const auto& a, const auto& b) {
            return a.second.due < b.second.due;
        });
        Advance(next->second.due > now_ ? next->second.due - now_ : 0);
        app.Reap();
    }
}

TextExtent HeadlessBackend::MeasureText(const Font& font, const std::string& text, int wrapWidthPx) const {
    const double scale = font.size / 8.25;
    const int charWidth = std::max(1, static_cast<int>(7 * scale + 0.5));
    const int lineHeight = static_cast<int>(13 * scale + 0.5);
    const int width = charWidth * static_cast<int>(text.size());
    if (wrapWidthPx <= 0 || width <= wrapWidthPx) return {width, lineHeight};
    const std::size_t perLine = static_cast<std::size_t>(std::max(1, wrapWidthPx / charWidth));
    int lines = 0;
    for (std::size_t at = 0; at < text.size(); ++lines) {
        std::size_t end = std::min(text.size(), at + perLine);
        if (end < text.size()) {
            const std::size_t blank = text.rfind(' ', end);
            if (blank != std::string::npos && blank > at) end = blank + 1;
        }
        at = end;
    }
    return {wrapWidthPx, lines * lineHeight};
}

}  // namespace ui
