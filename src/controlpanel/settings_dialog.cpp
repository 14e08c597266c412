#include "controlpanel/settings_dialog.h"

namespace kesma::controlpanel {

namespace {
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 150;
constexpr int kContentRight = 6060;
}  // namespace

SettingsDialog::SettingsDialog(ui::App& app, ControlPanel& cp, const std::string& name, int clientHeight)
    : VendorForm(app, name, kClientWidth, clientHeight, kControlPanelHeader), cp_(cp) {
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
}

SettingsDialog::ButtonRow SettingsDialog::AddButtonRow(int top) {
    const int okLeft = kContentRight - 2 * kButtonWidth - kButtonGap;
    ButtonRow row{Add<ui::Button>("cmdApply", okLeft - kButtonWidth - kButtonGap, top, kButtonWidth, kButtonHeight),
                  Add<ui::Button>("cmdOK", okLeft, top, kButtonWidth, kButtonHeight),
                  Add<ui::Button>("cmdCandel", kContentRight - kButtonWidth, top, kButtonWidth, kButtonHeight)};
    row.cmdApply.SetCaption("&Apply");
    row.cmdApply.SetEnabled(false);
    row.cmdApply.OnClick = [this] { cmdApply_Click(); };
    row.cmdOK.SetCaption("&OK");
    row.cmdOK.SetDefault(true);
    row.cmdOK.OnClick = [this] { cmdOK_Click(); };
    row.cmdCandel.SetCaption("&Cancel");
    row.cmdCandel.SetCancel(true);
    row.cmdCandel.OnClick = [this] { cmdCandel_Click(); };
    apply_ = &row.cmdApply;
    return row;
}

ui::ControlArray<ui::OptionButton> SettingsDialog::AddOptions(ui::Frame& frame, const std::string& name, int first,
                                                              int last, int left, int top, int pitch, int width,
                                                              const std::vector<std::string>& captions) {
    ui::ControlArray<ui::OptionButton> options;
    for (int i = first; i <= last; ++i) {
        ui::OptionButton& option =
            options.Add(Add<ui::OptionButton>(name, left, top + (i - first) * pitch, width, 255, &frame, i));
        const auto n = static_cast<std::size_t>(i - first);
        if (n < captions.size()) option.SetCaption(captions[n]);
        option.SetForeColor(kOptionText);
    }
    return options;
}

void SettingsDialog::MoveOptionMark(const ui::ControlArray<ui::OptionButton>& options, int from, int to) {
    if (ui::OptionButton* old = options.Find(from)) {
        old->SetValue(0);
        old->SetForeColor(kOptionText);
    }
    if (ui::OptionButton* now = options.Find(to)) {
        now->SetValue(1);
        now->SetForeColor(kSelectedOptionText);
    }
}

bool SettingsDialog::ChooseOption(const ui::ControlArray<ui::OptionButton>& options, std::uint8_t& pending,
                                  int index) {
    if (index == pending) return false;
    const int old = pending;
    pending = static_cast<std::uint8_t>(index);
    MoveOptionMark(options, old, index);
    return true;
}

void SettingsDialog::SetApplyEnabled(bool enabled) { apply_->SetEnabled(enabled); }

void SettingsDialog::cmdApply_Click() {
    app().SetPointer(ui::Pointer::Hourglass);
    ApplyChanges();
    SetApplyEnabled(false);
    app().SetPointer(ui::Pointer::Default);
}

void SettingsDialog::cmdOK_Click() {
    if (apply_->Enabled()) cmdApply_Click();
    CloseDialog();
}

void SettingsDialog::cmdCandel_Click() { CloseDialog(); }

void SettingsDialog::CloseDialog() {
    app().SetPointer(ui::Pointer::Hourglass);
    Unload();
    app().SetPointer(ui::Pointer::Default);
}

ui::HScrollBar& AddLabelledScrollBar(ui::Form& form, ui::Frame& frame, const std::string& bar, int endLabel,
                                     const std::string& low, const std::string& high) {
    const int width = frame.Width();
    form.Add<ui::Label>("Label1", 120, 300, 480, 195, &frame, endLabel).SetCaption(low);
    ui::Label& right = form.Add<ui::Label>("Label1", width - 600, 300, 480, 195, &frame, endLabel + 1);
    right.SetCaption(high);
    right.SetAlignment(ui::Align::Right);
    return form.Add<ui::HScrollBar>(bar, 660, 270, width - 1320, 255, &frame);
}

ui::Label& AddValueLabel(ui::Form& form, ui::Frame& frame, const std::string& name) {
    ui::Label& label = form.Add<ui::Label>(name, 660, 570, frame.Width() - 1320, 195, &frame);
    label.SetAlignment(ui::Align::Center);
    return label;
}

}  // namespace kesma::controlpanel
