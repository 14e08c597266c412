#include "controlpanel/mouse_speed.h"

#include <string>

namespace kesma::controlpanel {

namespace {
// A speed step is 5 percent.
std::string SpeedPercent(int step) { return std::to_string(step * 5) + "%"; }
}  // namespace

frmMouseSpeed::frmMouseSpeed(ui::App& app, ControlPanel& cp) : SettingsDialog(app, cp, "frmMouseSpeed", 4650) {
    SetCaption("Mouse Speed");
    AddVendorHeader(*this, kControlPanelHeader);
    Add(ui::Kind::Shape, "Shape1", 360, 240, 5820, 1020);
    Add(ui::Kind::Shape, "Shape3", 360, 1200, 5820, 2700);

    ui::Control& bypassFrame = Add(ui::Kind::Frame, "Frame5", 480, 1320, 1800, 615);
    bypassFrame.SetCaption("  Bypass Mode");
    ui::Control& bypass = Add(ui::Kind::CheckBox, "chkBypass", 240, 270, 1320, 255, &bypassFrame);
    bypass.SetCaption("Enable");
    bypass.SetForeColor(kOptionText);
    bypass.OnClick = [this] { chkBypass_Click(); };

    ui::Control& adjustFrame = Add(ui::Kind::Frame, "frameAM", 2400, 1320, 3660, 615);
    adjustFrame.SetCaption("  Adjust Mode");
    ui::Control& both = Add(ui::Kind::CheckBox, "chkBoth", 240, 270, 3240, 255, &adjustFrame);
    both.SetCaption("Set Both Horizontal && Vertical ");
    both.SetForeColor(kOptionText);
    both.OnClick = [this] { chkBoth_Click(); };

    ui::Control& horizontalFrame = Add(ui::Kind::Frame, "frameHS", 480, 2040, 2760, 855);
    horizontalFrame.SetCaption("  Horizontal Speed  ");
    AddLabelledScrollBar(*this, horizontalFrame, "hscMouseHSpeed", "lblHS", 0, "Slow", "Fast");
    ui::Control& verticalFrame = Add(ui::Kind::Frame, "frameVS", 480, 3000, 2760, 855);
    verticalFrame.SetCaption("  Vertical Speed  ");
    AddLabelledScrollBar(*this, verticalFrame, "hscMouseVSpeed", "lblVS", 2, "Slow", "Fast");
    for (const char* bar : {"hscMouseHSpeed", "hscMouseVSpeed"}) {
        ui::Control& speed = Ctl(bar);
        speed.SetRange(1, 20, 1, 2);
        speed.SetValue(1);
    }
    Ctl("lblHS").SetCaption("100%");
    Ctl("lblVS").SetCaption("100%");
    Ctl("hscMouseHSpeed").OnChange = [this] { hscMouseHSpeed_Change(); };
    Ctl("hscMouseHSpeed").OnScroll = [this] { hscMouseHSpeed_Scroll(); };
    Ctl("hscMouseVSpeed").OnChange = [this] { hscMouseVSpeed_Change(); };
    Ctl("hscMouseVSpeed").OnScroll = [this] { hscMouseVSpeed_Scroll(); };

    ui::Control& accelerationFrame = Add(ui::Kind::Frame, "frameAC", 3360, 2040, 2700, 1815);
    accelerationFrame.SetCaption("  Acceleration  ");
    for (int i = 1; i <= 4; ++i) {
        AddOption(accelerationFrame, "optAcceleration", i, 240, 330 + (i - 1) * 360, 2220, "").OnClick = [this, i] {
            optAcceleration_Click(i);
        };
    }

    Add(ui::Kind::Shape, "Shape2", 480, 3990, 5580, 15);
    AddButtonRow(4110);
    OnLoad = [this] { Form_Load(); };
}

void frmMouseSpeed::Form_Load() {
    const DeviceSettings& record = cp_.Link.Settings;
    for (int i = 1; i <= 4; ++i) Ctl("optAcceleration", i).SetCaption(cp_.Names.SpeedNames[i]);
    pendingAcceleration_ = record.Acceleration;
    Ctl("chkBypass").SetValue(record.BypassMode);
    // The bars start coupled when they hold the same speed.
    Ctl("chkBoth").SetValue(record.SpeedH == record.SpeedV ? 1 : 0);
    chkBoth_Click();
    Ctl("hscMouseHSpeed").SetValue(record.SpeedH);
    Ctl("hscMouseVSpeed").SetValue(record.SpeedV);
    bypass_.Take(Ctl("chkBypass"));
    speedH_.Take(Ctl("hscMouseHSpeed"));
    speedV_.Take(Ctl("hscMouseVSpeed"));
    // A bar left at its design position fires no change; its label still has to show it.
    Ctl("lblHS").SetCaption(SpeedPercent(Ctl("hscMouseHSpeed").Value()));
    Ctl("lblVS").SetCaption(SpeedPercent(Ctl("hscMouseVSpeed").Value()));
    MoveOptionMark("optAcceleration", -1, pendingAcceleration_);
    chkBypass_Click();
    cp_.Branding.DressDialog(*this);
}

void frmMouseSpeed::chkBypass_Click() {
    const bool bypass = Ctl("chkBypass").Value() != 0;
    Ctl("chkBoth").SetEnabled(!bypass);
    Ctl("hscMouseHSpeed").SetEnabled(!bypass);
    Ctl("hscMouseVSpeed").SetEnabled(!bypass);
    for (int i = 1; i <= 4; ++i) Ctl("optAcceleration", i).SetEnabled(!bypass);
    UpdateApplyButton();
}

// Checking the box does not equalise the bars; they are coupled from the next change.
void frmMouseSpeed::chkBoth_Click() {
    ui::Control& both = Ctl("chkBoth");
    both.SetForeColor(both.Value() == 1 ? kSelectedOptionText : kOptionText);
}

void frmMouseSpeed::optAcceleration_Click(int index) {
    if (index == pendingAcceleration_) return;
    const int old = pendingAcceleration_;
    pendingAcceleration_ = static_cast<std::uint8_t>(index);
    MoveOptionMark("optAcceleration", old, index);
    UpdateApplyButton();
}

void frmMouseSpeed::hscMouseHSpeed_Change() {
    Ctl("lblHS").SetCaption(SpeedPercent(Ctl("hscMouseHSpeed").Value()));
    hscMouseHSpeed_Scroll();
    UpdateApplyButton();
}

// While coupled, the other bar follows at once; its own change handler updates its label.
void frmMouseSpeed::hscMouseHSpeed_Scroll() {
    if (Ctl("chkBoth").Value() == 1) Ctl("hscMouseVSpeed").SetValue(Ctl("hscMouseHSpeed").Value());
}

void frmMouseSpeed::hscMouseVSpeed_Change() {
    Ctl("lblVS").SetCaption(SpeedPercent(Ctl("hscMouseVSpeed").Value()));
    UpdateApplyButton();
    hscMouseVSpeed_Scroll();
}

void frmMouseSpeed::hscMouseVSpeed_Scroll() {
    if (Ctl("chkBoth").Value() == 1) Ctl("hscMouseHSpeed").SetValue(Ctl("hscMouseVSpeed").Value());
}

void frmMouseSpeed::UpdateApplyButton() {
    SetApplyEnabled(bypass_.Moved(Ctl("chkBypass")) || speedV_.Moved(Ctl("hscMouseVSpeed")) ||
                    speedH_.Moved(Ctl("hscMouseHSpeed")) || pendingAcceleration_ != cp_.Link.Settings.Acceleration);
}

// All four are written also under bypass: the frozen controls keep their values.
void frmMouseSpeed::ApplyChanges() {
    DeviceSettings& record = cp_.Link.Settings;
    bypass_.Store(Ctl("chkBypass"), record.BypassMode);
    speedH_.Store(Ctl("hscMouseHSpeed"), record.SpeedH);
    speedV_.Store(Ctl("hscMouseVSpeed"), record.SpeedV);
    record.Acceleration = pendingAcceleration_;
    cp_.Link.SetMouseSpeed();
    SetMainSummary("lblMouseSpeed",
                   SpeedText(cp_.Names, record.SpeedH, record.SpeedV, record.Acceleration, record.BypassMode));
}

}  // namespace kesma::controlpanel
