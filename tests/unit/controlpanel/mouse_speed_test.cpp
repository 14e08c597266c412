#include "controlpanel/mouse_speed.h"

#include <gtest/gtest.h>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

class MouseSpeedTest : public test::ControlPanelTest {
protected:
    MouseSpeedTest() {
        Store(10, 12);
        stored.Acceleration = 2;
        stored.BypassMode = 0;
    }

    ui::Form& Open() {
        return OpenFrom([](ui::Form& main) { main.UserKeyDown('M', ui::kAltMask); }, "frmMouseSpeed");
    }

    void Store(int horizontal, int vertical) {
        stored.SpeedH = static_cast<std::uint8_t>(horizontal);
        stored.SpeedV = static_cast<std::uint8_t>(vertical);
    }
};

TEST_F(MouseSpeedTest, LoadShowsTheStoredSettings) {
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optAcceleration", 1).Caption(), "Slow");
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optAcceleration", 4).Caption(), "Off");
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optAcceleration", 2).Value(), 1);
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optAcceleration", 2).ForeColor(), ui::kBlack);
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optAcceleration", 3).ForeColor(), ui::kTeal);
    EXPECT_EQ(d.Ctl<ui::Label>("lblHS").Caption(), "50%");
    EXPECT_EQ(d.Ctl<ui::Label>("lblVS").Caption(), "60%");
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBoth").Value(), 0);  // the speeds differ
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBoth").ForeColor(), ui::kTeal);
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBypass").Value(), 0);
    EXPECT_TRUE(d.Ctl<ui::HScrollBar>("hscMouseHSpeed").Enabled());
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    EXPECT_TRUE(h.device.Journal().empty());
}

TEST_F(MouseSpeedTest, EqualSpeedsOpenCoupledAndMoveTogether) {
    Store(1, 1);
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::Label>("lblHS").Caption(), "5%");  // the bars' design position
    EXPECT_EQ(d.Ctl<ui::Label>("lblVS").Caption(), "5%");
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBoth").Value(), 1);
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBoth").ForeColor(), ui::kBlack);
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());

    d.Ctl<ui::HScrollBar>("hscMouseHSpeed").UserSetValue(2);
    EXPECT_EQ(d.Ctl<ui::HScrollBar>("hscMouseVSpeed").Value(), 2);
    EXPECT_EQ(d.Ctl<ui::Label>("lblHS").Caption(), "10%");
    EXPECT_EQ(d.Ctl<ui::Label>("lblVS").Caption(), "10%");
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdApply").Enabled());

    // While the vertical thumb is dragged, the horizontal bar and its label follow.
    d.Ctl<ui::HScrollBar>("hscMouseVSpeed").UserScroll(7);
    EXPECT_EQ(d.Ctl<ui::HScrollBar>("hscMouseHSpeed").Value(), 7);
    EXPECT_EQ(d.Ctl<ui::Label>("lblHS").Caption(), "35%");
    d.Ctl<ui::HScrollBar>("hscMouseVSpeed").UserSetValue(7);
    EXPECT_EQ(d.Ctl<ui::Label>("lblVS").Caption(), "35%");
}

TEST_F(MouseSpeedTest, UncoupledBarsMoveAloneAndCheckingDoesNotEqualise) {
    auto& d = Open();
    d.Ctl<ui::HScrollBar>("hscMouseHSpeed").UserSetValue(11);
    EXPECT_EQ(d.Ctl<ui::HScrollBar>("hscMouseVSpeed").Value(), 12);
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdApply").Enabled());
    d.Ctl<ui::HScrollBar>("hscMouseHSpeed").UserSetValue(10);
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());

    d.Ctl<ui::CheckBox>("chkBoth").UserClick();
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBoth").ForeColor(), ui::kBlack);
    EXPECT_EQ(d.Ctl<ui::HScrollBar>("hscMouseHSpeed").Value(), 10);
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());

    d.Ctl<ui::OptionButton>("optAcceleration", 2).UserClick();  // already selected
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    d.Ctl<ui::OptionButton>("optAcceleration", 4).UserClick();
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdApply").Enabled());
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optAcceleration", 2).ForeColor(), ui::kTeal);
}

TEST_F(MouseSpeedTest, BypassFreezesTheSpeedControls) {
    auto& d = Open();
    d.Ctl<ui::CheckBox>("chkBypass").UserClick();
    for (const char* name : {"chkBoth", "hscMouseHSpeed", "hscMouseVSpeed"}) {
        EXPECT_FALSE(d.Ctl(name).Enabled()) << name;
    }
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(d.Ctl<ui::OptionButton>("optAcceleration", i).Enabled()) << i;
    EXPECT_TRUE(d.Ctl<ui::Button>("cmdApply").Enabled());

    d.Ctl<ui::CheckBox>("chkBypass").UserClick();
    EXPECT_TRUE(d.Ctl<ui::HScrollBar>("hscMouseVSpeed").Enabled());
    EXPECT_TRUE(d.Ctl<ui::OptionButton>("optAcceleration", 4).Enabled());
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
}

TEST_F(MouseSpeedTest, ApplySendsTheWholeRecordAndRewritesTheSummary) {
    auto& d = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    d.Ctl<ui::HScrollBar>("hscMouseHSpeed").UserSetValue(11);
    d.Ctl<ui::OptionButton>("optAcceleration", 3).UserClick();
    d.Ctl<ui::Button>("cmdApply").UserClick();

    expected.SpeedH = 11;
    expected.Acceleration = 3;
    ExpectSentSettings(KESMA_SET_MOUSE_SPEED, expected);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblMouseSpeed").Caption(), "HS=55%, VS=60%, Acceleration=Fast");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());

    // Under bypass the frozen values are sent along.
    h.device.ClearJournal();
    d.Ctl<ui::CheckBox>("chkBypass").UserClick();
    d.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_SET_MOUSE_SPEED});
    EXPECT_EQ(stored.BypassMode, 1);
    EXPECT_EQ(stored.SpeedH, 11);
    EXPECT_EQ(stored.Acceleration, 3);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblMouseSpeed").Caption(), "Enable Bypass Mode");
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(Main().Visible());
}

TEST_F(MouseSpeedTest, OkWithoutChangesAndCancelSendNothing) {
    auto& unchanged = Open();
    unchanged.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(unchanged);

    auto& cancelled = Open();
    cancelled.Ctl<ui::HScrollBar>("hscMouseVSpeed").UserSetValue(20);
    cancelled.Ctl<ui::Button>("cmdCandel").UserClick();
    ExpectClosedQuietly(cancelled);
}

// A check box shows a bypass mode 2 as checked and bars clamp the speeds; none of it is
// written back unless the user changes that control.
TEST_F(MouseSpeedTest, OutOfRangeValuesAreKeptUntilTheirControlIsChanged) {
    Store(0, 200);
    stored.BypassMode = 2;
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::CheckBox>("chkBypass").Value(), 1);
    EXPECT_EQ(d.Ctl<ui::Label>("lblHS").Caption(), "5%");
    EXPECT_EQ(d.Ctl<ui::Label>("lblVS").Caption(), "100%");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    d.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(d);

    auto& changed = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    changed.Ctl<ui::CheckBox>("chkBypass").UserClick();
    changed.Ctl<ui::HScrollBar>("hscMouseHSpeed").UserSetValue(4);
    changed.Ctl<ui::Button>("cmdApply").UserClick();
    expected.BypassMode = 0;
    expected.SpeedH = 4;
    ExpectSentSettings(KESMA_SET_MOUSE_SPEED, expected);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblMouseSpeed").Caption(), "HS=20%, VS=1000%, Acceleration=Medium");
}

}  // namespace
}  // namespace kesma::controlpanel
