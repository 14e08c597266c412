// The mouse speed dialog: horizontal and vertical pointer speed, acceleration, and
// the bypass mode that freezes them.
#pragma once

#include <cstdint>

#include "controlpanel/settings_dialog.h"

namespace kesma::controlpanel {

class frmMouseSpeed : public SettingsDialog {
public:
    frmMouseSpeed(ui::App& app, ControlPanel& cp);

    ui::Shape& Shape1;
    ui::Shape& Shape3;
    ui::Frame& Frame5;
    ui::CheckBox& chkBypass;
    ui::Frame& frameAM;
    ui::CheckBox& chkBoth;
    ui::Frame& frameHS;
    ui::HScrollBar& hscMouseHSpeed;
    ui::Label& lblHS;
    ui::Frame& frameVS;
    ui::HScrollBar& hscMouseVSpeed;
    ui::Label& lblVS;
    ui::Frame& frameAC;
    ui::ControlArray<ui::OptionButton> optAcceleration;  // 1..4
    ui::Shape& Shape2;
    ButtonRow buttons;

protected:
    void ApplyChanges() override;

private:
    void Form_Load();
    void chkBypass_Click();
    void chkBoth_Click();
    void optAcceleration_Click(int index);
    void hscMouseHSpeed_Change();
    void hscMouseHSpeed_Scroll();
    void hscMouseVSpeed_Change();
    void hscMouseVSpeed_Scroll();
    void UpdateApplyButton();

    std::uint8_t pendingAcceleration_ = 0;
    LoadedPosition bypass_, speedH_, speedV_;
};

}  // namespace kesma::controlpanel
