#include "controlpanel/feedback_sound.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kesma::controlpanel {

namespace {
// The number a value label shows, as the 16-bit value the sound test takes.
std::uint16_t LabelNumber(const ui::Label& label) {
    return static_cast<std::uint16_t>(std::lround(std::strtod(label.Caption().c_str(), nullptr)));
}
}  // namespace

frmFeedbackSound::frmFeedbackSound(ui::App& app, ControlPanel& cp)
    : SettingsDialog(app, cp, "frmFeedbackSound", 4560),
      Shape1(Add<ui::Shape>("Shape1", 360, 240, 5820, 1020)),
      Shape4(Add<ui::Shape>("Shape4", 360, 1200, 5820, 2520)),
      Frame1(Add<ui::Frame>("Frame1", 480, 1320, 2760, 2280)),
      optFeedbackSound(AddOptions(Frame1, "optFeedbackSound", 1, 4, 180, 360, 480, 2460,
                                  {"Silence ( No Sound )", "Touch Down Only", "Lift Off Only",
                                   "Both Touch Down && Lift Off"})),
      frameTone(Add<ui::Frame>("frameTone", 3360, 1320, 2700, 855)),
      hscTone(AddLabelledScrollBar(*this, frameTone, "hscTone", 2, "Low", "High")),
      lblTone(AddValueLabel(*this, frameTone, "lblTone")),
      frameDuration(Add<ui::Frame>("frameDuration", 3360, 2265, 2700, 855)),
      hscDuration(AddLabelledScrollBar(*this, frameDuration, "hscDuration", 0, "Short", "Long")),
      lblDuration(AddValueLabel(*this, frameDuration, "lblDuration")),
      cmdSoundTest(Add<ui::Button>("cmdSoundTest", 3360, 3225, 2700, 375)),
      Shape2(Add<ui::Shape>("Shape2", 480, 3840, 5580, 15)),
      buttons(AddButtonRow(3990)) {
    SetCaption("Feedback Sound");
    Frame1.SetCaption("  Feedback Sound Option  ");
    for (ui::OptionButton* option : optFeedbackSound) {
        const int i = option->index();
        option->OnClick = [this, i] { optFeedbackSound_Click(i); };
    }

    frameTone.SetCaption("  Tone  ");
    hscTone.SetRange(200, 5000, 1, 100);
    hscTone.SetValue(200);
    hscTone.OnChange = hscTone.OnScroll = [this] { hscTone_Change(); };
    lblTone.SetCaption("9999");

    frameDuration.SetCaption("  Duration  ");
    hscDuration.SetRange(10, 50, 1, 5);
    hscDuration.SetValue(10);
    hscDuration.OnChange = hscDuration.OnScroll = [this] { hscDuration_Change(); };
    lblDuration.SetCaption("99");

    // One test sound on the press and one on the release.
    cmdSoundTest.SetCaption("Touch Here to Test");
    cmdSoundTest.OnMouseDown = cmdSoundTest.OnMouseUp = [this](int, int, int, int) { PlayTestSound(); };

    OnLoad = [this] { Form_Load(); };
}

void frmFeedbackSound::Form_Load() {
    const DeviceSettings& record = cp_.Link.Settings;
    for (ui::OptionButton* option : optFeedbackSound) {
        option->SetCaption(" " + cp_.Names.SoundModeNames[option->index()]);
    }
    pendingSoundMode_ = record.SoundMode;
    MoveOptionMark(optFeedbackSound, -1, pendingSoundMode_);
    hscTone.SetValue(record.SoundTone);
    hscDuration.SetValue(record.SoundDuration);
    tone_.Take(hscTone);
    duration_.Take(hscDuration);
    // The labels follow the bars also when a stored value equals a bar's design position.
    hscTone_Change();
    hscDuration_Change();
    EnableSoundTest();
    cp_.Branding.DressDialog(*this);
}

void frmFeedbackSound::optFeedbackSound_Click(int index) {
    if (!ChooseOption(optFeedbackSound, pendingSoundMode_, index)) return;
    UpdateApplyButton();
}

void frmFeedbackSound::hscTone_Change() {
    lblTone.SetCaption(std::to_string(hscTone.Value()));
    UpdateApplyButton();
}

void frmFeedbackSound::hscDuration_Change() {
    lblDuration.SetCaption(std::to_string(hscDuration.Value()));
    UpdateApplyButton();
}

void frmFeedbackSound::UpdateApplyButton() {
    SetApplyEnabled(pendingSoundMode_ != cp_.Link.Settings.SoundMode || duration_.Moved(hscDuration) ||
                    tone_.Moved(hscTone));
}

// The test plays what the labels show, applied or not.
void frmFeedbackSound::PlayTestSound() {
    cp_.Link.Sound.Tone = LabelNumber(lblTone);
    cp_.Link.Sound.Duration = LabelNumber(lblDuration);
    cp_.Link.SoundTest();
}

// The test button follows the applied mode (Load and Apply only): it is live while the
// controller is silent.
void frmFeedbackSound::EnableSoundTest() { cmdSoundTest.SetEnabled(pendingSoundMode_ == 1); }

void frmFeedbackSound::ApplyChanges() {
    DeviceSettings& record = cp_.Link.Settings;
    tone_.Store(hscTone, record.SoundTone);
    duration_.Store(hscDuration, record.SoundDuration);
    record.SoundMode = pendingSoundMode_;
    cp_.Link.SetFeedbackSound();
    cp_.Main->lblFeedbackSound.SetCaption(SoundText(cp_.Names, pendingSoundMode_));
    EnableSoundTest();
}

}  // namespace kesma::controlpanel
