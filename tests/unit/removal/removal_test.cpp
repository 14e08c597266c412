#include "removal/removal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_files.h"
#include "fake_processes.h"
#include "fake_registry.h"
#include "fake_setup_ports.h"
#include "fake_windows.h"
#include "shared/companions.h"
#include "sim_device.h"
#include "ui/headless/headless.h"

namespace kesma::removal {
namespace {

using test::FakeProcessControl;

constexpr const char* kCommandLine = "\"C:\\Program Files\\Lumivane\\TouchScreen\\unins000.exe\" /SILENT";

struct Removal : ::testing::Test {
    ui::HeadlessBackend backend;
    ui::App app{backend, kRemovalTitle};
    test::SimDevice device;
    test::FakeRegistry registry;
    test::FakeWindows windows;
    test::FakeProcesses processes;
    test::FakeFiles files;
    FakeProcessControl processControl;
    test::FakeRestart restart;
    Platform platform{device, registry, windows, processes, files, processControl, restart};
    frmMain* form = nullptr;
    std::vector<std::string> log;  // what happened, in order

    void SetUp() override {
        registry.SetVendorValues();
        processControl.onStart = [this](const std::string&) { log.push_back("uninstaller started"); };
        form = &app.Create<frmMain>(platform);
        form->Show();
    }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& box : backend.MsgBoxes()) texts.push_back(box.text);
        return texts;
    }
    bool Restarted() const { return !restart.calls.empty(); }
};

TEST_F(Removal, NoAndEnterEndWithoutChangingAnything) {
    for (const int key : {0, 13}) {  // Esc: the E2E test
        ui::HeadlessBackend b;
        ui::App a(b, kRemovalTitle);
        auto& f = a.Create<frmMain>(platform);
        f.Show();
        if (key == 0) f.Ctl<ui::Button>("cmdNo").UserClick();
        else f.UserKeyDown(key, 0);
        EXPECT_TRUE(a.Ended()) << key;
        EXPECT_TRUE(b.MsgBoxes().empty());
    }
    EXPECT_TRUE(processControl.calls.empty());
    EXPECT_EQ(device.opens, 0);
}

TEST_F(Removal, LayoutCentresTheFrameAndTheButtonPairUnderAnEtchedLine) {
    EXPECT_EQ(form->Caption(), "TouchScreen Software Removal");
    EXPECT_EQ(form->Ctl<ui::Label>("lblSystem").Caption(), "TouchScreen Software Removal Version 7.3.COM");
    EXPECT_EQ(form->Ctl<ui::Label>("lblAsk").Caption(),
              "Are you sure you want to completely remove TouchScreen V.7.3.COM and all of its components?");
    const ui::Button& yes = form->Ctl<ui::Button>("cmdYes");
    const ui::Button& no = form->Ctl<ui::Button>("cmdNo");
    const ui::Shape& frame = form->Ctl<ui::Shape>("shpRemoval");
    EXPECT_EQ(frame.Left(), (form->ScaleWidth() - frame.Width()) / 2);
    EXPECT_EQ(yes.Left(), 1751);  // (6540 - 1822.5 - 1215) rounded to even, then \ 2
    EXPECT_EQ(no.Left(), 3574);
    const ui::Control& shadow = form->Ctl("linEtchShadow");
    const ui::Control& light = form->Ctl("linEtchHighlight");
    EXPECT_EQ(shadow.Top(), yes.Top() - 218);
    EXPECT_EQ(shadow.Left(), frame.Left() - 50);
    EXPECT_EQ(shadow.Width(), frame.Width() + 100);
    EXPECT_EQ(light.Top(), shadow.Top() + 20);
    EXPECT_EQ(light.Left(), shadow.Left() - 5);
    EXPECT_EQ(light.Width(), shadow.Width() + 10);
    EXPECT_TRUE(no.IsDefault() && no.IsCancel());
}

TEST_F(Removal, YesClosesTheCompanionsRunsTheUninstallerAndRestarts) {
    device.state().Sim.RightButtonSlot.Window = 0x111;
    device.state().Sim.SmiSlot.Window = 0x222;
    for (const auto& [hwnd, name] : {std::pair{0x111, "right button"}, std::pair{0x222, "smi"}}) {
        test::FakeWindows::Window w;
        w.hwnd = hwnd;
        w.handler = [this, name = std::string(name)](unsigned, std::uintptr_t wParam, std::intptr_t) {
            log.push_back(name + " " + std::to_string(wParam));
            return 0;
        };
        windows.windows.push_back(w);
    }
    processControl.waitResults = {kWaitTimeout, kWaitObject0};
    const std::uint32_t start = backend.TickCount();
    form->Ctl<ui::Button>("cmdYes").UserClick();

    EXPECT_EQ(log, (std::vector<std::string>{"right button 4110", "smi 8206", "uninstaller started"}));
    EXPECT_EQ(device.opens, device.closes);
    EXPECT_EQ(processControl.calls,
              (std::vector<std::string>{std::string("CreateProcessA ") + kCommandLine, "OpenProcess 1048576 0 4242",
                                        "WaitForSingleObject 96 1000", "WaitForSingleObject 96 1000",
                                        "CloseHandle 96", "GetExitCodeProcess 80", "CloseHandle 80",
                                        "MoveFileExA C:\\windows\\Kesmawipe.exe 4"}));
    EXPECT_TRUE(processControl.open.empty());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0], "Removal is complete to uninstall TouchScreen drivers and utilities.\r\n\r\n"
                          "The Windows must be restarted.");
    EXPECT_EQ(backend.MsgBoxes()[0].flags, 0x1040u);
    EXPECT_EQ(app.FindForm("frmMessage"), nullptr);
    EXPECT_TRUE(Restarted());
    EXPECT_TRUE(app.Ended());
    // Both pauses (3 s and 10 s, each within half a second); the fake waits take no time.
    EXPECT_GE(backend.TickCount() - start, 12500u);
    EXPECT_LE(backend.TickCount() - start, 13500u);
}

TEST_F(Removal, EveryWaitOutcomeButAnEndWithStatusZeroWarnsAndStops) {
    const struct {
        std::vector<std::uint32_t> results;
        std::uint32_t exitCode;
        bool exitCodeOk;
        const char* warning;
        std::size_t waits;
    } cases[] = {
        {{kWaitTimeout, kWaitFailed}, 0, true, "Fail to remove files! (WAIT_FAILED)", 2},
        {{kWaitAbandoned}, 0, true, "Fail to remove files! (WAIT_ABANDONED)", 1},
        {{}, 0, true, "Fail to remove files! (WAIT_TIMEOUT)", 10},
        {{kWaitObject0}, 2, true, "Fail to remove files! (unins000.exe exit code 2)", 1},
        {{kWaitTimeout, kWaitObject0}, 0xC0000005, true, "Fail to remove files! (unins000.exe exit code 3221225477)", 2},
        {{kWaitObject0}, 0, false, "Fail to remove files! (GetExitCodeProcess)", 1},
    };
    for (const auto& c : cases) {
        ui::HeadlessBackend b;
        ui::App a(b, kRemovalTitle);
        FakeProcessControl pc;
        pc.waitResults = c.results;
        pc.exitCode = c.exitCode;
        pc.exitCodeOk = c.exitCodeOk;
        test::FakeRestart r;
        Platform p{device, registry, windows, processes, files, pc, r};
        auto& f = a.Create<frmMain>(p);
        f.Show();
        f.Ctl<ui::Button>("cmdYes").UserClick();
        ASSERT_EQ(b.MsgBoxes().size(), 1u);
        EXPECT_EQ(b.MsgBoxes()[0].text, c.warning);  // and no completion message
        EXPECT_EQ(b.MsgBoxes()[0].flags, 0x1030u);
        EXPECT_EQ(b.MsgBoxes()[0].caption, kRemovalTitle);
        std::size_t waits = 0;
        for (const auto& call : pc.calls) waits += call.rfind("WaitForSingleObject", 0) == 0;
        EXPECT_EQ(waits, c.waits);
        EXPECT_TRUE(pc.open.empty());
        EXPECT_EQ(pc.calls.back(), "CloseHandle 80");  // no MoveFileExA
        EXPECT_TRUE(r.calls.empty());
        EXPECT_TRUE(a.Ended());
    }
}

TEST_F(Removal, AnUninstallerThatCannotStartOrBeOpenedStopsTheRemoval) {
    processControl.startOk = false;
    form->Ctl<ui::Button>("cmdYes").UserClick();
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Fail to remove files! (unins000.exe cannot be started)"});
    EXPECT_EQ(processControl.calls.size(), 1u);

    ui::HeadlessBackend b;
    ui::App a(b, kRemovalTitle);
    FakeProcessControl pc;
    pc.openOk = false;
    Platform p{device, registry, windows, processes, files, pc, restart};
    auto& f = a.Create<frmMain>(p);
    f.Show();
    f.Ctl<ui::Button>("cmdYes").UserClick();
    ASSERT_EQ(b.MsgBoxes().size(), 1u);
    EXPECT_EQ(b.MsgBoxes()[0].text, "Fail to remove files! (Startup)");
    EXPECT_TRUE(pc.open.empty());
    EXPECT_FALSE(Restarted());
}

TEST_F(Removal, ADeviceThatCannotBeOpenedLeavesTheCompanionsAndTheRemovalGoesOn) {
    device.present = false;
    device.state().Sim.RightButtonSlot.Window = 0x111;
    device.state().Sim.SmiSlot.Window = 0x222;
    processControl.waitResults = {kWaitObject0};
    form->Ctl<ui::Button>("cmdYes").UserClick();
    EXPECT_TRUE(windows.sent.empty());  // no close request to either slot's window
    EXPECT_EQ(log, std::vector<std::string>{"uninstaller started"});
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(backend.MsgBoxes()[0].flags, 0x1040u);  // the completion message, no warning
    EXPECT_TRUE(Restarted());
}

TEST_F(Removal, MissingVendorValuesEndBeforeAsking) {
    ui::HeadlessBackend b;
    ui::App a(b, kRemovalTitle);
    test::FakeRegistry empty;
    Platform p{device, empty, windows, processes, files, processControl, restart};
    a.Create<frmMain>(p).Show();
    ASSERT_EQ(b.MsgBoxes().size(), 1u);
    EXPECT_EQ(b.MsgBoxes()[0].text, "Fail to load data from Register File!");
    EXPECT_EQ(b.MsgBoxes()[0].flags, ui::kMbOk);
    EXPECT_EQ(b.MsgBoxes()[0].caption, kRemovalTitle);
    EXPECT_TRUE(a.Ended());
}

TEST_F(Removal, IconDoubleClickSwapsTheWindowForAboutAndBack) {
    form->Ctl<ui::Image>("imgIcon").UserDblClick();
    EXPECT_FALSE(form->Visible());
    ui::Form* about = app.FindForm("frmAbout");
    ASSERT_NE(about, nullptr);
    about->Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_TRUE(form->Visible());
}

}  // namespace
}  // namespace kesma::removal
