#include "controlpanel/virtual_button.h"

#include <initializer_list>
#include <utility>

namespace kesma::controlpanel {

namespace {

// Hold time of list position p: (p + 1) / 2 seconds, whole numbers without a fraction.
std::string HoldTimeItem(int position) {
    const int halves = position + 1;
    return std::to_string(halves / 2) + (halves % 2 ? ".5" : "");
}

// The automatic mode's line: a label, its list to the right and the unit after the list.
constexpr int kAutoLabelTop = 330, kAutoComboTop = 270;

ui::Label& AddAutoLabel(ui::Form& form, ui::Frame& frame, const std::string& name, int left, int width,
                        const std::string& caption) {
    ui::Label& label = form.Add<ui::Label>(name, left, kAutoLabelTop, width, 195, &frame);
    label.SetCaption(caption);
    return label;
}

}  // namespace

frmVirtualButton::frmVirtualButton(ui::App& app, ControlPanel& cp)
    : SettingsDialog(app, cp, "frmVirtualButton", 5040),
      Shape1(Add<ui::Shape>("Shape1", 360, 240, 5820, 1020)),
      Frame1(Add<ui::Frame>("Frame1", 480, 1320, 2760, 2040)),
      optVirtualButton(AddOptions(Frame1, "optVirtualButton", 1, 4, 180, 330, 420, 2460)),
      Frame2(Add<ui::Frame>("Frame2", 3360, 1320, 2700, 2040)),
      optRBFunction(
          AddOptions(Frame2, "optRBFunction", 0, 1, 180, 330, 420, 2340, {"Disable ( Off )", "Enable  ( On )"})),
      cboRBAutoMode(Add<ui::ComboBox>("cboRBAutoMode", 180, 1260, 2340, 315, &Frame2)),
      Frame3(Add<ui::Frame>("Frame3", 480, 3480, 5580, 735)),
      lblRBAutoSTime(AddAutoLabel(*this, Frame3, "lblRBAutoSTime", 120, 840, "Toggle On")),
      cboRBAutoSTime(Add<ui::ComboBox>("cboRBAutoSTime", 960, kAutoComboTop, 720, 315, &Frame3)),
      lblRBAutoSTimeSec(AddAutoLabel(*this, Frame3, "lblRBAutoSTimeSec", 1740, 360, "Sec.")),
      lblRBAutoETime(AddAutoLabel(*this, Frame3, "lblRBAutoETime", 2220, 840, "Toggle Off")),
      cboRBAutoETime(Add<ui::ComboBox>("cboRBAutoETime", 3060, kAutoComboTop, 720, 315, &Frame3)),
      lblRBAutoETimeSec(AddAutoLabel(*this, Frame3, "lblRBAutoETimeSec", 3840, 360, "Sec.")),
      lblRBAutoBeep(AddAutoLabel(*this, Frame3, "lblRBAutoBeep", 4320, 480, "Beep")),
      cboRBAutoBeep(Add<ui::ComboBox>("cboRBAutoBeep", 4800, kAutoComboTop, 720, 315, &Frame3)),
      buttons(AddButtonRow(4440)) {
    SetCaption("Virtual Button");
    Frame1.SetCaption("  Virtual Button Option  ");
    for (ui::OptionButton* option : optVirtualButton) {
        option->OnClick = [this, i = option->index()] { optVirtualButton_Click(i); };
    }
    Frame2.SetCaption("  Right Button Function ");
    for (ui::OptionButton* option : optRBFunction) {
        option->OnClick = [this, i = option->index()] { optRBFunction_Click(i); };
    }
    cboRBAutoMode.OnClick = [this] {
        AutoCombo_Click(cboRBAutoMode, pending_.RbAutoMode);
        UpdateAutoControls();
        SetApplyEnabled(UpdateApplyButton());
    };

    Frame3.SetCaption("  Right Button Automatic Mode");
    const std::pair<ui::ComboBox*, std::uint8_t Pending::*> autoCombos[] = {
        {&cboRBAutoSTime, &Pending::RbAutoStartTime},
        {&cboRBAutoETime, &Pending::RbAutoEndTime},
        {&cboRBAutoBeep, &Pending::RbAutoBeep},
    };
    for (const auto& autoCombo : autoCombos) {
        autoCombo.first->OnClick = [this, autoCombo] {
            AutoCombo_Click(*autoCombo.first, pending_.*autoCombo.second);
            SetApplyEnabled(UpdateApplyButton());
        };
    }
    OnLoad = [this] { Form_Load(); };
}

void frmVirtualButton::Form_Load() {
    const DeviceSettings& record = cp_.Link.Settings;
    for (ui::OptionButton* option : optVirtualButton) {
        option->SetCaption(" " + cp_.Names.TouchModeNames[option->index()]);
    }
    pending_ = {record.TouchMode,       record.RightButton,   record.RbAutoMode,
                record.RbAutoStartTime, record.RbAutoEndTime, record.RbAutoBeep};
    MoveOptionMark(optVirtualButton, -1, pending_.TouchMode);
    MoveOptionMark(optRBFunction, -1, pending_.RightButton);

    cboRBAutoMode.AddItem(" Manual Mode");
    cboRBAutoMode.AddItem(" Automatic Mode");
    cboRBAutoMode.SetListIndex(pending_.RbAutoMode);

    for (int position = 0; position < 10; ++position) {
        cboRBAutoSTime.AddItem(HoldTimeItem(position));
        cboRBAutoETime.AddItem(HoldTimeItem(position));
    }
    // A position the list does not have (out of range in the record) selects nothing.
    cboRBAutoSTime.SetListIndex(pending_.RbAutoStartTime);
    cboRBAutoETime.SetListIndex(pending_.RbAutoEndTime);

    cboRBAutoBeep.AddItem("Off");
    cboRBAutoBeep.AddItem("On");
    cboRBAutoBeep.SetListIndex(pending_.RbAutoBeep);

    UpdateAutoControls();
    cp_.Branding.DressDialog(*this);
}

void frmVirtualButton::optVirtualButton_Click(int index) {
    if (!ChooseOption(optVirtualButton, pending_.TouchMode, index)) return;
    UpdateAutoControls();
    SetApplyEnabled(UpdateApplyButton());
}

void frmVirtualButton::optRBFunction_Click(int index) {
    if (!ChooseOption(optRBFunction, pending_.RightButton, index)) return;
    UpdateAutoControls();
    SetApplyEnabled(UpdateApplyButton());
}

// Only a choice from the list changes the pending value.
void frmVirtualButton::AutoCombo_Click(const ui::ComboBox& combo, std::uint8_t& pendingValue) {
    const int position = combo.ListIndex();
    if (position >= 0) pendingValue = static_cast<std::uint8_t>(position);
}

void frmVirtualButton::UpdateAutoControls() {
    const bool dragDrop = pending_.TouchMode == KESMA_DRAG_DROP_MODE;
    cboRBAutoMode.SetEnabled(dragDrop && pending_.RightButton == 1);
    const bool automatic = cboRBAutoMode.Enabled() && pending_.RbAutoMode == 1;
    // The automatic-mode controls, enabled and disabled together in this order.
    for (ui::Control* c : std::initializer_list<ui::Control*>{&lblRBAutoSTime, &cboRBAutoSTime, &lblRBAutoSTimeSec,
                                                              &lblRBAutoETime, &cboRBAutoETime, &lblRBAutoETimeSec,
                                                              &lblRBAutoBeep, &cboRBAutoBeep}) {
        c->SetEnabled(automatic);
    }
}

// True when the pending state would change what the device does: the automatic
// settings count only while they are live (drag-and-drop, right button on, automatic).
bool frmVirtualButton::UpdateApplyButton() const {
    const DeviceSettings& record = cp_.Link.Settings;
    if (pending_.TouchMode != record.TouchMode || pending_.RightButton != record.RightButton) return true;
    if (pending_.TouchMode != KESMA_DRAG_DROP_MODE || pending_.RightButton != 1) return false;
    if (pending_.RbAutoMode != record.RbAutoMode) return true;
    if (pending_.RbAutoMode != 1) return false;
    return pending_.RbAutoStartTime != record.RbAutoStartTime || pending_.RbAutoEndTime != record.RbAutoEndTime ||
           pending_.RbAutoBeep != record.RbAutoBeep;
}

void frmVirtualButton::ApplyChanges() {
    DeviceSettings& record = cp_.Link.Settings;
    record.TouchMode = pending_.TouchMode;
    record.RightButton = pending_.RightButton;
    record.RbAutoMode = pending_.RbAutoMode;
    record.RbAutoStartTime = pending_.RbAutoStartTime;
    record.RbAutoEndTime = pending_.RbAutoEndTime;
    record.RbAutoBeep = pending_.RbAutoBeep;
    cp_.Link.SetTouchMode();

    // The resident program serves the right button except when the driver clicks on its own.
    const bool driverClicks = pending_.RbAutoMode != 0 && pending_.TouchMode == KESMA_DRAG_DROP_MODE;
    if (pending_.RightButton == 1 && !driverClicks) {
        cp_.Programs.StartRightButtonProgram();
    } else {
        cp_.Programs.CloseRightButtonProgram();
    }
    cp_.Main->lblVirtualButton.SetCaption(
        TouchModeText(cp_.Names, pending_.TouchMode, pending_.RightButton, pending_.RbAutoMode));
}

}  // namespace kesma::controlpanel
