// The virtual button dialog: the touch mode, the right-button function and, in
// drag-and-drop mode, the driver's automatic right button (hold times and beep).
// Apply also starts the right-button program or tells it to quit.
#pragma once

#include <cstdint>
#include <string>

#include "controlpanel/settings_dialog.h"

namespace kesma::controlpanel {

class frmVirtualButton : public SettingsDialog {
public:
    frmVirtualButton(ui::App& app, ControlPanel& cp);

    ui::Shape& Shape1;
    ui::Frame& Frame1;
    ui::ControlArray<ui::OptionButton> optVirtualButton;  // 1..4
    ui::Frame& Frame2;
    ui::ControlArray<ui::OptionButton> optRBFunction;  // 0 off, 1 on
    ui::ComboBox& cboRBAutoMode;
    ui::Frame& Frame3;
    ui::Label& lblRBAutoSTime;
    ui::ComboBox& cboRBAutoSTime;
    ui::Label& lblRBAutoSTimeSec;
    ui::Label& lblRBAutoETime;
    ui::ComboBox& cboRBAutoETime;
    ui::Label& lblRBAutoETimeSec;
    ui::Label& lblRBAutoBeep;
    ui::ComboBox& cboRBAutoBeep;
    ButtonRow buttons;

protected:
    void ApplyChanges() override;

private:
    // The six record fields this dialog edits, as chosen and not yet applied.
    struct Pending {
        std::uint8_t TouchMode, RightButton, RbAutoMode, RbAutoStartTime, RbAutoEndTime, RbAutoBeep;
    };

    void Form_Load();
    void optVirtualButton_Click(int index);
    void optRBFunction_Click(int index);
    void AutoCombo_Click(const ui::ComboBox& combo, std::uint8_t& pendingValue);
    void UpdateAutoControls();
    bool UpdateApplyButton() const;

    Pending pending_{};
};

}  // namespace kesma::controlpanel
