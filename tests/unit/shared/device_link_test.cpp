#include "shared/device_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "shared/forms.h"
#include "sim_device.h"
#include "ui/headless/headless.h"

namespace kesma {
namespace {

using test::SimDevice;

TEST(DeviceLink, EachRequestSendsItsCodeAndSize) {
    SimDevice device;
    DeviceLink link(device);
    ASSERT_TRUE(link.OpenTouchDevice());
    PortResources port{1, 0x3F8, 0x3FF, 4, 0, 0, 1};
    const std::pair<std::function<void()>, std::pair<std::uint32_t, std::uint32_t>> requests[] = {
        {[&] { link.GetSettings(); }, {0xF2010, 82}},
        {[&] { link.ReadTouchPoint(); }, {0xF2030, 8}},
        {[&] { link.SetCalibrationPhase(3); }, {0xF2040, 4}},
        {[&] { link.SetTouchMode(); }, {0xF2060, 82}},
        {[&] { link.SetFeedbackSound(); }, {0xF2070, 82}},
        {[&] { link.SetMouseSpeed(); }, {0xF2090, 82}},
        {[&] { link.SetCalibration(); }, {0xF20A0, 82}},
        {[&] { link.SetScreenSize(); }, {0xF20B0, 82}},
        {[&] { link.SetPowerSave(); }, {0xF20C0, 82}},
        {[&] { link.SetPortResources(port); }, {0xF20D0, 28}},
        {[&] { link.GetRightButtonWindow(); }, {0xF3010, 8}},
        {[&] { link.SetRightButtonWindow(); }, {0xF3020, 8}},
        {[&] { link.GetSmiWindow(); }, {0xF4010, 8}},
        {[&] { link.SoundTest(); }, {0xF5010, 4}},
    };
    for (const auto& [send, expected] : requests) {
        device.ClearJournal();
        send();
        const auto journal = device.Journal();
        ASSERT_EQ(journal.size(), 1u);
        EXPECT_EQ(journal[0].code, expected.first);
        EXPECT_EQ(journal[0].size, expected.second) << std::hex << expected.first;
        EXPECT_TRUE(link.LastRequestOk) << std::hex << expected.first;
        EXPECT_EQ(link.BytesReturned, expected.second) << std::hex << expected.first;
    }
}

TEST(DeviceLink, RecordAfterASetRequestIsWhatTheDeviceReturned) {
    SimDevice device;
    DeviceLink link(device);
    ASSERT_TRUE(link.OpenTouchDevice());
    link.GetSettings();
    EXPECT_EQ(std::memcmp(&link.Settings, &device.settings(), sizeof link.Settings), 0);

    // The device owns Level; a stale copy is overwritten by its answer while the
    // edited field of the request's group is taken.
    device.settings().Level = 7;
    link.Settings.Level = 1;
    link.Settings.TouchMode = 4;
    link.SetTouchMode();
    EXPECT_EQ(device.settings().TouchMode, 4);
    EXPECT_EQ(link.Settings.Level, 7);
    EXPECT_EQ(std::memcmp(&link.Settings, &device.settings(), sizeof link.Settings), 0);

    // The whole record goes out, fields of other groups included.
    const auto sent = device.Journal().back().in;
    ASSERT_EQ(sent.size(), 82u);
    EXPECT_EQ(sent[46], 1);  // Level as the program held it
}

TEST(DeviceLink, CalibrationPhaseIsSentAsFourBytes) {
    SimDevice device;
    DeviceLink link(device);
    ASSERT_TRUE(link.OpenTouchDevice());
    link.SetCalibrationPhase(5);
    EXPECT_EQ(device.Journal().back().in, (std::vector<std::uint8_t>{5, 0, 0, 0}));
    const std::int32_t kept = device.state().Sim.CalibrationPhase;  // packed: copy before comparing
    EXPECT_EQ(kept, 5);
}

TEST(DeviceLink, OpenFailureLeavesAnInvalidHandleAndSendsNothing) {
    SimDevice device;
    device.present = false;
    {
        DeviceLink link(device);
        EXPECT_FALSE(link.OpenTouchDevice());
        EXPECT_EQ(link.DeviceHandle, kInvalidHandle);
        link.GetSettings();  // must not crash; the request simply fails
        EXPECT_FALSE(link.LastRequestOk);
    }
    EXPECT_EQ(device.closes, 0);
}

TEST(DeviceLink, OpenFailureReport) {
    ui::HeadlessBackend backend;
    ui::App app(backend, "Title");
    ReportOpenFailure(app, " TouchScreen Control Panel #Velorix");
    ASSERT_EQ(backend.MsgBoxes().size(), 1u);
    EXPECT_EQ(backend.MsgBoxes()[0].text, "Fail to open KESMADRV.sys!");
    EXPECT_EQ(backend.MsgBoxes()[0].caption, " TouchScreen Control Panel #Velorix");
    EXPECT_EQ(backend.MsgBoxes()[0].flags, 0x1010u);
    EXPECT_EQ(backend.BeepCount(), 1);
}

TEST(DeviceLink, HandleIsClosedExactlyOnce) {
    SimDevice device;
    {
        DeviceLink link(device);
        ASSERT_TRUE(link.OpenTouchDevice());
        link.CloseTouchDevice();
        EXPECT_TRUE(link.LastRequestOk);
        EXPECT_EQ(link.DeviceHandle, kInvalidHandle);
    }
    EXPECT_EQ(device.closes, 1);

    {
        DeviceLink link(device);  // left open: the owner closes it
        ASSERT_TRUE(link.OpenTouchDevice());
    }
    EXPECT_EQ(device.closes, 2);
}

}  // namespace
}  // namespace kesma
