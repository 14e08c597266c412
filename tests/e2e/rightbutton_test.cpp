// Kesmarbtn against the simulated driver: registration, the one-shot right click with
// its cancels, the requests other programs send it, a second copy and a missing driver.
#include <cstdint>
#include <string>
#include <utility>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kProgram = "Kesmarbtn.exe";
constexpr const char* kCaption = " C-RBF";
constexpr const char* kTitle = " TouchScreen Right-Button #Velorix";

std::int32_t Registered(HWND hwnd) { return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd)); }

class RightButtonE2e : public E2eTest {
protected:
    // Starts a copy and waits until its window is registered with the driver.
    HWND StartRegistered() {
        const auto id = programs.Start(kProgram);
        EXPECT_TRUE(id.has_value());
        HWND hwnd = nullptr;
        EXPECT_TRUE(Eventually([&] {
            hwnd = ax::FindTopWindow(kCaption);
            return hwnd != nullptr && driver.State().RightButtonSlot.Window == Registered(hwnd);
        })) << "no registered window";
        return hwnd;
    }

    bool ButtonVisible(HWND hwnd) {
        HWND button = ax::FindControl(hwnd, "cmdAction");
        return button != nullptr && IsWindowVisible(button);
    }

    std::uint16_t Armed() { return driver.State().RightButtonSlot.Word; }

    // Presses the button and waits until the driver is armed and the button hidden.
    void Arm(HWND hwnd) {
        ASSERT_EQ(ax::Click(hwnd, ax::FindControl(hwnd, "cmdAction")), "");
        ASSERT_TRUE(Eventually([&] { return Armed() == 1 && !ButtonVisible(hwnd); })) << "not armed";
    }

    // The wait has ended: the driver disarmed, the button back, the window still registered.
    void ExpectIdle(HWND hwnd) {
        EXPECT_TRUE(Eventually([&] { return Armed() == 0 && ButtonVisible(hwnd); })) << "still waiting";
        EXPECT_EQ(driver.State().RightButtonSlot.Window, Registered(hwnd));
    }
};

TEST_F(RightButtonE2e, RegistersATopmostButtonInTheWorkAreaCorner) {
    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);

    EXPECT_EQ(driver.State().RightButtonSlot.Word, 0);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(ButtonVisible(hwnd));
    RECT work{}, window{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.right, work.right);
    EXPECT_EQ(window.bottom, work.bottom);
    EXPECT_EQ(driver.JournalCodes(),
              (std::vector<std::uint32_t>{KESMA_GET_RIGHT_BUTTON_WINDOW, KESMA_SET_RIGHT_BUTTON_WINDOW}));
}

TEST_F(RightButtonE2e, ClickWaitsUntilTheDriverHasPerformedTheRightClick) {
    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);
    Arm(hwnd);

    // The wait keeps polling and the window keeps answering.
    EXPECT_TRUE(ax::SendAndSettle(hwnd, WM_USER, 0x1000, 0).done);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ax::SendAndSettle(hwnd, WM_USER, 0x1001, 0).done);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(Armed(), 1);

    Kesmasim("perform-right-click");
    ExpectIdle(hwnd);
}

TEST_F(RightButtonE2e, KeyOrMousePressOnTheWindowCancelsTheWait) {
    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);

    // Keys that make no character leave the wait alone.
    Arm(hwnd);
    const std::pair<const char*, unsigned> ignored[] = {
        {"F5", 0}, {"Left", 0}, {"Down", ax::kShift}, {"Home", ax::kCtrl}, {"Delete", 0}};
    for (const auto& [key, modifiers] : ignored) ASSERT_EQ(ax::Key(hwnd, key, modifiers), "") << key;
    // Real input arrives asynchronously: give it time, then see the program back in its loop.
    Sleep(300);
    ASSERT_TRUE(ax::SendAndSettle(hwnd, WM_NULL, 0, 0).done);
    EXPECT_EQ(Armed(), 1);
    EXPECT_FALSE(ButtonVisible(hwnd));

    for (const char* key : {"Esc", "Enter", "M", "Space"}) {
        SCOPED_TRACE(key);
        if (key != std::string("Esc")) Arm(hwnd);
        ASSERT_EQ(ax::Key(hwnd, key, 0), "");
        ExpectIdle(hwnd);
    }

    for (ax::MouseButton button : {ax::MouseButton::Left, ax::MouseButton::Right}) {
        Arm(hwnd);
        ASSERT_EQ(ax::MouseDown(hwnd, button, 0), "");
        ASSERT_EQ(ax::MouseUp(hwnd, button, 0), "");
        ExpectIdle(hwnd);
    }
}

TEST_F(RightButtonE2e, HideShowAndCloseRequests) {
    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);

    EXPECT_TRUE(ax::SendAndSettle(hwnd, WM_USER, 0x1000, 0).done);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(ax::SendAndSettle(hwnd, WM_USER, 0x1001, 0).done);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    ax::SendAndSettle(hwnd, WM_USER, 0x100E, 0);

    EXPECT_TRUE(Eventually([&] { return !IsWindow(hwnd); }));
    EXPECT_EQ(driver.State().RightButtonSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(driver.State().RightButtonSlot.Word, 0);
}

TEST_F(RightButtonE2e, CloseRequestDuringTheWaitEndsDeregistered) {
    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);
    Arm(hwnd);

    ax::SendAndSettle(hwnd, WM_USER, 0x100E, 0);

    EXPECT_TRUE(Eventually([&] { return !IsWindow(hwnd); }));
    EXPECT_TRUE(ax::WaitTopWindowGone(kCaption));
    EXPECT_EQ(driver.State().RightButtonSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(driver.State().RightButtonSlot.Word, 0);
}

TEST_F(RightButtonE2e, UnknownRequestShowsItsCodes) {
    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);

    ax::SendAndSettle(hwnd, WM_USER, 0x1234, 0);

    const auto box = ax::WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, "RBF_WndProc Fail! wParam=1234h, lParam=0h");
    EXPECT_EQ(box->buttons, (std::vector<std::string>{"OK"}));
    EXPECT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(driver.State().RightButtonSlot.Window, Registered(hwnd));
}

TEST_F(RightButtonE2e, SecondCopyShowsTheFirstAndEnds) {
    HWND first = StartRegistered();
    ASSERT_NE(first, nullptr);
    ax::SendAndSettle(first, WM_USER, 0x1000, 0);
    ASSERT_FALSE(IsWindowVisible(first));

    const auto second = programs.Start(kProgram);
    ASSERT_TRUE(second.has_value());

    EXPECT_TRUE(programs.WaitExit(*second));
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(driver.State().RightButtonSlot.Window, Registered(first));
}

TEST_F(RightButtonE2e, EndOfSessionDeregistersSoTheNextLogOnRegistersAgain) {
    HWND first = StartRegistered();
    ASSERT_NE(first, nullptr);

    const ToolResult ended = RunTool("wineboot.exe --end-session");
    EXPECT_TRUE(ended.finished);

    EXPECT_TRUE(Eventually([&] { return !IsWindow(first); }));
    EXPECT_EQ(driver.State().RightButtonSlot.Window, KESMA_NO_WINDOW);
    HWND next = StartRegistered();
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(IsWindowVisible(next));
}

TEST_F(RightButtonE2e, StaleRegistrationIsTakenOver) {
    constexpr std::int32_t kNoWindow = 0x00FE0042;
    ASSERT_FALSE(IsWindow(reinterpret_cast<HWND>(static_cast<std::intptr_t>(kNoWindow))));
    Kesmasim("set RightButtonSlot.Window=" + std::to_string(kNoWindow));

    HWND hwnd = StartRegistered();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd));
}

// Not an E2eTest: its own handle to the driver would not survive the reinstall.
TEST(RightButtonNoDriverE2e, MissingDriverIsReportedAndTheProgramEnds) {
    if (!Driver().Present()) GTEST_SKIP() << "the simulated driver is not installed (run tools/wine-env up)";
    Programs programs;
    DriverStopped stopped;
    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());

    const auto box = ax::WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, "Fail to open KESMADRV.sys!");
    EXPECT_EQ(box->icon, "error");
    EXPECT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(programs.WaitExit(*id));
}

}  // namespace
}  // namespace kesma::e2e
