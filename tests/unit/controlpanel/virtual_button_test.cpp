#include "controlpanel/virtual_button.h"

#include <gtest/gtest.h>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

const char* const kAutoControls[] = {"lblRBAutoSTime", "cboRBAutoSTime", "lblRBAutoSTimeSec",
                                     "lblRBAutoETime", "cboRBAutoETime", "lblRBAutoETimeSec",
                                     "lblRBAutoBeep",  "cboRBAutoBeep"};

class VirtualButtonTest : public test::ControlPanelTest {
protected:
    VirtualButtonTest() {
        Store(4, 0, 0);
        stored.RbAutoStartTime = 2;
        stored.RbAutoEndTime = 3;
        stored.RbAutoBeep = 1;
    }

    ui::Form& Open() { return OpenFrom("cmdVirtualButton", "frmVirtualButton"); }

    void Store(int touchMode, int rightButton, int autoMode) {
        stored.TouchMode = static_cast<std::uint8_t>(touchMode);
        stored.RightButton = static_cast<std::uint8_t>(rightButton);
        stored.RbAutoMode = static_cast<std::uint8_t>(autoMode);
    }

    static bool AutoControlsEnabled(const ui::Form& d, bool enabled) {
        for (const char* name : kAutoControls) {
            if (d.Ctl(name).Enabled() != enabled) return false;
        }
        return true;
    }
};

TEST_F(VirtualButtonTest, LoadShowsTheStoredSettings) {
    auto& d = Open();
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optVirtualButton", 1).Caption(), " Stream Mode");
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optVirtualButton", 4).Caption(), " Drag Drop Mode");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(d.Ctl<ui::OptionButton>("optVirtualButton", i).ForeColor(), i == 4 ? ui::kBlack : ui::kTeal);
    }
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optVirtualButton", 4).Value(), 1);
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optRBFunction", 0).Value(), 1);
    EXPECT_EQ(d.Ctl<ui::OptionButton>("optRBFunction", 1).ForeColor(), ui::kTeal);

    const ui::ComboBox& start = d.Ctl<ui::ComboBox>("cboRBAutoSTime");
    EXPECT_EQ(start.Items(), (std::vector<std::string>{"0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4", "4.5", "5"}));
    EXPECT_EQ(d.Ctl<ui::ComboBox>("cboRBAutoETime").Items(), start.Items());
    EXPECT_EQ(start.ListIndex(), 2);
    EXPECT_EQ(d.Ctl<ui::ComboBox>("cboRBAutoETime").ListIndex(), 3);
    EXPECT_EQ(d.Ctl<ui::ComboBox>("cboRBAutoMode").Items(),
              (std::vector<std::string>{" Manual Mode", " Automatic Mode"}));
    EXPECT_EQ(d.Ctl<ui::ComboBox>("cboRBAutoMode").ListIndex(), 0);
    EXPECT_EQ(d.Ctl<ui::ComboBox>("cboRBAutoBeep").ListIndex(), 1);

    EXPECT_FALSE(d.Ctl<ui::ComboBox>("cboRBAutoMode").Enabled());  // right button off
    EXPECT_TRUE(AutoControlsEnabled(d, false));
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());
    EXPECT_TRUE(h.device.Journal().empty());
}

TEST_F(VirtualButtonTest, AutomaticControlsAreLiveOnlyInDragDropWithTheRightButtonOn) {
    Store(2, 1, 1);
    auto& d = Open();
    EXPECT_FALSE(d.Ctl<ui::ComboBox>("cboRBAutoMode").Enabled());
    EXPECT_TRUE(AutoControlsEnabled(d, false));

    d.Ctl<ui::OptionButton>("optVirtualButton", 4).UserClick();
    EXPECT_TRUE(d.Ctl<ui::ComboBox>("cboRBAutoMode").Enabled());
    EXPECT_TRUE(AutoControlsEnabled(d, true));

    d.Ctl<ui::ComboBox>("cboRBAutoMode").UserSelect(0);
    EXPECT_TRUE(AutoControlsEnabled(d, false));
    d.Ctl<ui::ComboBox>("cboRBAutoMode").UserSelect(1);
    d.Ctl<ui::OptionButton>("optRBFunction", 0).UserClick();
    EXPECT_FALSE(d.Ctl<ui::ComboBox>("cboRBAutoMode").Enabled());
    EXPECT_TRUE(AutoControlsEnabled(d, false));
}

TEST_F(VirtualButtonTest, StoredAutomaticModeComparesTheAutomaticSettings) {
    Store(4, 1, 1);
    auto& d = Open();
    ui::Button& apply = d.Ctl<ui::Button>("cmdApply");
    d.Ctl<ui::ComboBox>("cboRBAutoSTime").UserSelect(5);
    EXPECT_TRUE(apply.Enabled());
    d.Ctl<ui::ComboBox>("cboRBAutoSTime").UserSelect(2);
    EXPECT_FALSE(apply.Enabled());
    d.Ctl<ui::ComboBox>("cboRBAutoBeep").UserSelect(0);
    EXPECT_TRUE(apply.Enabled());
    d.Ctl<ui::ComboBox>("cboRBAutoBeep").UserSelect(1);
    d.Ctl<ui::OptionButton>("optVirtualButton", 3).UserClick();
    EXPECT_TRUE(apply.Enabled());
    d.Ctl<ui::OptionButton>("optVirtualButton", 4).UserClick();
    EXPECT_FALSE(apply.Enabled());
}

TEST_F(VirtualButtonTest, StoredManualModeIgnoresTheAutomaticSettings) {
    Store(4, 1, 0);
    auto& d = Open();
    ui::Button& apply = d.Ctl<ui::Button>("cmdApply");
    d.Ctl<ui::ComboBox>("cboRBAutoMode").UserSelect(1);
    EXPECT_TRUE(apply.Enabled());
    d.Ctl<ui::ComboBox>("cboRBAutoETime").UserSelect(9);
    d.Ctl<ui::ComboBox>("cboRBAutoMode").UserSelect(0);
    EXPECT_FALSE(apply.Enabled());
    EXPECT_TRUE(h.device.Journal().empty());
}

TEST_F(VirtualButtonTest, ApplyStartsOrClosesTheRightButtonProgram) {
    auto& d = Open();
    DeviceSettings expected = h.cp.Link.Settings;
    d.Ctl<ui::OptionButton>("optRBFunction", 1).UserClick();
    d.Ctl<ui::Button>("cmdApply").UserClick();

    expected.RightButton = 1;
    ExpectSentSettings(KESMA_SET_TOUCH_MODE, expected);
    EXPECT_EQ(h.processes.execs,
              (std::vector<test::FakeProcesses::Exec>{
                  {"\"C:\\Program Files\\Lumivane\\TouchScreen\\Kesmarbtn.exe\"", kSwHide}}));
    EXPECT_EQ(Main().Ctl<ui::Label>("lblVirtualButton").Caption(), "Drag Drop Mode, RBF Enable ( Manual Mode )");
    EXPECT_FALSE(d.Ctl<ui::Button>("cmdApply").Enabled());

    // In automatic mode the driver clicks by itself: the running program is told to quit.
    h.device.state().Sim.RightButtonSlot.Window = 0x4242;
    h.device.ClearJournal();
    d.Ctl<ui::ComboBox>("cboRBAutoMode").UserSelect(1);
    d.Ctl<ui::ComboBox>("cboRBAutoSTime").UserSelect(7);  // stored along, though Apply is already on
    d.Ctl<ui::Button>("cmdApply").UserClick();
    EXPECT_EQ(h.device.Codes(), (std::vector<std::uint32_t>{KESMA_SET_TOUCH_MODE, KESMA_GET_RIGHT_BUTTON_WINDOW}));
    EXPECT_EQ(stored.RbAutoMode, 1);
    EXPECT_EQ(stored.RbAutoStartTime, 7);
    EXPECT_EQ(h.windows.sent, (std::vector<test::FakeWindows::Message>{{0x4242, kWmUser, kRequestClose, 0}}));
    EXPECT_EQ(h.processes.execs.size(), 1u);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblVirtualButton").Caption(), "Drag Drop Mode, RBF Enable ( Automatic Mode )");
}

TEST_F(VirtualButtonTest, TurningTheRightButtonOffSendsNothingWithoutARegisteredWindow) {
    Store(1, 1, 0);
    auto& d = Open();
    d.Ctl<ui::OptionButton>("optRBFunction", 0).UserClick();
    d.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(h.device.Codes(), (std::vector<std::uint32_t>{KESMA_SET_TOUCH_MODE, KESMA_GET_RIGHT_BUTTON_WINDOW}));
    EXPECT_TRUE(h.windows.sent.empty());
    EXPECT_TRUE(h.processes.execs.empty());
    EXPECT_EQ(Main().Ctl<ui::Label>("lblVirtualButton").Caption(), "Stream Mode, RBF Disable");
    EXPECT_FALSE(d.Loaded());
    EXPECT_TRUE(Main().Visible());
}

TEST_F(VirtualButtonTest, OkWithoutChangesAndCancelSendNothing) {
    auto& unchanged = Open();
    unchanged.Ctl<ui::Button>("cmdOK").UserClick();
    ExpectClosedQuietly(unchanged);

    auto& cancelled = Open();
    cancelled.Ctl<ui::OptionButton>("optVirtualButton", 1).UserClick();
    cancelled.Ctl<ui::Button>("cmdCandel").UserClick();
    ExpectClosedQuietly(cancelled);
    EXPECT_TRUE(h.processes.execs.empty());
    EXPECT_EQ(stored.TouchMode, 4);
}

}  // namespace
}  // namespace kesma::controlpanel
