#include "controlpanel/mouse_speed.h"

#include <string>

namespace kesma::controlpanel {

namespace {
// A speed step is 5 percent.
std::string SpeedPercent(int step) { return std::to_string(step * 5) + "%"; }
}  // namespace

frmMouseSpeed::frmMouseSpeed(ui::App& app, ControlPanel& cp)
    : SettingsDialog(app, cp, "frmMouseSpeed", 4650),
      Shape1(Add<ui::Shape>("Shape1", 360, 240, 5820, 1020)),
      Shape3(Add<ui::Shape>("Shape3", 360, 1200, 5820, 2700)),
      Frame5(Add<ui::Frame>("Frame5", 480, 1320, 1800, 615)),
      chkBypass(Add<ui::CheckBox>("chkBypass", 240, 270, 1320, 255, &Frame5)),
      frameAM(Add<ui::Frame>("frameAM", 2400, 1320, 3660, 615)),
      chkBoth(Add<ui::CheckBox>("chkBoth", 240, 270, 3240, 255, &frameAM)),
      frameHS(Add<ui::Frame>("frameHS", 480, 2040, 2760, 855)),
      hscMouseHSpeed(AddLabelledScrollBar(*this, frameHS, "hscMouseHSpeed", 0, "Slow", "Fast")),
      lblHS(AddValueLabel(*this, frameHS, "lblHS")),
      frameVS(Add<ui::Frame>("frameVS", 480, 3000, 2760, 855)),
      hscMouseVSpeed(AddLabelledScrollBar(*this, frameVS, "hscMouseVSpeed", 2, "Slow", "Fast")),
      lblVS(AddValueLabel(*this, frameVS, "lblVS")),
      frameAC(Add<ui::Frame>("frameAC", 3360, 2040, 2700, 1815)),
      optAcceleration(AddOptions(frameAC, "optAcceleration", 1, 4, 240, 330, 360, 2220)),
      Shape2(Add<ui::Shape>("Shape2", 480, 3990, 5580, 15)),
      buttons(AddButtonRow(4110)) {
    SetCaption("Mouse Speed");
    Frame5.SetCaption("  Bypass Mode");
    chkBypass.SetCaption("Enable");
    chkBypass.SetForeColor(kOptionText);
    chkBypass.OnClick = [this] { chkBypass_Click(); };

    frameAM.SetCaption("  Adjust Mode");
    chkBoth.SetCaption("Set Both Horizontal && Vertical ");
    chkBoth.SetForeColor(kOptionText);
    chkBoth.OnClick = [this] { chkBoth_Click(); };

    frameHS.SetCaption("  Horizontal Speed  ");
    frameVS.SetCaption("  Vertical Speed  ");
    for (ui::HScrollBar* speed : {&hscMouseHSpeed, &hscMouseVSpeed}) {
        speed->SetRange(1, 20, 1, 2);
        speed->SetValue(1);
    }
    lblHS.SetCaption("100%");
    lblVS.SetCaption("100%");
    hscMouseHSpeed.OnChange = [this] { hscMouseHSpeed_Change(); };
    hscMouseHSpeed.OnScroll = [this] { hscMouseHSpeed_Scroll(); };
    hscMouseVSpeed.OnChange = [this] { hscMouseVSpeed_Change(); };
    hscMouseVSpeed.OnScroll = [this] { hscMouseVSpeed_Scroll(); };

    frameAC.SetCaption("  Acceleration  ");
    for (ui::OptionButton* option : optAcceleration) {
        option->OnClick = [this, i = option->index()] { optAcceleration_Click(i); };
    }
    OnLoad = [this] { Form_Load(); };
}

void frmMouseSpeed::Form_Load() {
    const DeviceSettings& record = cp_.Link.Settings;
    for (ui::OptionButton* option : optAcceleration) option->SetCaption(cp_.Names.SpeedNames[option->index()]);
    pendingAcceleration_ = record.Acceleration;
    chkBypass.SetValue(record.BypassMode);
    // The bars start coupled when they hold the same speed.
    chkBoth.SetValue(record.SpeedH == record.SpeedV ? 1 : 0);
    chkBoth_Click();
    hscMouseHSpeed.SetValue(record.SpeedH);
    hscMouseVSpeed.SetValue(record.SpeedV);
    bypass_.Take(chkBypass);
    speedH_.Take(hscMouseHSpeed);
    speedV_.Take(hscMouseVSpeed);
    // A bar left at its design position fires no change; its label still has to show it.
    lblHS.SetCaption(SpeedPercent(hscMouseHSpeed.Value()));
    lblVS.SetCaption(SpeedPercent(hscMouseVSpeed.Value()));
    MoveOptionMark(optAcceleration, -1, pendingAcceleration_);
    chkBypass_Click();
    cp_.Branding.DressDialog(*this);
}

void frmMouseSpeed::chkBypass_Click() {
    const bool bypass = chkBypass.Value() != 0;
    chkBoth.SetEnabled(!bypass);
    hscMouseHSpeed.SetEnabled(!bypass);
    hscMouseVSpeed.SetEnabled(!bypass);
    for (ui::OptionButton* option : optAcceleration) option->SetEnabled(!bypass);
    UpdateApplyButton();
}

// Checking the box does not equalise the bars; they are coupled from the next change.
void frmMouseSpeed::chkBoth_Click() {
    chkBoth.SetForeColor(chkBoth.Value() == 1 ? kSelectedOptionText : kOptionText);
}

void frmMouseSpeed::optAcceleration_Click(int index) {
    if (!ChooseOption(optAcceleration, pendingAcceleration_, index)) return;
    UpdateApplyButton();
}

void frmMouseSpeed::hscMouseHSpeed_Change() {
    lblHS.SetCaption(SpeedPercent(hscMouseHSpeed.Value()));
    hscMouseHSpeed_Scroll();
    UpdateApplyButton();
}

// While coupled, the other bar follows at once; its own change handler updates its label.
void frmMouseSpeed::hscMouseHSpeed_Scroll() {
    if (chkBoth.Value() == 1) hscMouseVSpeed.SetValue(hscMouseHSpeed.Value());
}

void frmMouseSpeed::hscMouseVSpeed_Change() {
    lblVS.SetCaption(SpeedPercent(hscMouseVSpeed.Value()));
    UpdateApplyButton();
    hscMouseVSpeed_Scroll();
}

void frmMouseSpeed::hscMouseVSpeed_Scroll() {
    if (chkBoth.Value() == 1) hscMouseHSpeed.SetValue(hscMouseVSpeed.Value());
}

void frmMouseSpeed::UpdateApplyButton() {
    SetApplyEnabled(bypass_.Moved(chkBypass) || speedV_.Moved(hscMouseVSpeed) ||
                    speedH_.Moved(hscMouseHSpeed) || pendingAcceleration_ != cp_.Link.Settings.Acceleration);
}

// All four are written also under bypass: the frozen controls keep their values.
void frmMouseSpeed::ApplyChanges() {
    DeviceSettings& record = cp_.Link.Settings;
    bypass_.Store(chkBypass, record.BypassMode);
    speedH_.Store(hscMouseHSpeed, record.SpeedH);
    speedV_.Store(hscMouseVSpeed, record.SpeedV);
    record.Acceleration = pendingAcceleration_;
    cp_.Link.SetMouseSpeed();
    cp_.Main->lblMouseSpeed.SetCaption(
        SpeedText(cp_.Names, record.SpeedH, record.SpeedV, record.Acceleration, record.BypassMode));
}

}  // namespace kesma::controlpanel
