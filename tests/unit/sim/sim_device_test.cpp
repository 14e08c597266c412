#include <gtest/gtest.h>

#include "sim_device.h"

namespace {

using kesma::test::SimDevice;

TEST(SimDevice, OpensOnlyThePresentDriverByItsName)
{
    SimDevice device;
    EXPECT_EQ(device.CreateFileA("\\\\.\\KESMADRV"), SimDevice::kHandle);
    EXPECT_EQ(device.CreateFileA("\\\\.\\OTHER"), kesma::kInvalidHandle);
    device.present = false;
    EXPECT_EQ(device.CreateFileA("\\\\.\\KESMADRV"), kesma::kInvalidHandle);
    EXPECT_EQ(device.opens, 1);
    EXPECT_TRUE(device.CloseHandle(SimDevice::kHandle));
    EXPECT_EQ(device.closes, 1);
}

TEST(SimDevice, RequestsReachTheCoreAndAreJournaled)
{
    SimDevice device;
    int calls = 0;
    device.OnRequest = [&](uint32_t code) {
        if (code == KESMA_READ_TOUCH_POINT && ++calls == 2) device.Touch(10, 20);
    };
    TouchPoint point{};
    uint32_t bytes = 0;
    ASSERT_TRUE(device.DeviceIoControl(SimDevice::kHandle, KESMA_READ_TOUCH_POINT, &point, 8, bytes));
    EXPECT_EQ(bytes, 8u);
    EXPECT_EQ(point.Status, 0);
    ASSERT_TRUE(device.DeviceIoControl(SimDevice::kHandle, KESMA_READ_TOUCH_POINT, &point, 8, bytes));
    ASSERT_TRUE(device.DeviceIoControl(SimDevice::kHandle, KESMA_READ_TOUCH_POINT, &point, 8, bytes));
    EXPECT_EQ(point.Status, KESMA_PEN_DOWN) << "the hook touched after the second poll";
    EXPECT_EQ(point.X, 10);

    EXPECT_FALSE(device.DeviceIoControl(7, KESMA_READ_TOUCH_POINT, &point, 8, bytes)) << "unknown handle";
    device.SetFault(true);
    EXPECT_FALSE(device.DeviceIoControl(SimDevice::kHandle, KESMA_READ_TOUCH_POINT, &point, 8, bytes));
    EXPECT_EQ(bytes, 0u);
    device.SetFault(false);

    device.Lift();
    EXPECT_EQ(device.state().Sim.Touch.X, 10);
    EXPECT_EQ(device.state().Sim.Touch.Status, 0);

    auto journal = device.Journal();
    ASSERT_EQ(journal.size(), 4u) << "only public requests, the refused one included";
    EXPECT_TRUE(journal[0].ok);
    EXPECT_FALSE(journal[3].ok);
    EXPECT_EQ(journal[2].out.size(), 8u);
    EXPECT_TRUE(journal[3].out.empty());
    EXPECT_EQ(device.Codes(), std::vector<uint32_t>(4, KESMA_READ_TOUCH_POINT));
    device.ClearJournal();
    EXPECT_TRUE(device.Journal().empty());
}

TEST(SimDevice, SettingsShortcutIsTheDriverRecord)
{
    SimDevice device;
    device.settings().ComPort = 0;
    DeviceSettings read{};
    uint32_t bytes = 0;
    ASSERT_TRUE(device.DeviceIoControl(SimDevice::kHandle, KESMA_GET_SETTINGS, &read, 82, bytes));
    EXPECT_EQ(read.ComPort, 0);

    device.state().Sim.RightButtonSlot = {5, 1, 0};
    device.PerformRightClick();
    EXPECT_EQ(device.state().Sim.RightButtonSlot.Word, 0);
}

}  // namespace
