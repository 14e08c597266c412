#include "controlpanel/power_save.h"

#include <cstdint>
#include <string>

namespace kesma::controlpanel {

namespace {

ui::Label& AddValueLabel(ui::Form& form, ui::Frame& frame, const std::string& name, int left, int top, int width,
                         const std::string& caption) {
    ui::Label& label = form.Add<ui::Label>(name, left, top, width, 240, &frame);
    label.SetCaption(caption);
    label.SetAlignment(ui::Align::Center);
    label.SetForeColor(ui::Rgb(0, 0, 255));
    ui::Font font;
    font.bold = true;
    label.SetFont(font);
    return label;
}

// The end labels: Label1(1) and (2) name the ends, (3) and (4) give their seconds.
ui::Frame& AddScaleFrame(ui::Form& form) {
    ui::Frame& frame = form.Add<ui::Frame>("Frame3", 480, 1320, 5580, 1815);
    frame.SetCaption("  Power Down Timer Adjustment ");
    form.Add<ui::Label>("Label1", 120, 390, 600, 195, &frame, 1).SetCaption("Short");
    form.Add<ui::Label>("Label1", 4860, 390, 600, 195, &frame, 2).SetCaption("Long");
    form.Add<ui::Label>("Label1", 780, 660, 420, 195, &frame, 3).SetCaption("0");
    ui::Label& longEnd = form.Add<ui::Label>("Label1", 4380, 660, 420, 195, &frame, 4);
    longEnd.SetCaption("300");
    longEnd.SetAlignment(ui::Align::Right);
    return frame;
}

}  // namespace

frmSleepTime::frmSleepTime(ui::App& app, ControlPanel& cp)
    : SettingsDialog(app, cp, "frmSleepTime", 3990),
      Shape1(Add<ui::Shape>("Shape1", 360, 240, 5820, 1020)),
      Frame3(AddScaleFrame(*this)),
      hscSleepTime(Add<ui::HScrollBar>("hscSleepTime", 780, 360, 4020, 255, &Frame3)),
      lblST(AddValueLabel(*this, Frame3, "lblST", 780, 960, 4020, "150")),
      lblSS(AddValueLabel(*this, Frame3, "lblSS", 120, 1320, 5340, "Disable Power Down Function")),
      Shape3(Add<ui::Shape>("Shape3", 480, 3300, 5580, 15)),
      buttons(AddButtonRow(3420)) {
    SetCaption("Power Save");
    // One step is 10 seconds, one page a minute.
    hscSleepTime.SetRange(0, 30, 1, 6);
    hscSleepTime.SetValue(15);
    hscSleepTime.OnChange = [this] { hscSleepTime_Change(); };
    hscSleepTime.OnScroll = [this] { hscSleepTime_Scroll(); };
    OnLoad = [this] { Form_Load(); };
}

void frmSleepTime::Form_Load() {
    hscSleepTime.SetValue(cp_.Link.Settings.IdleTime);
    idleTime_.Take(hscSleepTime);
    SetApplyEnabled(false);
    // The bar's design position fires no change; the labels still have to show it.
    hscSleepTime_Scroll();
    cp_.Branding.DressDialog(*this);
}

void frmSleepTime::hscSleepTime_Scroll() {
    const int value = hscSleepTime.Value();
    lblST.SetCaption(std::to_string(value * 10));
    lblSS.SetCaption(PowerDownText(value));
}

void frmSleepTime::hscSleepTime_Change() {
    hscSleepTime_Scroll();
    SetApplyEnabled(idleTime_.Moved(hscSleepTime));
}

void frmSleepTime::ApplyChanges() {
    idleTime_.Store(hscSleepTime, cp_.Link.Settings.IdleTime);
    cp_.Link.SetPowerSave();
    cp_.Main->lblSleepTime.SetCaption(PowerDownText(cp_.Link.Settings.IdleTime));
}

}  // namespace kesma::controlpanel
