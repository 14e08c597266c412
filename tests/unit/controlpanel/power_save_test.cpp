#include "controlpanel/power_save.h"

#include <gtest/gtest.h>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

class PowerSaveTest : public test::ControlPanelTest {
protected:
    PowerSaveTest() { stored.IdleTime = 15; }

    ui::Form& Open() { return OpenFrom("cmdSleepTime", "frmSleepTime"); }
};

TEST_F(PowerSaveTest, TheLabelsFollowTheBarFromLoadOn) {
    auto& d = Open();  // 15 is the bar's design position: no change event at load
    EXPECT_EQ(d.Ctl<ui::Label>("lblST").Caption(), "150");
    EXPECT_EQ(d.Ctl<ui::Label>("lblSS").Caption(), "Power Down When Idle  2 Min.  30 Sec.");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());

    ui::HScrollBar& bar = d.Ctl<ui::HScrollBar>("hscSleepTime");
    bar.UserScroll(0);
    EXPECT_EQ(d.Ctl<ui::Label>("lblST").Caption(), "0");
    EXPECT_EQ(d.Ctl<ui::Label>("lblSS").Caption(), "Disable Power Down Function");
    bar.UserSetValue(6);
    EXPECT_EQ(d.Ctl<ui::Label>("lblST").Caption(), "60");
    EXPECT_EQ(d.Ctl<ui::Label>("lblSS").Caption(), "Power Down When Idle  1 Min. ");
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdApply").Enabled());
    bar.UserSetValue(1);
    EXPECT_EQ(d.Ctl<ui::Label>("lblSS").Caption(), "Power Down When Idle  10 Sec.");
    bar.UserSetValue(15);
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
}

TEST_F(PowerSaveTest, ApplySendsTheWholeRecordAndRewritesTheSummary) {
    auto& d = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    d.Ctl<ui::HScrollBar>("hscSleepTime").UserSetValue(0);
    d.Ctl<ui::Button>("cmdApply").UserClick();

    expected.IdleTime = 0;
    ExpectSentSettings(KESMA_SET_POWER_SAVE, expected);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblSleepTime").Caption(), "Disable Power Down Function");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
}

TEST_F(PowerSaveTest, OkAppliesPendingChangesOnlyAndCancelSendsNothing) {
    auto& unchanged = Open();
    unchanged.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(unchanged);

    auto& cancelled = Open();
    cancelled.Ctl<ui::HScrollBar>("hscSleepTime").UserSetValue(30);
    cancelled.Ctl<ui::Button>("cmdCandel").UserClick();
    ExpectClosedQuietly(cancelled);

    auto& changed = Open();
    changed.Ctl<ui::HScrollBar>("hscSleepTime").UserSetValue(30);
    changed.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_SET_POWER_SAVE});
    EXPECT_EQ(stored.IdleTime, 30);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblSleepTime").Caption(), "Power Down When Idle  5 Min. ");
    EXPECT_FALSE(changed.Loaded());
    EXPECT_TRUE(Main().Visible());
}

TEST_F(PowerSaveTest, AnIdleTimeBeyondTheBarIsKeptUntilTheBarIsMoved) {
    stored.IdleTime = 255;
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::Label>("lblST").Caption(), "300");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    d.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(d);
    EXPECT_EQ(stored.IdleTime, 255);
}

}  // namespace
}  // namespace kesma::controlpanel
