// Kesmapan against the simulated driver: the start-up with its requests and registry
// writes, the fatal start-up paths, a second copy, the hidden gestures, the serial port
// dialog and the exit.
#include <cstdint>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kProgram = "Kesmapan.exe";
constexpr const char* kTitle = " TouchScreen Control Panel #Velorix";

class ControlPanelE2e : public E2eTest {
protected:
    // Starts the control panel and waits for its main window.
    HWND StartMain() {
        id_ = programs.Start(kProgram);
        EXPECT_TRUE(id_.has_value());
        return ax::WaitTopWindow("frmMain");
    }

    ax::ControlInfo Control(HWND form, const std::string& name) { return ReadNamedControl(form, name); }

    std::optional<DWORD> id_;
    VendorKeyGuard vendorKey_;
};

// A fatal start-up: one error box with the text, then the program ends without a window.
void ExpectFatal(Programs& programs, DWORD id, const std::string& text) {
    const auto box = ax::WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, text);
    EXPECT_EQ(box->icon, "error");
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(programs.WaitExit(id));
    EXPECT_EQ(ax::FindTopWindow("frmMain"), nullptr);
}

TEST_F(ControlPanelE2e, StartUpReadsTheSettingsAndShowsTheSummaries) {
    DeleteRegValue("CalibrationMode");
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ax::WindowText(main), kTitle);
    EXPECT_EQ(Control(main, "lblSystem").text, "TouchScreen Control Panel Version 7.3.COM");
    EXPECT_EQ(Control(main, "lblUsingDevice").text, "COM1, Port=03F8, IRQ=4, (9600,N,8,1) *VELPRO");
    EXPECT_EQ(Control(main, "lblSleepTime").text, "Disable Power Down Function");
    const ax::ControlInfo modes = Control(main, "cboCalibration");
    EXPECT_EQ(modes.items, (std::vector<std::string>{" 4 points, mode 1", " 4 points, mode 2"}));
    EXPECT_EQ(modes.selected, 1);
    EXPECT_EQ(ReadRegDword("CalibrationMode"), 1u);
    // The power save row takes the place of the hidden mouse speed row.
    const ax::ControlInfo speed = Control(main, "cmdMouseSpeed");
    const ax::ControlInfo sleep = Control(main, "cmdSleepTime");
    EXPECT_FALSE(speed.visible);
    EXPECT_EQ(sleep.rect.top, speed.rect.top);
    // Wine lists no present serial ports: nothing but the settings is asked for.
    EXPECT_EQ(driver.JournalCodes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
}

// A user who may not write the settings key: the control panel starts, and its calibration
// mode, stored at the start and at each pick, stays unsaved without a word.
TEST_F(ControlPanelE2e, StartsSilentlyForAUserWhoMayNotWriteTheSettingsKey) {
    DeleteRegValue("CalibrationMode");
    SettingsKeyReadOnly readOnly;
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(main) != FALSE; }));
    ASSERT_EQ(ax::SetValue(main, ax::FindControl(main, "cboCalibration"), 0), "");
    EXPECT_EQ(Control(main, "cboCalibration").selected, 0);
    EXPECT_FALSE(ax::FindMessageBox().has_value());
    EXPECT_EQ(ReadRegDword("CalibrationMode"), std::nullopt);
}

TEST_F(ControlPanelE2e, NoControllerEndsAfterOneMessage) {
    KesmaSimState state = driver.State();
    state.Settings.ComPort = 0;
    driver.WriteState(state);
    driver.ClearJournal();
    id_ = programs.Start(kProgram);
    ASSERT_TRUE(id_.has_value());
    ExpectFatal(programs, *id_, "TouchScreen Controller Not Found!");
    EXPECT_EQ(driver.JournalCodes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
}

TEST_F(ControlPanelE2e, OutOfRangeCalibrationModeBecomesModeTwoAndTheChoiceIsStored) {
    WriteRegDword("CalibrationMode", 5);
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    const ax::ControlInfo modes = Control(main, "cboCalibration");
    ASSERT_EQ(modes.selected, 1);
    EXPECT_EQ(modes.items[1], " 4 points, mode 2");
    EXPECT_EQ(ReadRegDword("CalibrationMode"), 1u);

    EXPECT_EQ(ax::SetValue(main, modes.hwnd, 0), "");
    EXPECT_EQ(ReadRegDword("CalibrationMode"), 0u);
    EXPECT_EQ(Control(main, "cboCalibration").selected, 0);
}

// A driver that fails every request gives no settings: as good as no controller.
TEST_F(ControlPanelE2e, FailingDriverEndsAsNoController) {
    struct FaultOff {
        Driver& driver;
        ~FaultOff() { driver.SetFault(false); }
    } faultOff{driver};
    Kesmasim("fault on");
    driver.ClearJournal();
    id_ = programs.Start(kProgram);
    ASSERT_TRUE(id_.has_value());
    ExpectFatal(programs, *id_, "TouchScreen Controller Not Found!");
    const auto journal = driver.Journal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].Code, KESMA_GET_SETTINGS);
    EXPECT_EQ(journal[0].Status, static_cast<std::uint32_t>(KESMA_STATUS_UNSUCCESSFUL));
}

TEST_F(ControlPanelE2e, MissingVendorValueEndsBeforeTheDevice) {
    DeleteRegValue("HardwareID");
    id_ = programs.Start(kProgram);
    ASSERT_TRUE(id_.has_value());
    ExpectFatal(programs, *id_, "Fail to load data from Register File!");
    EXPECT_TRUE(driver.JournalCodes().empty());
}

TEST_F(ControlPanelE2e, SecondCopyBringsTheFirstForwardAndEnds) {
    HWND first = StartMain();
    ASSERT_NE(first, nullptr);
    const auto second = programs.Start(kProgram);
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(programs.WaitExit(*second));
    EXPECT_FALSE(ax::FindMessageBox().has_value());
    EXPECT_EQ(ax::FindTopWindow("frmMain"), first);
    EXPECT_EQ(driver.JournalCodes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
}

TEST_F(ControlPanelE2e, HiddenGesturesOpenTheirDialogs) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND serialPort = ax::FindControl(main, "cmdSerialPort");
    EXPECT_EQ(ax::MouseDown(serialPort, ax::MouseButton::Right, ax::kShift | ax::kCtrl), "");
    EXPECT_EQ(ax::FindTopWindow("frmMcuInfo"), nullptr);
    EXPECT_EQ(ax::MouseDown(serialPort, ax::MouseButton::Right, ax::kShift | ax::kCtrl | ax::kAlt), "");
    HWND info = ax::WaitTopWindow("frmMcuInfo");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(Control(info, "lblMcuInfo").text, "MCU-Mode=D4  MCU-Version=4.2  MCU-Code=12345678");
    EXPECT_FALSE(IsWindowVisible(main));
    ax::Click(info, ax::FindControl(info, "cmdOK"));  // the window it clicks goes away
    ASSERT_TRUE(ax::WaitTopWindowGone("frmMcuInfo"));
    EXPECT_TRUE(IsWindowVisible(main));

    EXPECT_EQ(ax::Key(main, "M", ax::kCtrl), "");
    EXPECT_EQ(ax::FindTopWindow("frmMouseSpeed"), nullptr);
    EXPECT_EQ(ax::Key(main, "M", ax::kAlt), "");
    EXPECT_NE(ax::WaitTopWindow("frmMouseSpeed"), nullptr);
}

TEST_F(ControlPanelE2e, SerialPortDialogMarksTheControllerPort) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ax::Click(main, ax::FindControl(main, "cmdSerialPort")), "");
    HWND dialog = ax::WaitTopWindow("frmSerialPort");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Control(dialog, "lblCOM(1)").text, "COM1, BasePort=03F8h, IRQ=4");
    EXPECT_EQ(Control(dialog, "lblCOM(2)").text, "COM2, BasePort=02F8h, IRQ=3");
    EXPECT_EQ(Control(dialog, "lblCOM(9)").text, "COM9..Not Found.");
    EXPECT_EQ(Control(dialog, "optDetected(1)").value, 1);
    EXPECT_EQ(Control(dialog, "optDetected(2)").value, 0);
    EXPECT_EQ(Control(dialog, "lblDEVICE(1)").text, "*VELPRO");
    EXPECT_EQ(Control(dialog, "lblCOM(1)").fore, 0x000000u);
    EXPECT_EQ(Control(dialog, "lblCOM(2)").fore, 0x808080u);
}

TEST_F(ControlPanelE2e, ExitClosesTheProgram) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    ax::Click(main, ax::FindControl(main, "cmdExit"));  // the window it clicks goes away
    EXPECT_TRUE(programs.WaitExit(*id_));
    EXPECT_EQ(programs.ExitCode(*id_), 0u);
}

// Not an E2eTest: its own handle to the driver would not survive the reinstall.
TEST(ControlPanelNoDriverE2e, MissingDriverIsReportedAndTheProgramEnds) {
    if (!Driver().Present()) GTEST_SKIP() << "the simulated driver is not installed (run tools/wine-env up)";
    Programs programs;
    DriverStopped stopped;
    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    ExpectFatal(programs, *id, "Fail to open KESMADRV.sys!");
}

}  // namespace
}  // namespace kesma::e2e
