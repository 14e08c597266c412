#include <gtest/gtest.h>

#include <cstring>

#include "harness.h"

namespace kesma::test {
namespace {

using controlpanel::kAppTitle;
constexpr unsigned kErrorBox = ui::kMbSystemModal | ui::kMbIconError;

PortResources SentPortRecord(const SimDevice::Entry& entry) {
    PortResources record{};
    EXPECT_EQ(entry.in.size(), sizeof record);
    std::memcpy(&record, entry.in.data(), sizeof record);
    return record;
}

class MainWindowTest : public ControlPanelTest {
protected:
    // A fatal start-up: one message, nothing after it, no unload handler.
    void ExpectStartToEndWith(const std::string& text) {
        EXPECT_EQ(h.Start(), nullptr);
        EXPECT_TRUE(h.app.Ended());
        ASSERT_EQ(h.MsgBoxes().size(), 1u);
        EXPECT_EQ(h.MsgBoxes()[0].text, text);
        EXPECT_EQ(h.MsgBoxes()[0].flags, kErrorBox);
        EXPECT_EQ(h.MsgBoxes()[0].caption, kAppTitle);
        EXPECT_EQ(h.backend.BeepCount(), 1);
    }
};

TEST_F(MainWindowTest, StartUpSendsPortsInSlotOrderThenReadsTheSettings) {
    h.devices.Add(FakeDevice::Port("COM3", 0x3E8, 5));
    h.devices.Add(FakeDevice::Port("COM1", 0x3F8, 4));
    EXPECT_TRUE(Main().Visible());
    EXPECT_TRUE(h.MsgBoxes().empty());
    EXPECT_EQ(h.processes.instanceChecks, std::vector<std::string>{"Kesmapan"});

    const auto journal = h.device.Journal();
    ASSERT_EQ(journal.size(), 3u);
    EXPECT_EQ(journal[0].code, KESMA_SET_PORT_RESOURCES);
    EXPECT_EQ(SentPortRecord(journal[0]).ComNumber, 1);
    EXPECT_EQ(SentPortRecord(journal[0]).IoBase, 0x3F8);
    EXPECT_EQ(journal[1].code, KESMA_SET_PORT_RESOURCES);
    EXPECT_EQ(SentPortRecord(journal[1]).ComNumber, 3);
    EXPECT_EQ(SentPortRecord(journal[1]).IrqNumber, 5);
    EXPECT_EQ(journal[2].code, KESMA_GET_SETTINGS);
    EXPECT_EQ(h.device.opens, 1);
    EXPECT_EQ(h.device.closes, 0);
    EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
}

TEST_F(MainWindowTest, WithoutComPortsOnlyTheSettingsAreRead) {
    ASSERT_NE(h.Start(), nullptr);
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
}

TEST_F(MainWindowTest, SummaryLinesCaptionAndVersion) {
    DeviceSettings& s = h.device.settings();
    s.IdleTime = 9;
    s.TouchMode = 4;
    s.RightButton = 1;
    s.RbAutoMode = 1;
    s.SoundMode = 4;
    s.SpeedH = 10;
    s.SpeedV = 12;
    s.Acceleration = 1;
    s.BaudIndex = 200;  // beyond the rate table
    EXPECT_EQ(Main().Caption(), kAppTitle);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblSystem").Caption(), "TouchScreen Control Panel Version 7.3.COM");
    EXPECT_EQ(Main().Ctl<ui::Label>("lblUsingDevice").Caption(), "COM1, Port=03F8, IRQ=4, (,N,8,1) *VELPRO");
    EXPECT_EQ(Main().Ctl<ui::Label>("lblSleepTime").Caption(), "Power Down When Idle  1 Min.  30 Sec.");
    EXPECT_EQ(Main().Ctl<ui::Label>("lblVirtualButton").Caption(), "Drag Drop Mode, RBF Enable ( Automatic Mode )");
    EXPECT_EQ(Main().Ctl<ui::Label>("lblFeedbackSound").Caption(), "Both Touch Down && Lift Off");
    EXPECT_EQ(Main().Ctl<ui::Label>("lblMouseSpeed").Caption(), "HS=50%, VS=60%, Acceleration=Slow");
    EXPECT_EQ(Main().Ctl<ui::Label>("lblOemTitle").Caption(), h.cp.Store.VenderName);
}

TEST_F(MainWindowTest, GeometryAfterStartUp) {
    EXPECT_EQ(Main().ScaleWidth(), 6645);
    EXPECT_EQ(Main().ScaleHeight(), 4920);
    for (const char* name : {"cmdMouseSpeed", "lblMouseSpeed"}) {
        EXPECT_FALSE(Main().Ctl(name).Visible()) << name;
        EXPECT_FALSE(Main().Ctl(name).Enabled()) << name;
    }
    EXPECT_FALSE(Main().Ctl<ui::Shape>("shpMouseSpeed").Visible());
    EXPECT_EQ(Main().Ctl<ui::Button>("cmdSleepTime").Top(), 3300);
    EXPECT_EQ(Main().Ctl<ui::Shape>("shpSleepTime").Top(), 3300);
    EXPECT_EQ(Main().Ctl<ui::Label>("lblSleepTime").Top(), 3420);
    for (const char* name : {"cmdCalibration", "shpCalibration", "cmdSupport", "cmdExit"}) {
        EXPECT_EQ(Main().Ctl(name).Top(), 3900) << name;
    }
    EXPECT_EQ(Main().Ctl<ui::ComboBox>("cboCalibration").Top(), 3960);
    EXPECT_TRUE(Main().KeyPreview());
    // Centred across, its middle at 42.5 % of the screen height.
    const ui::ScreenInfo screen = h.app.Screen();
    EXPECT_EQ(Main().Left(), screen.widthTwips / 2 - Main().Width() / 2);
    EXPECT_EQ(Main().Top(), screen.heightTwips * 85 / 200 - Main().Height() / 2);
}

TEST_F(MainWindowTest, SecondCopyBringsTheFirstWindowForward) {
    h.processes.anotherInstance = true;
    h.windows.Add("Other");
    const Hwnd first = h.windows.Add(kAppTitle);
    EXPECT_EQ(h.Start(), nullptr);
    EXPECT_TRUE(h.app.Ended());
    EXPECT_TRUE(h.MsgBoxes().empty());
    EXPECT_EQ(h.windows.calls, (std::vector<std::string>{"SetForegroundWindow " + std::to_string(first),
                                                         "BringWindowToTop " + std::to_string(first)}));
    EXPECT_TRUE(h.registry.calls.empty());
    EXPECT_EQ(h.device.opens, 0);
}

TEST_F(MainWindowTest, SecondCopyWithoutAWindowToFindSaysSo) {
    h.processes.anotherInstance = true;
    h.windows.Add(" touchscreen control panel #velorix");  // differs in case only
    ExpectStartToEndWith("Application is running!\r\rPlease find and select the running window from Taskbar.");
    EXPECT_TRUE(h.windows.calls.empty());
    EXPECT_TRUE(h.registry.calls.empty());
    EXPECT_EQ(h.device.opens, 0);
}

TEST_F(MainWindowTest, MissingVendorValuesEndTheProgram) {
    h.registry.Remove(kSettingsPath, "HardwareID");
    ExpectStartToEndWith("Fail to load data from Register File!");
    EXPECT_EQ(h.device.opens, 0);
}

TEST_F(MainWindowTest, NoDriverEndsTheProgramWithoutRequests) {
    h.device.present = false;
    h.devices.Add(FakeDevice::Port("COM1", 0x3F8, 4));
    ExpectStartToEndWith("Fail to open KESMADRV.sys!");
    EXPECT_TRUE(h.device.Journal().empty());
    EXPECT_FALSE(h.StoredCalibrationMode().has_value());
}

TEST_F(MainWindowTest, NoControllerClosesTheDeviceAndEnds) {
    h.device.settings().ComPort = 0;
    ExpectStartToEndWith("TouchScreen Controller Not Found!");
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
    EXPECT_EQ(h.device.closes, 1);  // closed once: the unload handler does not run
    EXPECT_FALSE(h.StoredCalibrationMode().has_value());
}

TEST_F(MainWindowTest, CalibrationModeIsRangeCheckedAndWrittenBack) {
    struct Case {
        std::optional<std::int32_t> stored;
        int selected;
    };
    for (const Case& c : {Case{5, 1}, Case{std::nullopt, 1}, Case{-1, 1}, Case{0, 0}, Case{1, 1}, Case{2, 1}}) {
        SCOPED_TRACE(c.stored ? std::to_string(*c.stored) : "missing");
        ControlPanelHarness run;
        if (c.stored) run.registry.SetDword(kSettingsPath, "CalibrationMode", *c.stored);
        controlpanel::frmMain* window = run.Start();
        ASSERT_NE(window, nullptr);
        const ui::ComboBox& modes = window->Ctl<ui::ComboBox>("cboCalibration");
        EXPECT_EQ(modes.Items(), (std::vector<std::string>{" 4 points, mode 1", " 4 points, mode 2"}));
        EXPECT_EQ(modes.ListIndex(), c.selected);
        EXPECT_EQ(run.cp.Store.CalibrationMode, c.selected);
        EXPECT_EQ(run.StoredCalibrationMode(), c.selected);
    }
}

TEST_F(MainWindowTest, CalibrationModeOfAnotherTypeReadsAsMissing) {
    h.registry.SetRaw(kSettingsPath, "CalibrationMode", kRegSz, std::string("0\0", 2));
    EXPECT_EQ(Main().Ctl<ui::ComboBox>("cboCalibration").ListIndex(), 1);
    EXPECT_EQ(h.StoredCalibrationMode(), 1);
}

TEST_F(MainWindowTest, ChoosingACalibrationModeSavesIt) {
    Main().Ctl<ui::ComboBox>("cboCalibration").UserSelect(0);
    EXPECT_EQ(h.cp.Store.CalibrationMode, 0);
    EXPECT_EQ(h.StoredCalibrationMode(), 0);
}

TEST_F(MainWindowTest, AltMIsTheOnlyWayToTheMouseSpeedDialog) {
    for (int shift : {0, ui::kShiftMask, ui::kCtrlMask, ui::kShiftMask | ui::kAltMask, ui::kCtrlMask | ui::kAltMask}) {
        Main().UserKeyDown(77, shift);
        EXPECT_EQ(h.Form("frmMouseSpeed"), nullptr) << "shift " << shift;
    }
    Main().UserKeyDown(78, ui::kAltMask);
    EXPECT_EQ(h.Form("frmMouseSpeed"), nullptr);
    Main().Ctl<ui::Button>("cmdMouseSpeed").UserClick();  // hidden: a user cannot reach it
    EXPECT_EQ(h.Form("frmMouseSpeed"), nullptr);

    Main().UserKeyDown(77, ui::kAltMask);
    ui::Form* dialog = h.Form("frmMouseSpeed");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->Visible());
    EXPECT_FALSE(Main().Visible());
}

TEST_F(MainWindowTest, HiddenRightClicksNeedShiftCtrlAndAlt) {
    const int all = ui::kShiftMask | ui::kCtrlMask | ui::kAltMask;
    for (const char* button : {"cmdSerialPort", "cmdExit"}) {
        Main().Ctl<ui::Button>(button).UserMouseDown(ui::kRightButton, ui::kShiftMask | ui::kCtrlMask, 0, 0);
        Main().Ctl<ui::Button>(button).UserMouseDown(ui::kLeftButton, all, 0, 0);
        Main().Ctl<ui::Button>(button).UserMouseDown(ui::kMiddleButton, all, 0, 0);
    }
    EXPECT_EQ(h.Form("frmMcuInfo"), nullptr);
    EXPECT_EQ(h.Form("frmTest"), nullptr);
    EXPECT_TRUE(Main().Visible());

    Main().Ctl<ui::Button>("cmdSerialPort").UserMouseDown(ui::kRightButton, all, 0, 0);
    ASSERT_NE(h.Form("frmMcuInfo"), nullptr);
    EXPECT_FALSE(Main().Visible());
    h.Form("frmMcuInfo")->Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(h.Form("frmMcuInfo"), nullptr);
    EXPECT_TRUE(Main().Visible());

    Main().Ctl<ui::Button>("cmdExit").UserMouseDown(ui::kRightButton, all, 0, 0);
    ASSERT_NE(h.Form("frmTest"), nullptr);
    EXPECT_FALSE(Main().Visible());
    EXPECT_EQ(h.device.closes, 0);
}

TEST_F(MainWindowTest, ButtonsOpenTheirDialogsAndTheDialogsReturn) {
    const std::pair<const char*, const char*> buttons[] = {{"cmdSerialPort", "frmSerialPort"},
                                                           {"cmdVirtualButton", "frmVirtualButton"},
                                                           {"cmdFeedbackSound", "frmFeedbackSound"},
                                                           {"cmdSleepTime", "frmSleepTime"}};
    for (const auto& [button, form] : buttons) {
        SCOPED_TRACE(button);
        Main().Ctl<ui::Button>(button).UserClick();
        ui::Form* dialog = h.Form(form);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->Visible());
        EXPECT_FALSE(Main().Visible());
        EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
        dialog->Unload();
        EXPECT_TRUE(Main().Visible());
        EXPECT_EQ(h.backend.FocusedForm(), "frmMain");
        h.app.Reap();
    }
    // No request beyond the start-up: nothing was applied.
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
}

TEST_F(MainWindowTest, IconDoubleClickOpensTheAboutBox) {
    Main().Ctl<ui::Image>("imgIcon").UserDblClick();
    ASSERT_NE(h.Form("frmAbout"), nullptr);
    EXPECT_FALSE(Main().Visible());
}

TEST_F(MainWindowTest, SupportButtonFollowsTheVendorFiles) {
    const std::string cut = std::string(kInstallPath) + "\\TSVender.Cut";
    const std::string bmp = std::string(kInstallPath) + "\\TSVender.Bmp";
    {
        ControlPanelHarness run;
        run.files.Add(cut);
        run.files.Add(bmp);
        controlpanel::frmMain* window = run.Start();
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->Ctl<ui::Button>("cmdSupport").Visible());
        EXPECT_EQ(window->Ctl<ui::Button>("cmdSupport").Caption(), "");
        EXPECT_EQ(run.cp.SupportBitmapPath, "");
        window->Ctl<ui::Image>("imgIcon").UserDblClick();
        EXPECT_NE(run.Form("frmAbout"), nullptr);
    }
    {
        ControlPanelHarness run;
        controlpanel::frmMain* window = run.Start();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->Ctl<ui::Button>("cmdSupport").Visible());
        EXPECT_EQ(window->Ctl<ui::Button>("cmdSupport").Caption(), "&About");
        EXPECT_EQ(run.cp.SupportBitmapPath, bmp);
        window->Ctl<ui::Button>("cmdSupport").UserClick();
        EXPECT_NE(run.Form("frmAbout"), nullptr);
        EXPECT_EQ(run.Form("frmSupport"), nullptr);
    }
    {
        ControlPanelHarness run;
        run.files.Add(bmp);
        controlpanel::frmMain* window = run.Start();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Ctl<ui::Button>("cmdSupport").Caption(), "S&upport");
        window->Ctl<ui::Button>("cmdSupport").UserClick();
        EXPECT_NE(run.Form("frmSupport"), nullptr);
        EXPECT_EQ(run.Form("frmAbout"), nullptr);
        EXPECT_FALSE(window->Visible());
    }
}

TEST_F(MainWindowTest, ExitClosesTheDeviceAndEnds) {
    Main().Ctl<ui::Button>("cmdExit").UserClick();
    EXPECT_TRUE(h.app.Ended());
    EXPECT_EQ(h.device.closes, 1);
}

}  // namespace
}  // namespace kesma::test
