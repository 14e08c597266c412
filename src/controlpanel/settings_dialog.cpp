#include "controlpanel/settings_dialog.h"

namespace kesma::controlpanel {

namespace {
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 150;
constexpr int kContentRight = 6060;
}  // namespace

SettingsDialog::SettingsDialog(ui::App& app, ControlPanel& cp, const std::string& name, int clientHeight)
    : ui::Form(app, name, kClientWidth, clientHeight), cp_(cp) {
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
}

void SettingsDialog::AddButtonRow(int top) {
    const int okLeft = kContentRight - 2 * kButtonWidth - kButtonGap;
    ui::Control& apply =
        Add(ui::Kind::Button, "cmdApply", okLeft - kButtonWidth - kButtonGap, top, kButtonWidth, kButtonHeight);
    apply.SetCaption("&Apply");
    apply.SetEnabled(false);
    apply.OnClick = [this] { cmdApply_Click(); };

    ui::Control& ok = Add(ui::Kind::Button, "cmdOK", okLeft, top, kButtonWidth, kButtonHeight);
    ok.SetCaption("&OK");
    ok.SetDefault(true);
    ok.OnClick = [this] { cmdOK_Click(); };

    ui::Control& cancel =
        Add(ui::Kind::Button, "cmdCandel", kContentRight - kButtonWidth, top, kButtonWidth, kButtonHeight);
    cancel.SetCaption("&Cancel");
    cancel.SetCancel(true);
    cancel.OnClick = [this] { cmdCandel_Click(); };
}

ui::Control& SettingsDialog::AddOption(ui::Control& frame, const std::string& name, int index, int left, int top,
                                       int width, const std::string& caption) {
    ui::Control& option = Add(ui::Kind::OptionButton, name, left, top, width, 255, &frame, index);
    option.SetCaption(caption);
    option.SetForeColor(kOptionText);
    return option;
}

void SettingsDialog::MoveOptionMark(const std::string& name, int from, int to) {
    if (ui::Control* old = Find(name, from)) {
        old->SetValue(0);
        old->SetForeColor(kOptionText);
    }
    if (ui::Control* now = Find(name, to)) {
        now->SetValue(1);
        now->SetForeColor(kSelectedOptionText);
    }
}

void SettingsDialog::SetApplyEnabled(bool enabled) { Ctl("cmdApply").SetEnabled(enabled); }

void SettingsDialog::SetMainSummary(const std::string& label, const std::string& text) {
    cp_.Main->Ctl(label).SetCaption(text);
}

void SettingsDialog::cmdApply_Click() {
    app().SetPointer(ui::Pointer::Hourglass);
    ApplyChanges();
    SetApplyEnabled(false);
    app().SetPointer(ui::Pointer::Default);
}

void SettingsDialog::cmdOK_Click() {
    if (Ctl("cmdApply").Enabled()) cmdApply_Click();
    CloseDialog();
}

void SettingsDialog::cmdCandel_Click() { CloseDialog(); }

void SettingsDialog::CloseDialog() {
    app().SetPointer(ui::Pointer::Hourglass);
    Unload();
    app().SetPointer(ui::Pointer::Default);
}

void AddLabelledScrollBar(ui::Form& form, ui::Control& frame, const std::string& bar,
                          const std::string& valueLabel, int endLabel, const std::string& low,
                          const std::string& high) {
    const int width = frame.Width();
    form.Add(ui::Kind::Label, "Label1", 120, 300, 480, 195, &frame, endLabel).SetCaption(low);
    ui::Control& right = form.Add(ui::Kind::Label, "Label1", width - 600, 300, 480, 195, &frame, endLabel + 1);
    right.SetCaption(high);
    right.SetAlignment(ui::Align::Right);
    form.Add(ui::Kind::HScrollBar, bar, 660, 270, width - 1320, 255, &frame);
    form.Add(ui::Kind::Label, valueLabel, 660, 570, width - 1320, 195, &frame).SetAlignment(ui::Align::Center);
}

}  // namespace kesma::controlpanel
