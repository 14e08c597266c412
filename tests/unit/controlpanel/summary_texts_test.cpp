#include "controlpanel/summary_texts.h"

#include <gtest/gtest.h>

namespace kesma::controlpanel {
namespace {

class SummaryTextsTest : public ::testing::Test {
protected:
    void SetUp() override { names.Fill(); }
    NameTables names;
};

TEST_F(SummaryTextsTest, TouchModeLines) {
    EXPECT_EQ(TouchModeText(names, 2, 0, 0), "Lift Off Mode, RBF Disable");
    EXPECT_EQ(TouchModeText(names, 4, 1, 0), "Drag Drop Mode, RBF Enable ( Manual Mode )");
    EXPECT_EQ(TouchModeText(names, 4, 1, 1), "Drag Drop Mode, RBF Enable ( Automatic Mode )");
    EXPECT_EQ(TouchModeText(names, 4, 1, 2), "Drag Drop Mode, RBF Enable ( Manual Mode )");
    EXPECT_EQ(TouchModeText(names, 4, 0, 1), "Drag Drop Mode, RBF Disable");
    EXPECT_EQ(TouchModeText(names, 1, 1, 0), "Stream Mode, RBF Enable");
    EXPECT_EQ(TouchModeText(names, 3, 1, 1), "Touch Down Mode, RBF Enable");
    EXPECT_EQ(TouchModeText(names, 7, 1, 0), "Invalid#7,1,0");
    EXPECT_EQ(TouchModeText(names, 0, 0, 255), "Invalid#0,0,255");
}

TEST_F(SummaryTextsTest, NameLookupsFallBackToInvalid) {
    EXPECT_EQ(SoundText(names, 0), "Invalid#0");
    EXPECT_EQ(SoundText(names, 5), "Invalid#5");
    EXPECT_EQ(SoundText(names, 1), "Silence ( No Sound )");
    EXPECT_EQ(SoundText(names, 4), "Both Touch Down && Lift Off");
    EXPECT_EQ(SpeedName(names, 4), "Off");
    EXPECT_EQ(SpeedName(names, 255), "Invalid#255");
}

TEST_F(SummaryTextsTest, SpeedLines) {
    EXPECT_EQ(SpeedText(names, 10, 12, 1, 0), "HS=50%, VS=60%, Acceleration=Slow");
    EXPECT_EQ(SpeedText(names, 0, 255, 9, 0), "HS=0%, VS=1275%, Acceleration=Invalid#9");
    EXPECT_EQ(SpeedText(names, 10, 12, 9, 1), "Enable Bypass Mode");
    EXPECT_EQ(SpeedText(names, 1, 2, 3, 200), "Enable Bypass Mode");
}

TEST_F(SummaryTextsTest, PowerDownAndDurationKeepTheirDoubledBlanks) {
    EXPECT_EQ(PowerDownText(0), "Disable Power Down Function");
    EXPECT_EQ(PowerDownText(3), "Power Down When Idle  30 Sec.");
    EXPECT_EQ(PowerDownText(6), "Power Down When Idle  1 Min. ");
    EXPECT_EQ(PowerDownText(9), "Power Down When Idle  1 Min.  30 Sec.");
    EXPECT_EQ(PowerDownText(255), "Power Down When Idle  42 Min.  30 Sec.");
    EXPECT_EQ(DurationText(0), "Disable");
    EXPECT_EQ(DurationText(61), " 1 Min.  1 Sec.");
    EXPECT_EQ(DurationText(-30), "-30 Sec.");
}

TEST_F(SummaryTextsTest, PortEntryLines) {
    EXPECT_EQ(PortEntryText(1, 0x3F8, 4), "COM1, BasePort=03F8h, IRQ=4");
    EXPECT_EQ(PortEntryText(2, 0x2F8, 3), "COM2, BasePort=02F8h, IRQ=3");
    EXPECT_EQ(PortEntryText(5, 0, 255), "COM5..Not Found.");
    EXPECT_EQ(PortEntryText(4, 0, 254), "COM4..Used by Other Device.");
    EXPECT_EQ(PortEntryText(3, 0, 22), "COM3..Unabled (code=22)");
    // A port the device manager listed without resources.
    EXPECT_EQ(PortEntryText(6, -1, -1), "COM6, BasePort=FFFFh, IRQ=-1");
}

TEST_F(SummaryTextsTest, HexTextsKeepTheLastDigits) {
    EXPECT_EQ(Hex2Text(10), "0A");
    EXPECT_EQ(Hex2Text(0xD4), "D4");
    EXPECT_EQ(Hex2Text(0x1FF), "FF");
    EXPECT_EQ(Hex4Text(0x2F8), "02F8");
    EXPECT_EQ(Hex4Text(0), "0000");
    EXPECT_EQ(Hex4Text(0x123456), "3456");
    EXPECT_EQ(Hex4Text(-1), "FFFF");
    EXPECT_EQ(Hex4Text(std::int16_t{-2}), "FFFE");
    EXPECT_EQ(Hex4Text(std::int32_t{-0x10000}), "0000");
    EXPECT_EQ(Hex2Text(-1), "FF");
}

TEST_F(SummaryTextsTest, DeviceTypeNames) {
    EXPECT_EQ(DeviceTypeName(0), "VELPRO");
    EXPECT_EQ(DeviceTypeName(1), "ELCOM");
    EXPECT_EQ(DeviceTypeName(2), "");
}

TEST_F(SummaryTextsTest, PortInUseLine) {
    DeviceSettings s{};
    s.ComPort = 1;
    s.BasePort = 0x3F8;
    s.Irq = 4;
    s.BaudIndex = 4;
    s.DeviceType = 0;
    EXPECT_EQ(PortInUseText(names, s), "COM1, Port=03F8, IRQ=4, (9600,N,8,1) *VELPRO");
    s.BaudIndex = 11;
    s.DeviceType = 1;
    EXPECT_EQ(PortInUseText(names, s), "COM1, Port=03F8, IRQ=4, (115200,N,8,1) *ELCOM");
    s.BaudIndex = 0;
    s.DeviceType = 7;
    EXPECT_EQ(PortInUseText(names, s), "COM1, Port=03F8, IRQ=4, (,N,8,1) *");
    s.BaudIndex = 12;
    EXPECT_EQ(PortInUseText(names, s), "COM1, Port=03F8, IRQ=4, (,N,8,1) *");
    s.BaudIndex = 255;
    EXPECT_EQ(PortInUseText(names, s), "COM1, Port=03F8, IRQ=4, (,N,8,1) *");
}

TEST_F(SummaryTextsTest, McuInfoLine) {
    const std::uint8_t info[6] = {0xD4, 0x42, 0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(McuInfoText(info), "MCU-Mode=D4  MCU-Version=4.2  MCU-Code=12345678");
    const std::uint8_t seven[6] = {0x01, 0x07, 0, 0, 0, 0x0A};
    EXPECT_EQ(McuInfoText(seven), "MCU-Mode=01  MCU-Version=0.7  MCU-Code=0000000A");
    const std::uint8_t zero[6] = {};
    EXPECT_EQ(McuInfoText(zero), "MCU-Mode=00  MCU-Version=0.0  MCU-Code=00000000");
    // A half-byte above 9 ends the version number there.
    const std::uint8_t cut[6] = {0, 0x4A, 0, 0, 0, 0};
    EXPECT_EQ(McuInfoText(cut), "MCU-Mode=00  MCU-Version=0.4  MCU-Code=00000000");
    const std::uint8_t none[6] = {0, 0xA4, 0, 0, 0, 0};
    EXPECT_EQ(McuInfoText(none), "MCU-Mode=00  MCU-Version=0.0  MCU-Code=00000000");
    const std::uint8_t top[6] = {0, 0x99, 0, 0, 0, 0};
    EXPECT_EQ(McuInfoText(top), "MCU-Mode=00  MCU-Version=9.9  MCU-Code=00000000");
}

}  // namespace
}  // namespace kesma::controlpanel
