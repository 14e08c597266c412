#include <gtest/gtest.h>

#include "fake_files.h"
#include "fake_system.h"
#include "fake_processes.h"
#include "fake_registry.h"
#include "fake_windows.h"
#include "sim_device.h"
#include "startup/auto_scan.h"
#include "startup/main_window.h"
#include "startup/startup.h"
#include "ui/headless/headless.h"

namespace kesma::startup {
namespace {

using test::FakeRegistry;
using test::kSettingsPath;
constexpr const char* kMousePath = "HKEY_CURRENT_USER\\Control Panel\\Mouse";
constexpr const char* kInstall = "C:\\Program Files\\Lumivane\\TouchScreen";

// Kesmaboot on fakes: vendor values present, the controller found on COM1.
struct Boot {
    explicit Boot(Mode mode = Mode::StartupRun) : program(app, platform, mode) { registry.SetVendorValues(kInstall); }

    int Run() { return program.Run(); }
    std::vector<std::string> MsgTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : backend.MsgBoxes()) texts.push_back(box.text);
        return texts;
    }

    ui::HeadlessBackend backend;
    ui::App app{backend, kAppTitle};
    test::SimDevice device;
    FakeRegistry registry;
    test::FakeWindows windows;
    test::FakeProcesses processes;
    test::FakeFiles files;
    test::FakeSystem mouse;
    Platform platform{device, registry, windows, processes, files, mouse};
    Startup program;
};

TEST(Kesmaboot, CommandLineMatchesOnlyTheWholeSwitch) {
    const std::pair<const char*, Mode> cases[] = {
        {"/SDC", Mode::DoubleClick}, {"/sdc", Mode::DoubleClick}, {"/SaM", Mode::AutoScan},
        {"", Mode::StartupRun},      {"/SDC /SAM", Mode::StartupRun}, {"/SDCX", Mode::StartupRun},
        {" /SDC", Mode::StartupRun},
    };
    for (const auto& [text, mode] : cases) EXPECT_EQ(ParseCommandLine(text), mode) << '"' << text << '"';
}

TEST(Kesmaboot, StartupRunAppliesStoredValuesStartsCompanionsAndPausesASecond) {
    Boot b;
    b.registry.SetDword(kSettingsPath, "DoubleClickSpeed", 300);
    b.registry.SetDword(kSettingsPath, "DoubleClickWidth", 8);
    b.registry.SetDword(kSettingsPath, "DoubleClickHeight", 6);
    b.device.settings().RightButton = 1;
    b.backend.SetTimeOfDay(100.0);
    const std::uint32_t start = b.backend.TickCount();
    b.Run();

    EXPECT_EQ(b.backend.TickCount() - start, 1000u);
    EXPECT_TRUE(b.app.Ended());
    EXPECT_TRUE(b.MsgTexts().empty());
    const std::vector<test::FakeSystem::Call> calls{{29, 8, 2}, {30, 6, 2}, {32, 300, 2}};
    EXPECT_EQ(b.mouse.calls, calls);
    EXPECT_EQ(b.registry.GetString(kMousePath, "DoubleClickSpeed"), "300");
    EXPECT_EQ(b.registry.GetString(kMousePath, "DoubleClickWidth"), "8");
    EXPECT_EQ(b.registry.GetString(kMousePath, "DoubleClickHeight"), "6");
    const std::vector<test::FakeProcesses::Exec> execs{
        {"\"" + std::string(kInstall) + "\\Kesmasmi.exe\"", 1}, {"\"" + std::string(kInstall) + "\\Kesmarbtn.exe\"", 0}};
    EXPECT_EQ(b.processes.execs, execs);
    const std::vector<std::uint32_t> codes{KESMA_GET_SETTINGS, KESMA_GET_RIGHT_BUTTON_WINDOW};
    EXPECT_EQ(b.device.Codes(), codes);
    EXPECT_EQ(b.registry.OpenKeys(), 0);
}

TEST(Kesmaboot, MissingDoubleClickValueMeansAllDefaults) {
    Boot b;
    b.registry.SetDword(kSettingsPath, "DoubleClickSpeed", 300);
    b.registry.SetDword(kSettingsPath, "DoubleClickWidth", 8);
    b.Run();
    const std::vector<test::FakeSystem::Call> calls{{29, 32, 2}, {30, 32, 2}, {32, 500, 2}};
    EXPECT_EQ(b.mouse.calls, calls);
    EXPECT_EQ(b.registry.GetDword(kSettingsPath, "DoubleClickHeight"), 32);
}

// Every standard user's log-on run meets a settings key it may only read.
TEST(Kesmaboot, LogOnRunSaysNothingWhenTheSettingsKeyRefusesTheStore) {
    Boot b;
    b.registry.denyMachineWrites = true;
    b.Run();
    EXPECT_TRUE(b.MsgTexts().empty());
    EXPECT_EQ(b.mouse.calls.size(), 3u);
    EXPECT_EQ(b.registry.GetString(kMousePath, "DoubleClickSpeed"), "500");
}

TEST(Kesmaboot, RefusedParametersAreNamedInOrder) {
    struct Case {
        std::set<unsigned> refused;
        bool keyRefused;
        const char* text;
    } const cases[] = {
        {{29, 30, 32}, true, "Fail to SetDoubleClock (WHTR)!"},
        {{29, 30}, false, "Fail to SetDoubleClock (WH)!"},
        {{32}, true, "Fail to SetDoubleClock (TR)!"},
        {{}, true, "Fail to SetDoubleClock (R)!"},
    };
    for (const Case& c : cases) {
        Boot run;
        run.mouse.refused = c.refused;
        run.program.Store.InitSettingsStore();
        run.registry.denyCreate = c.keyRefused;
        run.program.ApplyDoubleClickSettings();
        ASSERT_EQ(run.MsgTexts().size(), 1u);
        EXPECT_EQ(run.backend.MsgBoxes()[0].text, c.text);
        EXPECT_EQ(run.backend.MsgBoxes()[0].flags, 0x1010u);
        EXPECT_EQ(run.backend.MsgBoxes()[0].caption, kAppTitle);
    }
}

TEST(Kesmaboot, FailedSmiStartSendsTheScreenSize) {
    Boot b;
    b.processes.result = 2;
    b.mouse.screenWidth = 1280;
    b.mouse.screenHeight = 1024;
    b.Run();
    const std::vector<std::uint32_t> codes{KESMA_GET_SETTINGS, KESMA_SET_SCREEN_SIZE};
    EXPECT_EQ(b.device.Codes(), codes);
    EXPECT_EQ(b.device.settings().ScreenWidth, 1280);
    EXPECT_EQ(b.device.settings().ScreenHeight, 1024);
    EXPECT_TRUE(b.MsgTexts().empty());
}

TEST(Kesmaboot, RightButtonProgramStartedOrHiddenAsItsSettingsSay) {
    struct Case {
        std::uint8_t rightButton, autoMode, touchMode;
        bool registered;
        bool started, hidden;
    } const cases[] = {
        {1, 1, 4, false, false, false},  // drag-drop with automatic mode: left alone
        {1, 1, 2, true, false, true},    // already running: told to hide
        {1, 0, 1, false, true, false},   // manual mode: started hidden, no message
        {1, 1, 3, false, true, false},   // started now: not told to hide
        {1, 0, 4, true, false, false},
        {0, 0, 1, false, false, false},
    };
    for (const Case& c : cases) {
        Boot b;
        DeviceSettings& s = b.device.settings();
        s.RightButton = c.rightButton;
        s.RbAutoMode = c.autoMode;
        s.TouchMode = c.touchMode;
        const Hwnd rb = b.windows.Add("Kesmarbtn");
        if (c.registered) b.device.state().Sim.RightButtonSlot.Window = static_cast<std::int32_t>(rb);
        b.Run();
        const bool started = b.processes.execs.size() == 2;
        EXPECT_EQ(started, c.started) << int(c.rightButton) << int(c.autoMode) << int(c.touchMode) << c.registered;
        const std::vector<test::FakeWindows::Message> hide{{rb, kWmUser, kRequestHide, 0}};
        EXPECT_EQ(b.windows.sent, c.hidden ? hide : std::vector<test::FakeWindows::Message>{});
    }
}

TEST(Kesmaboot, FailuresEndTheRunWithTheirMessage) {
    Boot missing;
    missing.device.settings().ComPort = 0;
    missing.device.settings().RightButton = 1;
    missing.Run();
    EXPECT_EQ(missing.MsgTexts(), std::vector<std::string>{"TouchScreen Controller Not Found!"});
    EXPECT_TRUE(missing.processes.execs.empty());

    Boot rbFails;
    rbFails.device.settings().RightButton = 1;
    rbFails.processes.onExec = [&](const test::FakeProcesses::Exec& e) {
        if (e.commandLine.find("Kesmarbtn") != std::string::npos) rbFails.processes.result = 0;
    };
    rbFails.Run();
    EXPECT_EQ(rbFails.MsgTexts(), std::vector<std::string>{"Fail to initialize Right Button Function!"});

    for (Mode mode : {Mode::StartupRun, Mode::DoubleClick, Mode::AutoScan}) {
        Boot noVendor(mode);
        noVendor.registry.Remove(kSettingsPath, "InstallPath");
        noVendor.Run();
        EXPECT_EQ(noVendor.MsgTexts(), std::vector<std::string>{"Fail to load data from Register File!"});
        EXPECT_TRUE(noVendor.device.Codes().empty());
        Boot second(mode);
        second.processes.anotherInstance = true;
        const Hwnd first = second.windows.Add(kAppTitle);
        second.Run();
        EXPECT_EQ(second.windows.foreground, first);
        EXPECT_TRUE(second.MsgTexts().empty());
        EXPECT_TRUE(second.mouse.calls.empty());
    }
}

// The /SDC window, opened on its own.
struct DoubleClickWindow : Boot {
    DoubleClickWindow() : Boot(Mode::DoubleClick) {}
    frmMain& Open() {
        frmMain& main = app.Create<frmMain>(program);
        main.Show();
        return main;
    }
};

TEST(DoubleClickWindow, ApplyOfferedWhenBarsOrWindowsDifferFromTheStoredValues) {
    struct Case {
        int storedSpeed;
        unsigned windowsTime;
        int windowsWidth;
        bool moveAndBack;
        bool applyEnabled;
    } const cases[] = {
        {500, 400, 4, false, false},  // design values fire no change
        {500, 400, 4, true, true},    // Windows differs once a bar has moved
        {300, 300, 32, false, false},
        {300, 500, 32, false, true},
    };
    for (const Case& c : cases) {
        DoubleClickWindow w;
        w.registry.SetDword(kSettingsPath, "DoubleClickSpeed", c.storedSpeed);
        w.registry.SetDword(kSettingsPath, "DoubleClickWidth", 32);
        w.registry.SetDword(kSettingsPath, "DoubleClickHeight", 32);
        w.mouse.doubleClickTime = c.windowsTime;
        w.mouse.doubleClickWidth = c.windowsWidth;
        w.mouse.doubleClickHeight = 32;
        frmMain& main = w.Open();
        if (c.moveAndBack) {
            main.Ctl<ui::HScrollBar>("hscWW").UserSetValue(40);
            main.Ctl<ui::HScrollBar>("hscWW").UserSetValue(32);
        }
        EXPECT_EQ(main.Ctl<ui::Label>("lblTT").Caption(), "Speed: " + std::to_string(c.storedSpeed));
        EXPECT_EQ(main.Ctl<ui::Button>("cmdApply").Enabled(), c.applyEnabled) << c.storedSpeed << " " << c.windowsTime;
    }
}

TEST(DoubleClickWindow, StoredValuesOutsideTheBarsAreClampedAndApplied) {
    DoubleClickWindow w;
    w.registry.SetDword(kSettingsPath, "DoubleClickSpeed", 5000);
    w.registry.SetDword(kSettingsPath, "DoubleClickWidth", -3);
    w.registry.SetDword(kSettingsPath, "DoubleClickHeight", 99);
    frmMain& main = w.Open();
    EXPECT_EQ(main.Ctl<ui::Label>("lblTT").Caption(), "Speed: 900");
    EXPECT_EQ(main.Ctl<ui::Label>("lblWW").Caption(), "Width: 0");
    EXPECT_EQ(main.Ctl<ui::Label>("lblHH").Caption(), "Hight: 64");
    ASSERT_TRUE(main.Ctl<ui::Button>("cmdApply").Enabled());
    main.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(w.registry.GetDword(kSettingsPath, "DoubleClickSpeed"), 900);
    EXPECT_EQ(w.registry.GetDword(kSettingsPath, "DoubleClickWidth"), 0);
    EXPECT_EQ(w.registry.GetDword(kSettingsPath, "DoubleClickHeight"), 64);
    EXPECT_EQ(w.mouse.doubleClickTime, 900u);
    EXPECT_TRUE(w.app.Ended());
}

TEST(DoubleClickWindow, ApplyRefreshesTheSystemValuesAndOkWithoutChangesTouchesNothing) {
    DoubleClickWindow w;
    w.mouse.doubleClickTime = 500;
    w.mouse.doubleClickWidth = w.mouse.doubleClickHeight = 32;
    frmMain& main = w.Open();
    main.Ctl<ui::HScrollBar>("hscTT").UserSetValue(650);
    main.Ctl<ui::Button>("cmdApply").UserClick();
    EXPECT_EQ(main.Ctl<ui::Label>("lblSiTT").Caption(), "650");
    EXPECT_FALSE(main.Ctl<ui::Button>("cmdApply").Enabled());
    w.mouse.calls.clear();
    w.registry.calls.clear();
    main.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_TRUE(w.mouse.calls.empty());
    EXPECT_TRUE(w.registry.calls.empty());
}

TEST(DoubleClickWindow, TestAreaAndAboutBox) {
    DoubleClickWindow w;
    frmMain& main = w.Open();
    main.Ctl<ui::Image>("imgOFF").UserDblClick();
    EXPECT_EQ(main.Ctl<ui::PictureBox>("picTest").BackColor(), ui::Rgb(0, 0, 255));
    EXPECT_FALSE(main.Ctl<ui::Image>("imgOFF").Visible());
    main.Ctl<ui::Image>("imgON").UserDblClick();
    EXPECT_EQ(main.Ctl<ui::PictureBox>("picTest").BackColor(), ui::Rgb(250, 250, 250));

    main.Ctl<ui::Image>("imgIcon").UserDblClick();
    ui::Form* about = w.app.FindForm("frmAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(about->Ctl<ui::Label>("lblSystem").Caption(), "TouchScreen System Startup Version 7.3.COM");
    about->Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_TRUE(main.Visible());
    EXPECT_FALSE(w.app.Ended());
}

// The /SAM dialog, opened on its own.
struct AutoScanDialog : Boot {
    AutoScanDialog() : Boot(Mode::AutoScan) {}
    frmAutoScan& Open() {
        frmAutoScan& dialog = app.Create<frmAutoScan>(program);
        dialog.Show();
        return dialog;
    }
};

TEST(AutoScanDialog, OpensAtTheStoredChoice) {
    struct Case {
        std::optional<std::int32_t> port, device;
        int portIndex, row;
        bool applyEnabled;
        const char* mode;
    } const cases[] = {
        {std::nullopt, std::nullopt, 0, 0, false, "Detect Mode"},
        {3, 104, 3, 2, false, "Assign Mode"},
        {0, 104, 0, 2, false, "Detect Mode"},
        {3, 105, 3, 0, true, "Detect Mode"},  // unknown code: row 0, offered for storing
        {12, 400, 0, 5, true, "Detect Mode"},
        {3, std::nullopt, 0, 0, false, "Detect Mode"},  // one missing: both 0
    };
    for (const Case& c : cases) {
        AutoScanDialog d;
        if (c.port) d.registry.SetDword(kSettingsPath, "AutoScanCOM", *c.port);
        if (c.device) d.registry.SetDword(kSettingsPath, "AutoScanDevice", *c.device);
        frmAutoScan& dialog = d.Open();
        EXPECT_EQ(dialog.Ctl<ui::ComboBox>("cboCOM").ListIndex(), c.portIndex);
        EXPECT_EQ(dialog.Ctl<ui::ComboBox>("cboDevice").ListIndex(), c.row);
        EXPECT_EQ(dialog.Ctl<ui::Button>("cmdApply").Enabled(), c.applyEnabled) << c.portIndex << " " << c.row;
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblDetectMode").Caption(), c.mode);
    }
}

TEST(AutoScanDialog, ApplyStoresTheChoiceAndCancelKeepsIt) {
    AutoScanDialog d;
    frmAutoScan& dialog = d.Open();
    EXPECT_EQ(dialog.Ctl<ui::ComboBox>("cboDevice").List(1), "100 - VELPRO ( AUTO-BPS )");
    dialog.Ctl<ui::ComboBox>("cboCOM").UserSelect(3);
    dialog.Ctl<ui::ComboBox>("cboDevice").UserSelect(2);
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblDetectMode").Caption(), "Assign Mode");
    dialog.Ctl<ui::Button>("cmdApply").UserClick();
    dialog.Ctl<ui::Button>("cmdCandel").UserClick();
    EXPECT_EQ(d.registry.GetDword(kSettingsPath, "AutoScanCOM"), 3);
    EXPECT_EQ(d.registry.GetDword(kSettingsPath, "AutoScanDevice"), 104);
    EXPECT_TRUE(d.app.Ended());
}

TEST(AutoScanDialog, ListWithoutSelectionStoresNothing) {
    AutoScanDialog d;
    frmAutoScan& dialog = d.Open();
    dialog.Ctl<ui::ComboBox>("cboCOM").UserSelect(2);
    ASSERT_TRUE(dialog.Ctl<ui::Button>("cmdApply").Enabled());
    dialog.Ctl<ui::Button>("cmdApply").UserClick();  // COM2, AUTO stored
    dialog.Ctl<ui::ComboBox>("cboCOM").UserSelect(4);
    dialog.Ctl<ui::ComboBox>("cboDevice").SetListIndex(-1);  // what typed text leaves
    ASSERT_TRUE(dialog.Ctl<ui::Button>("cmdApply").Enabled());
    dialog.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(d.registry.GetDword(kSettingsPath, "AutoScanCOM"), 2);
}

}  // namespace
}  // namespace kesma::startup
