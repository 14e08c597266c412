#include "controlpanel/power_save.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

class PowerSaveTest : public ::testing::Test {
protected:
    PowerSaveTest() { stored.IdleTime = 15; }

    // Starts the control panel at the first call, then opens the dialog from the main window.
    ui::Form& Open() {
        if (!main_ && !(main_ = h.Start())) throw std::runtime_error("the control panel did not start");
        h.device.ClearJournal();
        Main().Ctl("cmdSleepTime").UserClick();
        return *h.Form("frmSleepTime");
    }
    ui::Form& Main() const { return *main_; }

    test::ControlPanelHarness h;
    DeviceSettings& stored = h.device.settings();
    frmMain* main_ = nullptr;
};

TEST_F(PowerSaveTest, TheLabelsFollowTheBarFromLoadOn) {
    auto& d = Open();  // 15 is the bar's design position: no change event at load
    EXPECT_EQ(d.Ctl("lblST").Caption(), "150");
    EXPECT_EQ(d.Ctl("lblSS").Caption(), "Power Down When Idle  2 Min.  30 Sec.");
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());

    ui::Control& bar = d.Ctl("hscSleepTime");
    bar.UserScroll(0);
    EXPECT_EQ(d.Ctl("lblST").Caption(), "0");
    EXPECT_EQ(d.Ctl("lblSS").Caption(), "Disable Power Down Function");
    bar.UserSetValue(6);
    EXPECT_EQ(d.Ctl("lblST").Caption(), "60");
    EXPECT_EQ(d.Ctl("lblSS").Caption(), "Power Down When Idle  1 Min. ");
    EXPECT_TRUE(d.Ctl("cmdApply").Enabled());
    bar.UserSetValue(1);
    EXPECT_EQ(d.Ctl("lblSS").Caption(), "Power Down When Idle  10 Sec.");
    bar.UserSetValue(15);
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());
}

TEST_F(PowerSaveTest, ApplySendsTheWholeRecordAndRewritesTheSummary) {
    auto& d = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    d.Ctl("hscSleepTime").UserSetValue(0);
    d.Ctl("cmdApply").UserClick();

    expected.IdleTime = 0;
    const auto journal = h.device.Journal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].code, KESMA_SET_POWER_SAVE);
    ASSERT_EQ(journal[0].in.size(), sizeof(DeviceSettings));
    EXPECT_EQ(std::memcmp(journal[0].in.data(), &expected, sizeof expected), 0);
    EXPECT_EQ(Main().Ctl("lblSleepTime").Caption(), "Disable Power Down Function");
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());
    EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
}

TEST_F(PowerSaveTest, OkAppliesPendingChangesOnlyAndCancelSendsNothing) {
    auto& unchanged = Open();
    unchanged.Ctl("cmdOK").UserClick();
    EXPECT_FALSE(unchanged.Loaded());
    EXPECT_TRUE(h.device.Journal().empty());

    auto& cancelled = Open();
    cancelled.Ctl("hscSleepTime").UserSetValue(30);
    cancelled.Ctl("cmdCandel").UserClick();
    EXPECT_FALSE(cancelled.Loaded());
    EXPECT_TRUE(h.device.Journal().empty());

    auto& changed = Open();
    changed.Ctl("hscSleepTime").UserSetValue(30);
    changed.Ctl("cmdOK").UserClick();
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_SET_POWER_SAVE});
    EXPECT_EQ(stored.IdleTime, 30);
    EXPECT_EQ(Main().Ctl("lblSleepTime").Caption(), "Power Down When Idle  5 Min. ");
    EXPECT_FALSE(changed.Loaded());
    EXPECT_TRUE(Main().Visible());
}

}  // namespace
}  // namespace kesma::controlpanel
