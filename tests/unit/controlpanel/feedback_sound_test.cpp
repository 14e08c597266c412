#include "controlpanel/feedback_sound.h"

#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

class FeedbackSoundTest : public test::ControlPanelTest {
protected:
    FeedbackSoundTest() {
        stored.SoundMode = 2;
        stored.SoundTone = 1000;
        stored.SoundDuration = 30;
    }

    ui::Form& Open() { return OpenFrom("cmdFeedbackSound", "frmFeedbackSound"); }
};

TEST_F(FeedbackSoundTest, LoadShowsTheStoredSettings) {
    auto& d = Open();
    EXPECT_EQ(d.Caption(), kAppTitle);
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", 1).Caption(), " Silence ( No Sound )");
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", 4).Caption(), " Both Touch Down && Lift Off");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", i).Value(), i == 2 ? 1 : 0) << i;
        EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", i).ForeColor(), i == 2 ? ui::kBlack : ui::kTeal) << i;
    }
    EXPECT_EQ(d.Ctl<ui::Label>("lblTone").Caption(), "1000");
    EXPECT_EQ(d.Ctl<ui::Label>("lblDuration").Caption(), "30");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdSoundTest").Enabled());  // only while silent
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    EXPECT_TRUE(h.device.Journal().empty());
}

TEST_F(FeedbackSoundTest, ValuesAtTheBarsDesignPositionsAreShownToo) {
    stored.SoundMode = 1;
    stored.SoundTone = 200;
    stored.SoundDuration = 10;
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::Label>("lblTone").Caption(), "200");
    EXPECT_EQ(d.Ctl<ui::Label>("lblDuration").Caption(), "10");
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdSoundTest").Enabled());
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
}

TEST_F(FeedbackSoundTest, ApplyIsEnabledExactlyWhileTheDialogDiffers) {
    auto& d = Open();
    ui::Button& apply = d.Ctl<ui::Button>("cmdApply");
    d.Ctl<ui::OptionButton>("optFeedbackSound", 2).UserClick();  // already selected
    EXPECT_FALSE(apply.Enabled());
    d.Ctl<ui::OptionButton>("optFeedbackSound", 4).UserClick();
    EXPECT_TRUE(apply.Enabled());
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", 2).ForeColor(), ui::kTeal);
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", 4).ForeColor(), ui::kBlack);
    d.Ctl<ui::OptionButton>("optFeedbackSound", 2).UserClick();
    EXPECT_FALSE(apply.Enabled());

    // Dragging shows the number at once; back at the stored value nothing differs.
    d.Ctl<ui::HScrollBar>("hscTone").UserScroll(1500);
    EXPECT_EQ(d.Ctl<ui::Label>("lblTone").Caption(), "1500");
    EXPECT_TRUE(apply.Enabled());
    d.Ctl<ui::HScrollBar>("hscTone").UserScroll(1000);
    EXPECT_FALSE(apply.Enabled());
    d.Ctl<ui::HScrollBar>("hscDuration").UserSetValue(31);
    EXPECT_EQ(d.Ctl<ui::Label>("lblDuration").Caption(), "31");
    EXPECT_TRUE(apply.Enabled());
    d.Ctl<ui::HScrollBar>("hscDuration").UserSetValue(30);
    EXPECT_FALSE(apply.Enabled());
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdSoundTest").Enabled());  // option clicks leave it alone
    EXPECT_TRUE(h.device.Journal().empty());
}

TEST_F(FeedbackSoundTest, ApplySendsTheWholeRecordAndRewritesTheSummary) {
    auto& d = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    d.Ctl<ui::OptionButton>("optFeedbackSound", 1).UserClick();
    d.Ctl<ui::HScrollBar>("hscTone").UserSetValue(4321);
    d.Ctl<ui::HScrollBar>("hscDuration").UserSetValue(45);
    d.Ctl<ui::Button>("cmdApply").UserClick();

    expected.SoundMode = 1;
    expected.SoundTone = 4321;
    expected.SoundDuration = 45;
    ExpectSentSettings(KESMA_SET_FEEDBACK_SOUND, expected);
    EXPECT_EQ(stored.SoundTone, 4321);

    EXPECT_EQ(Main().Ctl<ui::Label>("lblFeedbackSound").Caption(), "Silence ( No Sound )");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdSoundTest").Enabled());  // silence applied
    EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
    EXPECT_TRUE(d.Loaded());
}

TEST_F(FeedbackSoundTest, SoundTestPlaysTheShownValuesOnPressAndRelease) {
    stored.SoundMode = 1;
    auto& d = Open();
    d.Ctl<ui::HScrollBar>("hscTone").UserSetValue(2500);
    d.Ctl<ui::HScrollBar>("hscDuration").UserSetValue(12);
    ui::Button& test = d.Ctl<ui::Button>("cmdSoundTest");
    test.UserMouseDown(ui::kLeftButton, 0, 5, 5);
    test.UserMouseUp(ui::kLeftButton, 0, 5, 5);

    const auto journal = h.device.Journal();
    ASSERT_EQ(journal.size(), 2u);
    for (const auto& entry : journal) {
        EXPECT_EQ(entry.code, KESMA_SOUND_TEST);
        SoundTestRecord sent{};
        ASSERT_EQ(entry.in.size(), sizeof sent);
        std::memcpy(&sent, entry.in.data(), sizeof sent);
        EXPECT_EQ(sent.Tone, 2500);
        EXPECT_EQ(sent.Duration, 12);
    }
    EXPECT_EQ(stored.SoundTone, 1000);  // nothing applied
}

TEST_F(FeedbackSoundTest, OkAppliesOnlyWhatIsPendingAndReturnsToTheMainWindow) {
    auto& unchanged = Open();
    unchanged.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(unchanged);

    auto& changed = Open();
    changed.Ctl<ui::OptionButton>("optFeedbackSound", 3).UserClick();
    changed.UserKeyDown(13, 0);  // Enter: OK
    EXPECT_FALSE(changed.Loaded());
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_SET_FEEDBACK_SOUND});
    EXPECT_EQ(stored.SoundMode, 3);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblFeedbackSound").Caption(), "Lift Off Only");
}

TEST_F(FeedbackSoundTest, CancelDropsUnappliedChanges) {
    auto& d = Open();
    d.Ctl<ui::OptionButton>("optFeedbackSound", 4).UserClick();
    d.Ctl<ui::HScrollBar>("hscTone").UserSetValue(3000);
    d.UserKeyDown(27, 0);  // Esc: Cancel
    ExpectClosedQuietly(d);

    auto& again = Open();
    EXPECT_EQ(again.Ctl<ui::OptionButton>("optFeedbackSound", 2).Value(), 1);
    EXPECT_EQ(again.Ctl<ui::Label>("lblTone").Caption(), "1000");
}

TEST_F(FeedbackSoundTest, AModeOutsideTheOptionsSelectsNoneUntilTheUserChooses) {
    stored.SoundMode = 0;
    auto& d = Open();
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(d.Ctl<ui::OptionButton>("optFeedbackSound", i).Value(), 0) << i;
    d.Ctl<ui::OptionButton>("optFeedbackSound", 2).UserClick();
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdApply").Enabled());
}

// Bars clamp what they cannot show; the driver's values stay until the user moves a bar.
TEST_F(FeedbackSoundTest, OutOfRangeValuesAreKeptUntilTheirBarIsMoved) {
    stored.SoundTone = 100;
    stored.SoundDuration = 65535;
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::Label>("lblTone").Caption(), "200");
    EXPECT_EQ(d.Ctl<ui::Label>("lblDuration").Caption(), "50");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    d.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(d);

    auto& changed = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    changed.Ctl<ui::HScrollBar>("hscTone").UserSetValue(300);
    changed.Ctl<ui::Button>("cmdApply").UserClick();
    expected.SoundTone = 300;
    ExpectSentSettings(KESMA_SET_FEEDBACK_SOUND, expected);
    EXPECT_EQ(stored.SoundDuration, 65535);
}

}  // namespace
}  // namespace kesma::controlpanel
