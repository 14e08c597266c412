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
    EXPECT_EQ(d.Ctl("optAcceleration", 1).Caption(), "Slow");
    EXPECT_EQ(d.Ctl("optAcceleration", 4).Caption(), "Off");
    EXPECT_EQ(d.Ctl("optAcceleration", 2).Value(), 1);
    EXPECT_EQ(d.Ctl("optAcceleration", 2).ForeColor(), ui::kBlack);
    EXPECT_EQ(d.Ctl("optAcceleration", 3).ForeColor(), ui::kTeal);
    EXPECT_EQ(d.Ctl("lblHS").Caption(), "50%");
    EXPECT_EQ(d.Ctl("lblVS").Caption(), "60%");
    EXPECT_EQ(d.Ctl("chkBoth").Value(), 0);  // the speeds differ
    EXPECT_EQ(d.Ctl("chkBoth").ForeColor(), ui::kTeal);
    EXPECT_EQ(d.Ctl("chkBypass").Value(), 0);
    EXPECT_TRUE(d.Ctl("hscMouseHSpeed").Enabled());
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());
    EXPECT_TRUE(h.device.Journal().empty());
}

TEST_F(MouseSpeedTest, EqualSpeedsOpenCoupledAndMoveTogether) {
    Store(1, 1);
    auto& d = Open();
    EXPECT_EQ(d.Ctl("lblHS").Caption(), "5%");  // the bars' design position
    EXPECT_EQ(d.Ctl("lblVS").Caption(), "5%");
    EXPECT_EQ(d.Ctl("chkBoth").Value(), 1);
    EXPECT_EQ(d.Ctl("chkBoth").ForeColor(), ui::kBlack);
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());

    d.Ctl("hscMouseHSpeed").UserSetValue(2);
    EXPECT_EQ(d.Ctl("hscMouseVSpeed").Value(), 2);
    EXPECT_EQ(d.Ctl("lblHS").Caption(), "10%");
    EXPECT_EQ(d.Ctl("lblVS").Caption(), "10%");
    EXPECT_TRUE(d.Ctl("cmdApply").Enabled());

    // While the vertical thumb is dragged, the horizontal bar and its label follow.
    d.Ctl("hscMouseVSpeed").UserScroll(7);
    EXPECT_EQ(d.Ctl("hscMouseHSpeed").Value(), 7);
    EXPECT_EQ(d.Ctl("lblHS").Caption(), "35%");
    d.Ctl("hscMouseVSpeed").UserSetValue(7);
    EXPECT_EQ(d.Ctl("lblVS").Caption(), "35%");
}

TEST_F(MouseSpeedTest, UncoupledBarsMoveAloneAndCheckingDoesNotEqualise) {
    auto& d = Open();
    d.Ctl("hscMouseHSpeed").UserSetValue(11);
    EXPECT_EQ(d.Ctl("hscMouseVSpeed").Value(), 12);
    EXPECT_TRUE(d.Ctl("cmdApply").Enabled());
    d.Ctl("hscMouseHSpeed").UserSetValue(10);
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());

    d.Ctl("chkBoth").UserClick();
    EXPECT_EQ(d.Ctl("chkBoth").ForeColor(), ui::kBlack);
    EXPECT_EQ(d.Ctl("hscMouseHSpeed").Value(), 10);
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());

    d.Ctl("optAcceleration", 2).UserClick();  // already selected
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());
    d.Ctl("optAcceleration", 4).UserClick();
    EXPECT_TRUE(d.Ctl("cmdApply").Enabled());
    EXPECT_EQ(d.Ctl("optAcceleration", 2).ForeColor(), ui::kTeal);
}

TEST_F(MouseSpeedTest, BypassFreezesTheSpeedControls) {
    auto& d = Open();
    d.Ctl("chkBypass").UserClick();
    for (const char* name : {"chkBoth", "hscMouseHSpeed", "hscMouseVSpeed"}) {
        EXPECT_FALSE(d.Ctl(name).Enabled()) << name;
    }
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(d.Ctl("optAcceleration", i).Enabled()) << i;
    EXPECT_TRUE(d.Ctl("cmdApply").Enabled());

    d.Ctl("chkBypass").UserClick();
    EXPECT_TRUE(d.Ctl("hscMouseVSpeed").Enabled());
    EXPECT_TRUE(d.Ctl("optAcceleration", 4).Enabled());
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());
}

TEST_F(MouseSpeedTest, ApplySendsTheWholeRecordAndRewritesTheSummary) {
    auto& d = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    d.Ctl("hscMouseHSpeed").UserSetValue(11);
    d.Ctl("optAcceleration", 3).UserClick();
    d.Ctl("cmdApply").UserClick();

    expected.SpeedH = 11;
    expected.Acceleration = 3;
    ExpectSentSettings(KESMA_SET_MOUSE_SPEED, expected);
    EXPECT_EQ(Main().Ctl("lblMouseSpeed").Caption(), "HS=55%, VS=60%, Acceleration=Fast");
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());

    // Under bypass the frozen values are sent along.
    h.device.ClearJournal();
    d.Ctl("chkBypass").UserClick();
    d.Ctl("cmdOK").UserClick();
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_SET_MOUSE_SPEED});
    EXPECT_EQ(stored.BypassMode, 1);
    EXPECT_EQ(stored.SpeedH, 11);
    EXPECT_EQ(stored.Acceleration, 3);
    EXPECT_EQ(Main().Ctl("lblMouseSpeed").Caption(), "Enable Bypass Mode");
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(Main().Visible());
}

TEST_F(MouseSpeedTest, OkWithoutChangesAndCancelSendNothing) {
    auto& unchanged = Open();
    unchanged.Ctl("cmdOK").UserClick();
    ExpectClosedQuietly(unchanged);

    auto& cancelled = Open();
    cancelled.Ctl("hscMouseVSpeed").UserSetValue(20);
    cancelled.Ctl("cmdCandel").UserClick();
    ExpectClosedQuietly(cancelled);
}

// A check box shows a bypass mode 2 as checked and bars clamp the speeds; none of it is
// written back unless the user changes that control.
TEST_F(MouseSpeedTest, OutOfRangeValuesAreKeptUntilTheirControlIsChanged) {
    Store(0, 200);
    stored.BypassMode = 2;
    auto& d = Open();
    EXPECT_EQ(d.Ctl("chkBypass").Value(), 1);
    EXPECT_EQ(d.Ctl("lblHS").Caption(), "5%");
    EXPECT_EQ(d.Ctl("lblVS").Caption(), "100%");
    EXPECT_FALSE(d.Ctl("cmdApply").Enabled());
    d.Ctl("cmdOK").UserClick();
    ExpectClosedQuietly(d);

    auto& changed = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    changed.Ctl("chkBypass").UserClick();
    changed.Ctl("hscMouseHSpeed").UserSetValue(4);
    changed.Ctl("cmdApply").UserClick();
    expected.BypassMode = 0;
    expected.SpeedH = 4;
    ExpectSentSettings(KESMA_SET_MOUSE_SPEED, expected);
    EXPECT_EQ(Main().Ctl("lblMouseSpeed").Caption(), "HS=20%, VS=1000%, Acceleration=Medium");
}

}  // namespace
}  // namespace kesma::controlpanel
