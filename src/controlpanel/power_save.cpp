#include "controlpanel/power_save.h"

#include <cstdint>
#include <string>

namespace kesma::controlpanel {

namespace {
void StyleValueLabel(ui::Control& label, const std::string& caption) {
    label.SetCaption(caption);
    label.SetAlignment(ui::Align::Center);
    label.SetForeColor(ui::Rgb(0, 0, 255));
    ui::Font font;
    font.bold = true;
    label.SetFont(font);
}
}  // namespace

frmSleepTime::frmSleepTime(ui::App& app, ControlPanel& cp) : SettingsDialog(app, cp, "frmSleepTime", 3990) {
    SetCaption("Power Save");
    AddVendorHeader(*this, kControlPanelHeader);
    Add(ui::Kind::Shape, "Shape1", 360, 240, 5820, 1020);

    ui::Control& frame = Add(ui::Kind::Frame, "Frame3", 480, 1320, 5580, 1815);
    frame.SetCaption("  Power Down Timer Adjustment ");
    Add(ui::Kind::Label, "Label1", 120, 390, 600, 195, &frame, 1).SetCaption("Short");
    Add(ui::Kind::Label, "Label1", 4860, 390, 600, 195, &frame, 2).SetCaption("Long");
    Add(ui::Kind::Label, "Label1", 780, 660, 420, 195, &frame, 3).SetCaption("0");
    ui::Control& longEnd = Add(ui::Kind::Label, "Label1", 4380, 660, 420, 195, &frame, 4);
    longEnd.SetCaption("300");
    longEnd.SetAlignment(ui::Align::Right);
    // One step is 10 seconds, one page a minute.
    ui::Control& bar = Add(ui::Kind::HScrollBar, "hscSleepTime", 780, 360, 4020, 255, &frame);
    bar.SetRange(0, 30, 1, 6);
    bar.SetValue(15);
    bar.OnChange = [this] { hscSleepTime_Change(); };
    bar.OnScroll = [this] { hscSleepTime_Scroll(); };
    StyleValueLabel(Add(ui::Kind::Label, "lblST", 780, 960, 4020, 240, &frame), "150");
    StyleValueLabel(Add(ui::Kind::Label, "lblSS", 120, 1320, 5340, 240, &frame), "Disable Power Down Function");

    Add(ui::Kind::Shape, "Shape3", 480, 3300, 5580, 15);
    AddButtonRow(3420);
    OnLoad = [this] { Form_Load(); };
}

void frmSleepTime::Form_Load() {
    Ctl("hscSleepTime").SetValue(cp_.Link.Settings.IdleTime);
    idleTime_.Take(Ctl("hscSleepTime"));
    SetApplyEnabled(false);
    // The bar's design position fires no change; the labels still have to show it.
    hscSleepTime_Scroll();
    cp_.Branding.DressDialog(*this);
}

void frmSleepTime::hscSleepTime_Scroll() {
    const int value = Ctl("hscSleepTime").Value();
    Ctl("lblST").SetCaption(std::to_string(value * 10));
    Ctl("lblSS").SetCaption(PowerDownText(value));
}

void frmSleepTime::hscSleepTime_Change() {
    hscSleepTime_Scroll();
    SetApplyEnabled(idleTime_.Moved(Ctl("hscSleepTime")));
}

void frmSleepTime::ApplyChanges() {
    idleTime_.Store(Ctl("hscSleepTime"), cp_.Link.Settings.IdleTime);
    cp_.Link.SetPowerSave();
    SetMainSummary("lblSleepTime", PowerDownText(cp_.Link.Settings.IdleTime));
}

}  // namespace kesma::controlpanel
