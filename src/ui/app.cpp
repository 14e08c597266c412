#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/event_scope.h"

namespace ui {

// The screen's units.

namespace {

int Rounded(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

int ScreenInfo::PixelsToTwipsX(int px) const { return Rounded(px * twipsPerPixelX); }
int ScreenInfo::PixelsToTwipsY(int px) const { return Rounded(px * twipsPerPixelY); }
int ScreenInfo::TwipsToPixelsX(int twips) const { return Rounded(twips / twipsPerPixelX); }
int ScreenInfo::TwipsToPixelsY(int twips) const { return Rounded(twips / twipsPerPixelY); }

void ScreenInfo::SetDpi(int dpiX, int dpiY) {
    constexpr double kTwipsPerInch = 1440;
    twipsPerPixelX = kTwipsPerInch / (dpiX > 0 ? dpiX : 96);
    twipsPerPixelY = kTwipsPerInch / (dpiY > 0 ? dpiY : 96);
}

App::App(Backend& backend, std::string title) : backend_(backend), title_(std::move(title)) {}

App::~App() {
    for (auto& f : forms_) {
        if (f->loaded_) f->DestroySilently();
    }
}

Form* App::FindForm(const std::string& name) const {
    for (const auto& f : forms_) {
        if (f->loaded_ && f->name_ == name) return f.get();
    }
    return nullptr;
}

int App::MsgBox(const std::string& text, unsigned flags, const std::string& caption) {
    return backend_.MsgBox(text, flags, caption.empty() ? title_ : caption);
}

void App::DoEvents(int maxWaitMs) {
    backend_.DoEvents(maxWaitMs < 0 ? 0 : maxWaitMs);
    Reap();
}

void App::Wait(std::uint32_t ms) {
    const std::uint32_t start = TickCount();
    for (;;) {
        const std::uint32_t elapsed = TickCount() - start;  // unsigned: right across the wrap
        if (Ended() || elapsed >= ms) return;
        DoEvents(static_cast<int>(ms - elapsed < 1000 ? ms - elapsed : 1000));
    }
}

int App::Run() {
    backend_.Run(*this);
    return exitCode_;
}

void App::End(int exitCode) {
    if (!ended_) exitCode_ = exitCode;
    ended_ = true;
    for (auto& f : forms_) {
        if (f->loaded_) f->DestroySilently();
    }
}

void App::EndSession() {
    if (ended_) return;
    ended_ = true;  // an unload handler that shows another form loads nothing new
    // Newest first: a dialog's unload may bring back the window that opened it.
    for (std::size_t i = forms_.size(); i-- > 0;) {
        if (i < forms_.size() && forms_[i]->loaded_) forms_[i]->Unload();
    }
    for (auto& f : forms_) {
        if (f->loaded_) f->DestroySilently();
    }
}

bool App::Ended() const {
    return ended_ || std::none_of(forms_.begin(), forms_.end(), [](const auto& f) { return f->loaded_; });
}

void App::Reap() {
    if (eventDepth_ > 0) return;
    std::erase_if(forms_, [](const auto& f) { return f->unloaded_ && !f->loaded_; });
}

}  // namespace ui
