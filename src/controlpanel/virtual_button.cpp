#include "controlpanel/virtual_button.h"

namespace kesma::controlpanel {

namespace {
// The automatic-mode controls, enabled and disabled together in this order.
const char* const kAutoControls[] = {"lblRBAutoSTime", "cboRBAutoSTime", "lblRBAutoSTimeSec",
                                     "lblRBAutoETime", "cboRBAutoETime", "lblRBAutoETimeSec",
                                     "lblRBAutoBeep",  "cboRBAutoBeep"};

// Hold time of list position p: (p + 1) / 2 seconds, whole numbers without a fraction.
std::string HoldTimeItem(int position) {
    const int halves = position + 1;
    return std::to_string(halves / 2) + (halves % 2 ? ".5" : "");
}
}  // namespace

frmVirtualButton::frmVirtualButton(ui::App& app, ControlPanel& cp)
    : SettingsDialog(app, cp, "frmVirtualButton", 5040) {
    SetCaption("Virtual Button");
    AddVendorHeader(*this, kControlPanelHeader);
    Add(ui::Kind::Shape, "Shape1", 360, 240, 5820, 1020);

    ui::Control& modes = Add(ui::Kind::Frame, "Frame1", 480, 1320, 2760, 2040);
    modes.SetCaption("  Virtual Button Option  ");
    for (int i = 1; i <= 4; ++i) {
        AddOption(modes, "optVirtualButton", i, 180, 330 + (i - 1) * 420, 2460, "").OnClick = [this, i] {
            optVirtualButton_Click(i);
        };
    }

    ui::Control& rightButton = Add(ui::Kind::Frame, "Frame2", 3360, 1320, 2700, 2040);
    rightButton.SetCaption("  Right Button Function ");
    const char* rbCaptions[] = {"Disable ( Off )", "Enable  ( On )"};
    for (int i = 0; i <= 1; ++i) {
        AddOption(rightButton, "optRBFunction", i, 180, 330 + i * 420, 2340, rbCaptions[i]).OnClick = [this, i] {
            optRBFunction_Click(i);
        };
    }
    Add(ui::Kind::ComboBox, "cboRBAutoMode", 180, 1260, 2340, 315, &rightButton).OnClick = [this] {
        AutoCombo_Click("cboRBAutoMode", pending_.RbAutoMode);
        UpdateAutoControls();
        SetApplyEnabled(UpdateApplyButton());
    };

    ui::Control& automatic = Add(ui::Kind::Frame, "Frame3", 480, 3480, 5580, 735);
    automatic.SetCaption("  Right Button Automatic Mode");
    struct Row {
        const char *label, *caption, *combo, *unit;
        int left, labelWidth;
        std::uint8_t Pending::*field;
    };
    const Row rows[] = {
        {"lblRBAutoSTime", "Toggle On", "cboRBAutoSTime", "lblRBAutoSTimeSec", 120, 840, &Pending::RbAutoStartTime},
        {"lblRBAutoETime", "Toggle Off", "cboRBAutoETime", "lblRBAutoETimeSec", 2220, 840, &Pending::RbAutoEndTime},
        {"lblRBAutoBeep", "Beep", "cboRBAutoBeep", nullptr, 4320, 480, &Pending::RbAutoBeep},
    };
    for (const Row& row : rows) {
        Add(ui::Kind::Label, row.label, row.left, 330, row.labelWidth, 195, &automatic).SetCaption(row.caption);
        const int comboLeft = row.left + row.labelWidth;
        Add(ui::Kind::ComboBox, row.combo, comboLeft, 270, 720, 315, &automatic).OnClick =
            [this, combo = std::string(row.combo), field = row.field] {
                AutoCombo_Click(combo, pending_.*field);
                SetApplyEnabled(UpdateApplyButton());
            };
        if (row.unit) Add(ui::Kind::Label, row.unit, comboLeft + 780, 330, 360, 195, &automatic).SetCaption("Sec.");
    }

    AddButtonRow(4440);
    OnLoad = [this] { Form_Load(); };
}

void frmVirtualButton::Form_Load() {
    const DeviceSettings& record = cp_.Link.Settings;
    for (int i = 1; i <= 4; ++i) Ctl("optVirtualButton", i).SetCaption(" " + cp_.Names.TouchModeNames[i]);
    pending_ = {record.TouchMode,       record.RightButton,   record.RbAutoMode,
                record.RbAutoStartTime, record.RbAutoEndTime, record.RbAutoBeep};
    MoveOptionMark("optVirtualButton", -1, pending_.TouchMode);
    MoveOptionMark("optRBFunction", -1, pending_.RightButton);

    ui::Control& autoMode = Ctl("cboRBAutoMode");
    autoMode.AddItem(" Manual Mode");
    autoMode.AddItem(" Automatic Mode");
    autoMode.SetListIndex(pending_.RbAutoMode);

    ui::Control& startTime = Ctl("cboRBAutoSTime");
    ui::Control& endTime = Ctl("cboRBAutoETime");
    for (int position = 0; position < 10; ++position) {
        startTime.AddItem(HoldTimeItem(position));
        endTime.AddItem(HoldTimeItem(position));
    }
    // A position the list does not have (out of range in the record) selects nothing.
    startTime.SetListIndex(pending_.RbAutoStartTime);
    endTime.SetListIndex(pending_.RbAutoEndTime);

    ui::Control& beep = Ctl("cboRBAutoBeep");
    beep.AddItem("Off");
    beep.AddItem("On");
    beep.SetListIndex(pending_.RbAutoBeep);

    UpdateAutoControls();
    cp_.Branding.DressDialog(*this);
}

void frmVirtualButton::optVirtualButton_Click(int index) {
    if (index == pending_.TouchMode) return;
    const int old = pending_.TouchMode;
    pending_.TouchMode = static_cast<std::uint8_t>(index);
    MoveOptionMark("optVirtualButton", old, index);
    UpdateAutoControls();
    SetApplyEnabled(UpdateApplyButton());
}

void frmVirtualButton::optRBFunction_Click(int index) {
    if (index == pending_.RightButton) return;
    const int old = pending_.RightButton;
    pending_.RightButton = static_cast<std::uint8_t>(index);
    MoveOptionMark("optRBFunction", old, index);
    UpdateAutoControls();
    SetApplyEnabled(UpdateApplyButton());
}

// Only a choice from the list changes the pending value.
void frmVirtualButton::AutoCombo_Click(const std::string& combo, std::uint8_t& pendingValue) {
    const int position = Ctl(combo).ListIndex();
    if (position >= 0) pendingValue = static_cast<std::uint8_t>(position);
}

void frmVirtualButton::UpdateAutoControls() {
    const bool dragDrop = pending_.TouchMode == KESMA_DRAG_DROP_MODE;
    ui::Control& autoMode = Ctl("cboRBAutoMode");
    autoMode.SetEnabled(dragDrop && pending_.RightButton == 1);
    const bool automatic = autoMode.Enabled() && pending_.RbAutoMode == 1;
    for (const char* name : kAutoControls) Ctl(name).SetEnabled(automatic);
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
    SetMainSummary("lblVirtualButton",
                   TouchModeText(cp_.Names, pending_.TouchMode, pending_.RightButton, pending_.RbAutoMode));
}

}  // namespace kesma::controlpanel
