#include "shared/companions.h"

#include <gtest/gtest.h>

#include "fake_processes.h"
#include "fake_registry.h"
#include "fake_windows.h"
#include "shared/device_link.h"
#include "shared/settings_store.h"
#include "sim_device.h"
#include "ui/headless/headless.h"

namespace kesma {
namespace {

using test::FakeWindows;
using Message = FakeWindows::Message;

const std::string kCaption = " TouchScreen Control Panel #Velorix";

TEST(FindInstanceWindowTest, TakesOnlyAnUnownedTopLevelWindowWithTheExactCaption) {
    FakeWindows windows;
    const Hwnd own = windows.Add(kCaption);
    windows.Add(kCaption, own);                          // parented
    windows.Add(kCaption, 0, 0x0040);                    // instance low word set
    windows.Add(" touchscreen control panel #velorix");  // letter case differs
    windows.Add(kCaption + " ");                         // longer
    windows.Add("");
    EXPECT_EQ(FindInstanceWindow(windows, own, kCaption), 0);
    EXPECT_EQ(FindInstanceWindow(windows, own, ""), 0);  // an empty title never matches

    const Hwnd other = windows.Add(kCaption);
    EXPECT_EQ(FindInstanceWindow(windows, own, kCaption), other);
}

TEST(FindInstanceWindowTest, LongTitlesCompareByTheirFirst127Characters) {
    FakeWindows windows;
    const std::string title(200, 'T');
    const Hwnd h = windows.Add(title);
    EXPECT_EQ(FindInstanceWindow(windows, 0, title.substr(0, 127)), h);
    EXPECT_EQ(FindInstanceWindow(windows, 0, title.substr(0, 128)), 0);
    EXPECT_EQ(FindInstanceWindow(windows, 0, title), 0);
}

class GuardTest : public ::testing::Test {
protected:
    bool Pass() { return PassSingleInstanceGuard(app, processes, windows, "Kesmapan", own, kCaption); }

    ui::HeadlessBackend backend;
    ui::App app{backend, kCaption};
    test::FakeProcesses processes;
    FakeWindows windows;
    Hwnd own = windows.Add(kCaption);
};

TEST_F(GuardTest, FirstCopyPasses) {
    windows.Add(kCaption);
    EXPECT_TRUE(Pass());
    EXPECT_EQ(processes.instanceChecks, (std::vector<std::string>{"Kesmapan"}));
    EXPECT_TRUE(windows.calls.empty());
    EXPECT_TRUE(backend.MsgBoxes().empty());
}

TEST_F(GuardTest, SecondCopyBringsTheFirstToTheFront) {
    processes.anotherInstance = true;
    windows.Add("Other");
    const Hwnd first = windows.Add(kCaption);
    EXPECT_FALSE(Pass());
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"SetForegroundWindow " + std::to_string(first),
                                                       "BringWindowToTop " + std::to_string(first)}));
    EXPECT_TRUE(backend.MsgBoxes().empty());
}

TEST_F(GuardTest, SecondCopyWithoutAWindowToFindSaysSo) {
    processes.anotherInstance = true;
    EXPECT_FALSE(Pass());
    ASSERT_EQ(backend.MsgBoxes().size(), 1u);
    const auto& box = backend.MsgBoxes()[0];
    EXPECT_EQ(box.text, "Application is running!\r\rPlease find and select the running window from Taskbar.");
    EXPECT_EQ(box.caption, kCaption);
    EXPECT_EQ(box.flags, 0x1010u);
    EXPECT_EQ(backend.BeepCount(), 1);
    EXPECT_TRUE(windows.calls.empty());
}

class CompanionsTest : public ::testing::Test {
protected:
    CompanionsTest() {
        EXPECT_TRUE(link.OpenTouchDevice());
        store.InstallPath = "C:\\Program Files\\Lumivane\\TouchScreen";
    }

    test::SimDevice device;
    DeviceLink link{device};
    test::FakeRegistry registry;
    Registry reg{registry};
    SettingsStore store{reg};
    FakeWindows windows;
    test::FakeProcesses processes;
    Companions companions{link, store, windows, processes};
};

TEST_F(CompanionsTest, StartsCompanionsWithQuotedPaths) {
    EXPECT_TRUE(companions.StartRightButtonProgram());
    EXPECT_TRUE(companions.StartSmiProgram());
    EXPECT_EQ(processes.execs,
              (std::vector<test::FakeProcesses::Exec>{
                  {"\"C:\\Program Files\\Lumivane\\TouchScreen\\Kesmarbtn.exe\"", kSwHide},
                  {"\"C:\\Program Files\\Lumivane\\TouchScreen\\Kesmasmi.exe\"", kSwShowNormal}}));
    processes.result = 31;
    EXPECT_FALSE(companions.StartRightButtonProgram());
    processes.result = 32;
    EXPECT_TRUE(companions.StartSmiProgram());
}

TEST_F(CompanionsTest, MessagesGoOnlyToRegisteredWindows) {
    device.state().Sim.RightButtonSlot.Window = -1;
    device.state().Sim.SmiSlot.Window = -1;
    companions.NotifyCalibrationStart();
    companions.NotifyCalibrationEnd();
    companions.CloseRightButtonProgram();
    companions.CloseSmiProgram();
    EXPECT_TRUE(windows.sent.empty());
    EXPECT_EQ(device.Codes(), (std::vector<std::uint32_t>{0xF3010, 0xF3010, 0xF3010, 0xF4010}));

    device.state().Sim.RightButtonSlot.Window = 0x2A0;
    device.state().Sim.SmiSlot.Window = 0x3B0;
    companions.NotifyCalibrationStart();
    companions.NotifyCalibrationEnd();
    companions.CloseRightButtonProgram();
    companions.CloseSmiProgram();
    EXPECT_EQ(windows.sent, (std::vector<Message>{{0x2A0, 0x400, 0x1000, 0}, {0x2A0, 0x400, 0x1001, 0},
                                                 {0x2A0, 0x400, 0x100E, 0}, {0x3B0, 0x400, 0x200E, 0}}));
}

}  // namespace
}  // namespace kesma
