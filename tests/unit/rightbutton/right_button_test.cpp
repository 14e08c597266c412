#include "rightbutton/right_button.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fake_system.h"
#include "fake_windows.h"
#include "shared/companions.h"
#include "sim_device.h"
#include "ui/headless/headless.h"

namespace kesma::rightbutton {
namespace {

using test::FakeWindows;
using test::SimDevice;

// Forwards to the simulated device and counts the requests made on a closed handle,
// which on Windows may already name another object.
class WatchedDevice : public DevicePort {
public:
    explicit WatchedDevice(SimDevice& device) : device_(device) {}
    int requestsAfterClose = 0;

    Handle CreateFileA(const std::string& name) override {
        const Handle h = device_.CreateFileA(name);
        if (h != kInvalidHandle) open_ = true;
        return h;
    }
    bool DeviceIoControl(Handle handle, std::uint32_t code, void* buffer, std::uint32_t size,
                         std::uint32_t& bytesReturned) override {
        if (!open_) ++requestsAfterClose;
        return device_.DeviceIoControl(handle, code, buffer, size, bytesReturned);
    }
    bool CloseHandle(Handle handle) override {
        open_ = false;
        return device_.CloseHandle(handle);
    }

private:
    SimDevice& device_;
    bool open_ = false;
};

// One running copy of the program: its own link and app on the shared device and
// windows, as two processes would be.
struct Copy {
    Copy(ui::Backend& backend, DevicePort& device, WindowPort& windows, SystemPort& system)
        : link(device), app(backend, kAppTitle), form(app.Create<frmMain>(link, windows, system)) {}
    DeviceLink link;  // outlives the app and its form, as in the program
    ui::App app;
    frmMain& form;
};

constexpr int kEsc = 27, kF5 = 116;

class RightButtonTest : public ::testing::Test {
protected:
    // Starts a copy; a registered window receives the messages sent to its handle.
    Copy& Start() {
        copies_.push_back(std::make_unique<Copy>(backend, watched, windows, system));
        Copy& copy = *copies_.back();
        copy.form.Show();
        if (copy.form.Loaded()) {
            frmMain* form = &copy.form;
            windows.windows.push_back({copy.form.Handle(), copy.form.Caption(), 0, 0,
                                       [form](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
                                           return message == kWmUser ? form->FireUserMessage(wParam, lParam) : 0;
                                       }});
        }
        return copy;
    }

    std::intptr_t Request(const Copy& copy, std::uintptr_t code, std::intptr_t lParam = 0) {
        std::uintptr_t result = 0;
        windows.SendMessageTimeoutA(copy.form.Handle(), kWmUser, code, lParam, kSmtoAbortIfHung, 1000, &result);
        return static_cast<std::intptr_t>(result);
    }

    // The slot requests in order, runs of the same entry collapsed: "Get" or
    // "Set <window> <armed>".
    std::vector<std::string> SlotRequests() const {
        std::vector<std::string> out;
        for (const SimDevice::Entry& e : device.Journal()) {
            std::string text = "?";
            if (e.code == KESMA_GET_RIGHT_BUTTON_WINDOW) {
                text = "Get";
            } else if (e.code == KESMA_SET_RIGHT_BUTTON_WINDOW) {
                WindowSlot slot{};
                std::memcpy(&slot, e.in.data(), sizeof slot);
                text = "Set " + std::to_string(slot.Window) + " " + std::to_string(slot.Word);
            }
            if (out.empty() || out.back() != text) out.push_back(text);
        }
        return out;
    }

    static std::string Set(const Copy& copy, int armed) {
        return "Set " + std::to_string(copy.form.Handle()) + " " + std::to_string(armed);
    }

    // Runs step(pass) on every DoEvents pass of a wait; gives up after many passes.
    void EachPass(std::function<void(int)> step) {
        backend.OnDoEvents = [this, step = std::move(step)] {
            ++passes;
            ASSERT_LT(passes, 100000) << "the wait did not end";
            step(passes);
        };
    }

    ui::HeadlessBackend backend;
    SimDevice device;
    WatchedDevice watched{device};
    FakeWindows windows;
    test::FakeSystem system;
    int passes = 0;

private:
    std::vector<std::unique_ptr<Copy>> copies_;
};

TEST_F(RightButtonTest, StartRegistersATopmostButtonInTheWorkAreaCorner) {
    system.work = {0, 0, 800, 570};    // a task bar below and one to the right
    windows.windowRect = {10, 20, 122, 85};  // widened to the minimum width of a captioned window
    Copy& rb = Start();
    const ui::Button& button = rb.form.Ctl<ui::Button>("cmdAction");

    EXPECT_EQ(rb.form.Caption(), " C-RBF");
    EXPECT_EQ(rb.form.BackColor(), ui::kButtonFace);
    EXPECT_EQ(rb.form.ScaleWidth(), 600);
    EXPECT_EQ(rb.form.ScaleHeight(), 600);
    EXPECT_EQ(button.Left(), 0);
    EXPECT_EQ(button.Top(), 0);
    EXPECT_EQ(button.Caption(), "");
    EXPECT_EQ(button.GetPicture().source, ui::Picture::Source::Icon);
    EXPECT_EQ(rb.form.Left(), 15 * (800 - 112));
    EXPECT_EQ(rb.form.Top(), 15 * (570 - 65));
    ASSERT_EQ(windows.placements.size(), 1u);
    EXPECT_EQ(windows.placements[0].window, rb.form.Handle());
    EXPECT_EQ(windows.placements[0].insertAfter, kHwndTopMost);
    EXPECT_EQ(windows.placements[0].flags, kSwpNoMove | kSwpNoSize | kSwpNoActivate);

    EXPECT_TRUE(rb.form.Visible());
    EXPECT_EQ(SlotRequests(), (std::vector<std::string>{"Get", Set(rb, 0)}));
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Window, rb.form.Handle());
    EXPECT_TRUE(backend.MsgBoxes().empty());
}

TEST_F(RightButtonTest, OpenFailureReportsAndEndsWithoutRequests) {
    device.present = false;
    Copy& rb = Start();

    ASSERT_EQ(backend.MsgBoxes().size(), 1u);
    EXPECT_EQ(backend.MsgBoxes()[0].text, "Fail to open KESMADRV.sys!");
    EXPECT_EQ(backend.MsgBoxes()[0].caption, " TouchScreen Right-Button #Velorix");
    EXPECT_EQ(backend.MsgBoxes()[0].flags, ui::kMbSystemModal | ui::kMbIconError);
    EXPECT_EQ(backend.BeepCount(), 1);
    EXPECT_TRUE(rb.app.Ended());
    EXPECT_FALSE(rb.form.Visible());
    EXPECT_TRUE(device.Journal().empty());
}

TEST_F(RightButtonTest, DriverFailingEveryRequestLeavesTheProgramRunningAndSendsNothing) {
    device.SetFault(true);
    Copy& rb = Start();

    EXPECT_FALSE(rb.app.Ended());
    EXPECT_TRUE(rb.form.Visible());
    EXPECT_TRUE(windows.sent.empty());  // no show request to a window the driver never named
    EXPECT_TRUE(backend.MsgBoxes().empty());
}

TEST_F(RightButtonTest, SecondCopyShowsTheRegisteredOneAndEnds) {
    Copy& first = Start();
    Request(first, kRequestHide);
    ASSERT_FALSE(first.form.Visible());
    device.ClearJournal();

    Copy& second = Start();

    EXPECT_TRUE(first.form.Visible());
    EXPECT_EQ(windows.sent.back(), (FakeWindows::Message{first.form.Handle(), kWmUser, kRequestShow, 0}));
    EXPECT_TRUE(second.app.Ended());
    EXPECT_FALSE(first.app.Ended());
    EXPECT_EQ(SlotRequests(), (std::vector<std::string>{"Get"}));
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Window, first.form.Handle());
    EXPECT_EQ(device.opens, 2);
    EXPECT_EQ(device.closes, 1);
    EXPECT_TRUE(backend.MsgBoxes().empty());
}

// A handle that names no window at all is the E2E test's.
TEST_F(RightButtonTest, StaleRegistrationIsTakenOver) {
    const Hwnd foreign = windows.Add(" C-RBF");  // the caption, but not one of our forms
    const struct {
        const char* name;
        Hwnd registered;
    } cases[] = {
        {"another class", foreign},
        {"another caption", windows.Add("TouchScreen Control Panel")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        device.state().Sim.RightButtonSlot.Window = static_cast<std::int32_t>(c.registered);
        windows.sent.clear();

        Copy& rb = Start();

        EXPECT_FALSE(rb.app.Ended());
        EXPECT_TRUE(rb.form.Visible());
        EXPECT_TRUE(windows.sent.empty());
        EXPECT_EQ(device.state().Sim.RightButtonSlot.Window, rb.form.Handle());
        Request(rb, kRequestClose);
    }
}

TEST_F(RightButtonTest, ClickArmsAndWaitsUntilTheDriverHasClicked) {
    Copy& rb = Start();
    ui::Button& button = rb.form.Ctl<ui::Button>("cmdAction");
    device.ClearJournal();
    int polls = 0;
    device.OnRequest = [&](std::uint32_t code) {
        if (code != KESMA_GET_RIGHT_BUTTON_WINDOW) return;
        ++polls;
        EXPECT_FALSE(button.Visible());
        EXPECT_EQ(rb.form.WaitingForTouch, 1);
        // Hide and show requests during the wait change only the visibility.
        if (polls == 2) {
            EXPECT_EQ(Request(rb, kRequestHide), 0);
        } else if (polls == 3) {
            EXPECT_FALSE(rb.form.Visible());
            Request(rb, kRequestShow);
        } else if (polls == 6) {
            device.PerformRightClick();  // after this read: the next one sees it done
        }
    };
    EachPass([](int) {});

    button.UserClick();

    EXPECT_EQ(polls, 7);
    EXPECT_EQ(SlotRequests(), (std::vector<std::string>{Set(rb, 1), "Get", Set(rb, 0)}));
    EXPECT_TRUE(button.Visible());
    EXPECT_TRUE(rb.form.Visible());
    EXPECT_EQ(rb.form.WaitingForTouch, 0);
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Window, rb.form.Handle());
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Word, 0);
}

TEST_F(RightButtonTest, KeyOrLeftOrRightPressOnTheWindowCancelsTheWait) {
    Copy& rb = Start();
    ui::Button& button = rb.form.Ctl<ui::Button>("cmdAction");
    const std::vector<std::pair<std::string, std::function<void()>>> cancels{
        {"key", [&] { rb.form.UserKeyPress(kEsc); }},
        {"left", [&] { rb.form.UserMouseDown(ui::kLeftButton, 0, 10, 10); }},
        {"right", [&] { rb.form.UserMouseDown(ui::kRightButton, 0, 10, 10); }},
    };
    for (const auto& [name, cancel] : cancels) {
        SCOPED_TRACE(name);
        device.ClearJournal();
        passes = 0;
        EachPass([&](int pass) {
            if (pass == 3) {  // no cancels
                rb.form.UserMouseDown(ui::kMiddleButton, 0, 10, 10);
                rb.form.UserKeyDown(kF5, 0);
            }
            if (pass == 6) {
                EXPECT_EQ(rb.form.WaitingForTouch, 1);
                cancel();
            }
        });

        button.UserClick();

        EXPECT_EQ(passes, 6);
        EXPECT_EQ(SlotRequests(), (std::vector<std::string>{Set(rb, 1), "Get", Set(rb, 0)}));
        EXPECT_EQ(device.state().Sim.RightButtonSlot.Word, 0);
        EXPECT_TRUE(button.Visible());
        EXPECT_EQ(rb.form.WaitingForTouch, 0);
    }
}

TEST_F(RightButtonTest, CloseRequestDeregistersAndEnds) {
    Copy& rb = Start();
    device.ClearJournal();

    EXPECT_EQ(Request(rb, kRequestClose), 0);

    EXPECT_TRUE(rb.app.Ended());
    EXPECT_EQ(SlotRequests(), (std::vector<std::string>{"Set -1 0"}));
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(device.closes, 1);
}

TEST_F(RightButtonTest, CloseRequestDuringTheWaitEndsDeregisteredWithoutFurtherRequests) {
    Copy& rb = Start();
    const ui::Button& button = rb.form.Ctl<ui::Button>("cmdAction");
    const std::string armed = Set(rb, 1);
    device.ClearJournal();
    EachPass([&](int pass) {
        if (pass == 4) Request(rb, kRequestClose);
    });

    rb.form.Ctl<ui::Button>("cmdAction").UserClick();

    EXPECT_FALSE(button.Visible());
    rb.app.DoEvents();  // frees the unloaded form
    EXPECT_EQ(passes, 5);
    EXPECT_TRUE(rb.app.Ended());
    EXPECT_EQ(SlotRequests(), (std::vector<std::string>{armed, "Get", "Set -1 0"}));
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Word, 0);
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(watched.requestsAfterClose, 0);
}

TEST_F(RightButtonTest, UnknownRequestShowsItsCodesAndKeepsRunning) {
    Copy& rb = Start();
    device.ClearJournal();

    EXPECT_EQ(Request(rb, 0x1234, 0), 0);

    ASSERT_EQ(backend.MsgBoxes().size(), 1u);
    EXPECT_EQ(backend.MsgBoxes()[0].text, "RBF_WndProc Fail! wParam=1234h, lParam=0h");
    EXPECT_EQ(backend.MsgBoxes()[0].flags, ui::kMbOk);
    EXPECT_EQ(backend.MsgBoxes()[0].caption, kAppTitle);
    EXPECT_TRUE(rb.form.Visible());
    EXPECT_TRUE(device.Journal().empty());

    // 32-bit values in the 64-bit build too.
    EXPECT_EQ(UnknownRequestText(static_cast<std::uintptr_t>(0x5'0ABC'0DEFull), -1),
              "RBF_WndProc Fail! wParam=ABC0DEFh, lParam=FFFFFFFFh");
}

}  // namespace
}  // namespace kesma::rightbutton
