#include "controlpanel/feedback_sound.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kesma::controlpanel {

namespace {
// The number a value label shows, as the 16-bit value the sound test takes.
std::uint16_t LabelNumber(const ui::Control& label) {
    return static_cast<std::uint16_t>(std::lround(std::strtod(label.Caption().c_str(), nullptr)));
}
}  // namespace

frmFeedbackSound::frmFeedbackSound(ui::App& app, ControlPanel& cp)
    : SettingsDialog(app, cp, "frmFeedbackSound", 4560) {
    SetCaption("Feedback Sound");
    AddVendorHeader(*this, kControlPanelHeader);
    Add(ui::Kind::Shape, "Shape1", 360, 240, 5820, 1020);
    Add(ui::Kind::Shape, "Shape4", 360, 1200, 5820, 2520);

    ui::Control& options = Add(ui::Kind::Frame, "Frame1", 480, 1320, 2760, 2280);
    options.SetCaption("  Feedback Sound Option  ");
    const char* designCaptions[] = {"Silence ( No Sound )", "Touch Down Only", "Lift Off Only",
                                    "Both Touch Down && Lift Off"};
    for (int i = 1; i <= 4; ++i) {
        AddOption(options, "optFeedbackSound", i, 180, 360 + (i - 1) * 480, 2460, designCaptions[i - 1]).OnClick =
            [this, i] { optFeedbackSound_Click(i); };
    }

    ui::Control& toneFrame = Add(ui::Kind::Frame, "frameTone", 3360, 1320, 2700, 855);
    toneFrame.SetCaption("  Tone  ");
    AddLabelledScrollBar(*this, toneFrame, "hscTone", "lblTone", 2, "Low", "High");
    ui::Control& tone = Ctl("hscTone");
    tone.SetRange(200, 5000, 1, 100);
    tone.SetValue(200);
    tone.OnChange = tone.OnScroll = [this] { hscTone_Change(); };
    Ctl("lblTone").SetCaption("9999");

    ui::Control& durationFrame = Add(ui::Kind::Frame, "frameDuration", 3360, 2265, 2700, 855);
    durationFrame.SetCaption("  Duration  ");
    AddLabelledScrollBar(*this, durationFrame, "hscDuration", "lblDuration", 0, "Short", "Long");
    ui::Control& duration = Ctl("hscDuration");
    duration.SetRange(10, 50, 1, 5);
    duration.SetValue(10);
    duration.OnChange = duration.OnScroll = [this] { hscDuration_Change(); };
    Ctl("lblDuration").SetCaption("99");

    // One test sound on the press and one on the release.
    ui::Control& soundTest = Add(ui::Kind::Button, "cmdSoundTest", 3360, 3225, 2700, 375);
    soundTest.SetCaption("Touch Here to Test");
    soundTest.OnMouseDown = soundTest.OnMouseUp = [this](int, int, int, int) { PlayTestSound(); };

    Add(ui::Kind::Shape, "Shape2", 480, 3840, 5580, 15);
    AddButtonRow(3990);
    OnLoad = [this] { Form_Load(); };
}

void frmFeedbackSound::Form_Load() {
    const DeviceSettings& record = cp_.Link.Settings;
    for (int i = 1; i <= 4; ++i) Ctl("optFeedbackSound", i).SetCaption(" " + cp_.Names.SoundModeNames[i]);
    pendingSoundMode_ = record.SoundMode;
    MoveOptionMark("optFeedbackSound", -1, pendingSoundMode_);
    Ctl("hscTone").SetValue(record.SoundTone);
    Ctl("hscDuration").SetValue(record.SoundDuration);
    tone_.Take(Ctl("hscTone"));
    duration_.Take(Ctl("hscDuration"));
    // The labels follow the bars also when a stored value equals a bar's design position.
    hscTone_Change();
    hscDuration_Change();
    EnableSoundTest();
    cp_.Branding.DressDialog(*this);
}

void frmFeedbackSound::optFeedbackSound_Click(int index) {
    if (index == pendingSoundMode_) return;
    const int old = pendingSoundMode_;
    pendingSoundMode_ = static_cast<std::uint8_t>(index);
    MoveOptionMark("optFeedbackSound", old, index);
    UpdateApplyButton();
}

void frmFeedbackSound::hscTone_Change() {
    Ctl("lblTone").SetCaption(std::to_string(Ctl("hscTone").Value()));
    UpdateApplyButton();
}

void frmFeedbackSound::hscDuration_Change() {
    Ctl("lblDuration").SetCaption(std::to_string(Ctl("hscDuration").Value()));
    UpdateApplyButton();
}

void frmFeedbackSound::UpdateApplyButton() {
    SetApplyEnabled(pendingSoundMode_ != cp_.Link.Settings.SoundMode || duration_.Moved(Ctl("hscDuration")) ||
                    tone_.Moved(Ctl("hscTone")));
}

// The test plays what the labels show, applied or not.
void frmFeedbackSound::PlayTestSound() {
    cp_.Link.Sound.Tone = LabelNumber(Ctl("lblTone"));
    cp_.Link.Sound.Duration = LabelNumber(Ctl("lblDuration"));
    cp_.Link.SoundTest();
}

// The test button follows the applied mode (Load and Apply only): it is live while the
// controller is silent.
void frmFeedbackSound::EnableSoundTest() { Ctl("cmdSoundTest").SetEnabled(pendingSoundMode_ == 1); }

void frmFeedbackSound::ApplyChanges() {
    DeviceSettings& record = cp_.Link.Settings;
    tone_.Store(Ctl("hscTone"), record.SoundTone);
    duration_.Store(Ctl("hscDuration"), record.SoundDuration);
    record.SoundMode = pendingSoundMode_;
    cp_.Link.SetFeedbackSound();
    SetMainSummary("lblFeedbackSound", SoundText(cp_.Names, pendingSoundMode_));
    EnableSoundTest();
}

}  // namespace kesma::controlpanel
