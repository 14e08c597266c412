// The Win32 backend of the ui toolkit: forms as top-level windows, controls as child
// windows of their form (containers flattened), events from window messages, timers from
// SetTimer, drawing from GDI. Each window carries its design name for automation
// (automation.h). One backend per process, used from the thread that created it; it must
// outlive the App that uses it.
#pragma once

#include <memory>

#include "ui/ui.h"

namespace ui {

namespace win32 {
class Session;
}

class Win32Backend final : public Backend {
public:
    Win32Backend();
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    void Create(Form& form) override;
    void Destroy(Form& form) override;
    void Update(Form& form, Prop p) override;
    void Update(Control& control, Prop p) override;
    void Draw(Control& control, const DrawOp& op) override;
    void Show(Form& form, bool visible) override;
    void Focus(Form& form) override;
    std::intptr_t Handle(const Form& form) const override;
    bool IsForm(std::intptr_t handle) const override;
    int FrameWidth(const Form& form) const override;
    int FrameHeight(const Form& form) const override;
    bool LoadPictureFile(const std::string& path, Picture& picture) override;

    int MsgBox(const std::string& text, unsigned flags, const std::string& caption) override;
    void Beep() override;
    void SetPointer(Pointer p) override;
    ScreenInfo Screen() const override;
    int ShowCursor(bool show) override;
    TextExtent MeasureText(const Font& font, const std::string& text, int wrapWidthPx) const override;
    std::uint32_t TickCount() const override;
    double SecondsSinceMidnight() const override;
    void DoEvents(int maxWaitMs) override;
    void Run(App& app) override;

private:
    std::unique_ptr<win32::Session> session_;
};

}  // namespace ui
