// The feedback sound dialog: when the controller beeps, with which tone and for
// how long, and a button to hear the tone shown before applying it.
#pragma once

#include <cstdint>

#include "controlpanel/settings_dialog.h"

namespace kesma::controlpanel {

class frmFeedbackSound : public SettingsDialog {
public:
    frmFeedbackSound(ui::App& app, ControlPanel& cp);

    ui::Shape& Shape1;
    ui::Shape& Shape4;
    ui::Frame& Frame1;
    ui::ControlArray<ui::OptionButton> optFeedbackSound;  // 1..4
    ui::Frame& frameTone;
    ui::HScrollBar& hscTone;
    ui::Label& lblTone;
    ui::Frame& frameDuration;
    ui::HScrollBar& hscDuration;
    ui::Label& lblDuration;
    ui::Button& cmdSoundTest;
    ui::Shape& Shape2;
    ButtonRow buttons;

protected:
    void ApplyChanges() override;

private:
    void Form_Load();
    void optFeedbackSound_Click(int index);
    void hscTone_Change();
    void hscDuration_Change();
    void UpdateApplyButton();
    void PlayTestSound();
    void EnableSoundTest();

    std::uint8_t pendingSoundMode_ = 0;
    LoadedPosition tone_, duration_;
};

}  // namespace kesma::controlpanel
