#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fake_files.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "fake_setup_ports.h"
#include "setup/kesmainst.h"
#include "setup/progress_window.h"
#include "setup/restart.h"
#include "setup/setup_import.h"
#include "ui/headless/headless.h"

namespace kesma::setup {
namespace {

using test::kSettingsPath;

constexpr const char* kIni = "C:\\Program Files\\Lumivane\\TouchScreen\\setup.ini";
constexpr const char* kOem = "C:\\Program Files\\Lumivane\\TouchScreen\\setup.oem";

TEST(CheckSetting, RoundsHalvesToEvenAndReportsTheRange) {
    const struct {
        const char* text;
        int min, max, result;
    } cases[] = {
        {"450.5", 100, 900, 450}, {"451.5", 100, 900, 452}, {"0.5", 0, 1, 0},   {"1.5", 0, 9, 2},
        {"-0.4", 0, 1, 0},        {"", 0, 1, kSettingMissing}, {"abc", 0, 1, 0}, {"abc", 1, 4, kSettingTooSmall},
        {"100", 200, 5000, kSettingTooSmall}, {"5001", 200, 5000, kSettingTooLarge},
        {"1e999", 0, 99999, kSettingTooLarge}, {"-1e999", 0, 9, kSettingTooSmall}, {"99999", 0, 99999, 99999},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckSetting(c.text, c.min, c.max), c.result) << '"' << c.text << '"';
}

TEST(SettingValues, WritesFourteenValuesInOrderAndPacksOnlyCompleteGroups) {
    std::array<std::int32_t, kSettingKeyCount> all{};
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = kSettingKeys[i].min;
    all[11] = 10, all[12] = 12, all[13] = 2, all[10] = 0;  // H, V, acceleration, bypass
    all[3] = 1, all[4] = 3, all[5] = 5, all[6] = 1;
    const auto values = SettingValues(all);
    std::vector<std::string> names;
    for (const auto& v : values) names.push_back(v.first);
    EXPECT_EQ(names, (std::vector<std::string>{"CalibrationMode", "VirtualButton", "RightButtonFunction",
                                               "RightButtonAutomatic", "FeedbackSound", "FeedbackTone",
                                               "FeedbackDuration", "MouseSpeed", "DoubleClickSpeed",
                                               "DoubleClickWidth", "DoubleClickHeight", "PanelDirection",
                                               "AutoScanCOM", "AutoScanDevice"}));
    EXPECT_EQ(values[3].second, 0x01030501);
    EXPECT_EQ(values[7].second, 0x0A0C0200);

    for (std::int32_t missing : {kSettingMissing, kSettingTooSmall, kSettingTooLarge}) {
        auto partial = all;
        partial[6] = missing;   // the beep
        partial[10] = missing;  // the bypass
        partial[0] = missing;
        std::set<std::string> written;
        for (const auto& v : SettingValues(partial)) written.insert(v.first);
        EXPECT_EQ(written.size(), 11u);
        EXPECT_FALSE(written.count("RightButtonAutomatic") || written.count("MouseSpeed") ||
                     written.count("CalibrationMode"));
    }
}

// A registry whose writes of some values fail.
class FailingRegistry : public test::FakeRegistry {
public:
    std::set<std::string> failing;
    long RegSetValueExA(HKey key, const std::string& name, std::uint32_t type, const void* data,
                        std::uint32_t size) override {
        if (failing.count(name)) return kErrorAccessDenied;
        return FakeRegistry::RegSetValueExA(key, name, type, data, size);
    }
};

// Kesmainst on fakes: vendor values present.
struct SetupFakes {
    SetupFakes() { registry.SetVendorValues(); }

    ui::HeadlessBackend backend;
    ui::App app{backend, kSetupTitle};
    FailingRegistry registry;
    test::FakeFiles files;
    test::FakeProfile profile;
    test::FakeRestart restart;
    test::FakeDebug debug;
    Platform platform{registry, files, profile, restart, debug};

    void Ini(const std::string& body) {
        files.Add(kIni);
        profile.SetFile(kIni, "[settings]\r\n" + body);
    }
    void Oem(const std::string& body) {
        files.Add(kOem);
        profile.SetFile(kOem, body);
    }
    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        for (const auto& call : registry.calls) {
            if (call.rfind("RegSetValueExA ", 0) == 0) names.push_back(call.substr(15));
        }
        return names;
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& box : backend.MsgBoxes()) texts.push_back(box.text);
        return texts;
    }
};

struct Setup : ::testing::Test, SetupFakes {};

constexpr const char* kFinished =
    "Setup has finished installing TouchScreen drivers and utilities on your computer.\r\n\r\n"
    "The Windows must be restarted.";

TEST_F(Setup, SilentImportShowsNothingAndDoesNotRestart) {
    Ini("DoubleClickSpeed = 450.5\r\nDoubleClickWidth=451.5\r\nCALIBRATIONMODE=yes\r\n"
        "MouseHSpeed=10\r\nMouseVSpeed=12\r\nMouseAcceleration=2\r\nMouseBypass=0\r\n"
        "RightButtonAutoMode=1\r\nRightButtonAutoSTime=3\r\nRightButtonAutoETime=5\r\nFeedbackTone=100\r\n");
    RunSetup(app, platform, "/xpefBaSeTuP");
    EXPECT_TRUE(backend.MsgBoxes().empty());
    EXPECT_TRUE(restart.calls.empty());
    EXPECT_EQ(backend.Updates().size(), 0u);  // no window was ever made
    EXPECT_EQ(Written(), (std::vector<std::string>{"CalibrationMode", "MouseSpeed", "DoubleClickSpeed"}));
    EXPECT_EQ(registry.GetDword(kSettingsPath, "CalibrationMode"), 0);
    EXPECT_EQ(registry.GetDword(kSettingsPath, "MouseSpeed"), 0x0A0C0200);
    EXPECT_EQ(registry.GetDword(kSettingsPath, "DoubleClickSpeed"), 450);
    EXPECT_EQ(registry.OpenKeys(), 0);
    EXPECT_TRUE(app.Ended());
}

TEST_F(Setup, NormalRunShowsProgressThenTheRestartMessageAndRestarts) {
    std::vector<bool> progressShown;
    backend.OnMsgBox = [&](const std::string&, unsigned, const std::string&) {
        progressShown.push_back(app.FindForm("frmMessage") != nullptr);
        return ui::kIdOk;
    };
    Ini("FeedbackTone=100\r\n");
    RunSetup(app, platform, "/XPEFBASETUP2");
    ASSERT_EQ(backend.MsgBoxes().size(), 1u);
    const auto& box = backend.MsgBoxes()[0];
    EXPECT_EQ(box.text, kFinished);
    EXPECT_EQ(box.flags, 0x1040u);
    EXPECT_EQ(box.caption, "TouchScreen Driver Installation");
    EXPECT_EQ(progressShown, std::vector<bool>{false});  // unloaded before the message
    EXPECT_TRUE(Written().empty());
    EXPECT_EQ(restart.calls.back(), "ExitWindowsEx 18 0");
    // The placement ran under the hourglass and ended with the default pointer.
    EXPECT_EQ(backend.PointerLog().front(), ui::Pointer::Hourglass);
    EXPECT_EQ(backend.CurrentPointer(), ui::Pointer::Default);
}

TEST_F(Setup, FailuresAreReportedAndTheImportGoesOn) {
    registry.failing = {"VirtualButton", "FeedbackSound", "VenderName"};
    Ini("VirtualButton=2\r\nFeedbackSound=3\r\nPanelDirection=7\r\n");
    Oem("[Setup]\r\nTitle=  Acme Touch  \r\nSTYLE=21120912\r\n");
    RunSetup(app, platform, "");
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Fail to save settings! (VirtualButton)",
                                                 "Fail to save settings! (FeedbackSound)",
                                                 "Fail to Set Vender Name!", kFinished}));
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(backend.MsgBoxes()[i].flags, ui::kMbOk);
    EXPECT_EQ(registry.GetDword(kSettingsPath, "PanelDirection"), 7);
    EXPECT_EQ(registry.GetString(kSettingsPath, "VenderStyle"), "21120912");
}

TEST_F(Setup, OemTitleWithoutStyleChangesOnlyTheName) {
    files.Add(kOem);
    profile.SetFile(kOem, "[SETUP]\nTITLE=Acme " + std::string(300, 'x') + "\n");
    RunSetup(app, platform, "/XPEFBASETUP");
    EXPECT_EQ(registry.GetString(kSettingsPath, "VenderName"), "Acme " + std::string(249, 'x'));
    EXPECT_EQ(Written(), std::vector<std::string>{"VenderName"});
}

TEST_F(Setup, VendorStyleFailureAndMissingFilesOrKey) {
    registry.failing = {"VenderStyle"};
    Oem("[SETUP]\nSTYLE=11120912\n");
    profile.SetFile(kIni, "[Settings]\nVirtualButton=2\n");  // present in the profile, absent as a file
    RunSetup(app, platform, "/XPEFBASETUP");
    EXPECT_EQ(debug.lines, std::vector<std::string>{"TouchScreen Driver Installation: Fail to Set Vender Style!\n"});
    EXPECT_TRUE(Written().empty());
}

// Each cause of failure has its exit status, the first failure's counts; the normal run
// shows what the silent run writes to the debug output.
TEST(SetupStatus, EachCauseEndsWithItsStatusAndTheSilentRunOnlyWritesDebugLines) {
    const struct Case {
        const char* name;
        std::function<void(SetupFakes&)> prepare;
        std::vector<std::string> reported;
        int status;
    } cases[] = {
        {"all saved", [](SetupFakes&) {}, {}, 0},
        {"vendor values missing", [](SetupFakes& f) { f.registry.Remove(kSettingsPath, "HardwareID"); },
         {"Fail to load data from Register File!"}, 3},
        {"a setting", [](SetupFakes& f) { f.registry.failing = {"FeedbackSound"}; },
         {"Fail to save settings! (FeedbackSound)"}, 4},
        {"name and style", [](SetupFakes& f) { f.registry.failing = {"VenderName", "VenderStyle"}; },
         {"Fail to Set Vender Name!", "Fail to Set Vender Style!"}, 5},
        {"style", [](SetupFakes& f) { f.registry.failing = {"VenderStyle"}; }, {"Fail to Set Vender Style!"}, 6},
        {"a key users may only read", [](SetupFakes& f) { f.registry.denyMachineWrites = true; },
         {"Fail to save settings! (VirtualButton)", "Fail to save settings! (FeedbackSound)",
          "Fail to Set Vender Name!", "Fail to Set Vender Style!"},
         4},
    };
    for (const Case& c : cases) {
        for (const bool silent : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (silent ? ", silent" : ""));
            SetupFakes f;
            f.Ini("VirtualButton=2\r\nFeedbackSound=3\r\n");
            f.Oem("[SETUP]\r\nTITLE=Acme\r\nSTYLE=21120912\r\n");
            c.prepare(f);
            RunSetup(f.app, f.platform, silent ? "/XPEFBASETUP" : "");
            EXPECT_EQ(f.app.ExitCode(), c.status);
            std::vector<std::string> boxes, lines;
            for (const std::string& text : c.reported) {
                (silent ? lines : boxes).push_back(silent ? "TouchScreen Driver Installation: " + text + "\n" : text);
            }
            if (!silent && c.status != kSetupVendorValuesMissing) boxes.push_back(kFinished);
            EXPECT_EQ(f.Boxes(), boxes);
            EXPECT_EQ(f.debug.lines, lines);
            if (silent) {
                EXPECT_TRUE(f.backend.Updates().empty());  // no window was ever made
            }
        }
    }
}

TEST_F(Setup, MissingVendorValuesEndBeforeImporting) {
    registry.Remove(kSettingsPath, "HardwareID");
    Ini("VirtualButton=2\n");
    RunSetup(app, platform, "");
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Fail to load data from Register File!"});
    EXPECT_TRUE(Written().empty());
    EXPECT_TRUE(restart.calls.empty());
}

struct Restart : ::testing::Test {
    ui::HeadlessBackend backend;
    ui::App app{backend, kSetupTitle};
    test::FakeRestart port;
};

TEST_F(Restart, EachFailureIsToldWithItsDetail) {
    const struct {
        bool tokenOk;
        std::uint32_t lookupError, adjustError;
        bool exitOk;
        const char* text;
    } cases[] = {
        {false, 0, 0, true, "Fail to restart system! (OpenProcessToken=0)"},
        {true, 1313, 0, true, "Fail to restart system! (LookupPrivilegeValue = 1313)"},
        {true, 0, 1300, true, "Fail to restart system! (AdjustTokenPrivileges = 1300)"},
        {true, 0, 0, false, "Fail to restart system! (ExitWindowsEx=0)"},
    };
    for (const auto& c : cases) {
        test::FakeRestart restart;
        restart.tokenOk = c.tokenOk;
        restart.lookupError = c.lookupError;
        restart.adjustError = c.adjustError;
        restart.exitOk = c.exitOk;
        const std::size_t before = backend.MsgBoxes().size();
        EXPECT_FALSE(RestartWindows(app, restart));
        ASSERT_EQ(backend.MsgBoxes().size(), before + 1);
        EXPECT_EQ(backend.MsgBoxes().back().text, c.text);
        EXPECT_EQ(backend.MsgBoxes().back().flags, ui::kMbOk);
        EXPECT_EQ(backend.MsgBoxes().back().caption, kSetupTitle);
    }
}

TEST_F(Restart, StaleLastErrorDoesNotCountAndTheRequestIsExact) {
    EXPECT_TRUE(RestartWindows(app, port));  // the fake starts with a stale error 87
    EXPECT_TRUE(backend.MsgBoxes().empty());
    EXPECT_EQ(port.calls,
              (std::vector<std::string>{"OpenProcessToken -1 40", "LookupPrivilegeValueA SeShutdownPrivilege",
                                        "AdjustTokenPrivileges 112 0", "ExitWindowsEx 18 0"}));
    EXPECT_EQ(port.adjusted.PrivilegeCount, 1u);
    EXPECT_EQ(port.adjusted.PrivilegeLuid.LowPart, 19u);
    EXPECT_EQ(port.adjusted.Attributes, 2u);
    EXPECT_EQ(port.adjustedLength, 28u);
}

TEST(ProgressWindow, CentresIconAndTextAndGrowsOnlyForATallText) {
    ui::HeadlessBackend backend;
    ui::App app(backend, "Title");
    auto& window = app.Create<frmMessage>(false);
    window.ShowProgressMessage("Removing files from your system...");
    const ui::Image& icon = window.Ctl<ui::Image>("imgMsg");
    const ui::Label& label = window.Ctl<ui::Label>("lblMsg");
    EXPECT_EQ(window.Caption(), "Title");
    EXPECT_TRUE(window.Visible());
    const int height = window.ScaleHeight();  // as designed
    EXPECT_GE(height, 2 * icon.Height());
    EXPECT_EQ(label.Height(), 195);  // one line of 13 pixels
    EXPECT_EQ(icon.Top(), (height - icon.Height()) / 2);
    EXPECT_EQ(label.Top(), (height - label.Height()) / 2);
    EXPECT_TRUE(backend.PointerLog().empty());  // the removal program leaves the pointer alone

    window.ShowProgressMessage(std::string(400, 'w'));  // wraps to many lines
    EXPECT_GT(label.Height(), 2 * icon.Height());
    EXPECT_EQ(window.ScaleHeight(), label.Height() + icon.Height() / 2);
    EXPECT_EQ(label.Top(), icon.Height() / 4);
    EXPECT_EQ(icon.Top() + icon.Height() / 2, window.ScaleHeight() / 2);
}

}  // namespace
}  // namespace kesma::setup
