// The power save dialog: the idle time after which the controller powers down, or
// no power-down at all.
#pragma once

#include "controlpanel/settings_dialog.h"

namespace kesma::controlpanel {

class frmSleepTime : public SettingsDialog {
public:
    frmSleepTime(ui::App& app, ControlPanel& cp);

    ui::Shape& Shape1;
    ui::Frame& Frame3;
    ui::HScrollBar& hscSleepTime;
    ui::Label& lblST;
    ui::Label& lblSS;
    ui::Shape& Shape3;
    ButtonRow buttons;

protected:
    void ApplyChanges() override;

private:
    void Form_Load();
    void hscSleepTime_Change();
    void hscSleepTime_Scroll();

    LoadedPosition idleTime_;
};

}  // namespace kesma::controlpanel
