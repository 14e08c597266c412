#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bitmap_bytes.h"
#include "harness.h"
#include "shared/about.h"

namespace kesma::test {
namespace {

constexpr ui::Color kGrey = 0x808080;
constexpr int kAllModifiers = ui::kShiftMask | ui::kCtrlMask | ui::kAltMask;

class InfoDialogsTest : public ControlPanelTest {
protected:
    // Keeps the start-up requests in the journal.
    ui::Form& OpenSerialPort() {
        Main().Ctl<ui::Button>("cmdSerialPort").UserClick();
        return *h.Form("frmSerialPort");
    }
};

TEST_F(InfoDialogsTest, SerialPortLinesPreferTheDeviceManager) {
    DeviceSettings& s = h.device.settings();
    s.PortTable[3] = PortTableEntry{0, 254, 0};
    s.PortTable[5] = PortTableEntry{0, 22, 0};
    s.DeviceType = 1;
    FakeDevice com5;  // not found by the driver, listed by the device manager
    com5.portName = "COM5";
    com5.configs[kAllocLogConf] = {FakeDescriptor::Io(0x2E8, 0x2EF), FakeDescriptor::Irq(11)};
    h.devices.Add(com5);
    FakeDevice com7;  // listed, resources unreadable
    com7.portName = "COM7";
    com7.statusFails = true;
    h.devices.Add(com7);

    ui::Form& dialog = OpenSerialPort();
    EXPECT_EQ(dialog.Caption(), controlpanel::kAppTitle);
    EXPECT_EQ(dialog.Ctl<ui::Frame>("Frame1").Caption(), "  Serial Port Information  ");
    const char* const lines[] = {"COM1, BasePort=03F8h, IRQ=4",     "COM2, BasePort=02F8h, IRQ=3",
                                 "COM3..Not Found.",                "COM4..Used by Other Device.",
                                 "COM5, BasePort=02E8h, IRQ=11",    "COM6..Unabled (code=22)",
                                 "COM7, BasePort=FFFFh, IRQ=-1",    "COM8..Not Found.",
                                 "COM9..Not Found."};
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblCOM", n).Caption(), lines[n - 1]);
        const bool marked = n == 1;
        EXPECT_EQ(dialog.Ctl<ui::OptionButton>("optDetected", n).Value(), marked ? 1 : 0);
        EXPECT_EQ(dialog.Ctl<ui::OptionButton>("optDetected", n).Enabled(), marked);
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblCOM", n).ForeColor(), marked ? ui::kBlack : kGrey);
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblDEVICE", n).Caption(), marked ? "*ELCOM" : "");
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblDEVICE", n).ForeColor(), marked ? ui::kBlack : kGrey);
    }
}

TEST_F(InfoDialogsTest, SerialPortAboveNineMarksNoLine) {
    h.device.settings().ComPort = 12;
    ui::Form& dialog = OpenSerialPort();
    for (int n = 1; n <= 9; ++n) {
        EXPECT_EQ(dialog.Ctl<ui::OptionButton>("optDetected", n).Value(), 0);
        EXPECT_FALSE(dialog.Ctl<ui::OptionButton>("optDetected", n).Enabled());
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblDEVICE", n).Caption(), "");
        EXPECT_EQ(dialog.Ctl<ui::Label>("lblCOM", n).ForeColor(), kGrey);
    }
}

// The driver hands the port records back; numbers it returns outside COM1..COM9 name no line.
TEST_F(InfoDialogsTest, SerialPortSkipsRecordsTheDriverNumberedOutsideOneToNine) {
    Main();
    h.cp.PortRecords[0].ComNumber = 10;
    h.cp.PortRecords[1].ComNumber = -5;
    ui::Form& dialog = OpenSerialPort();
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblCOM", 9).Caption(), "COM9..Not Found.");
    EXPECT_EQ(dialog.Ctl<ui::OptionButton>("optDetected", 1).Value(), 1);  // filled to the end
}

TEST_F(InfoDialogsTest, SerialPortOkReturnsWithoutRequests) {
    ui::Form& dialog = OpenSerialPort();
    dialog.Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(h.Form("frmSerialPort"), nullptr);
    EXPECT_TRUE(h.cp.Main->Visible());
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
    EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
}

TEST_F(InfoDialogsTest, McuInfoShowsTheStartUpBytes) {
    const std::uint8_t bytes[6] = {0xD4, 0x07, 0xAB, 0xCD, 0x00, 0x01};
    std::memcpy(h.device.settings().McuInfo, bytes, sizeof bytes);
    controlpanel::frmMain& main = Main();
    // Later changes in the driver are not seen: the dialog does not ask again.
    h.device.settings().McuInfo[1] = 0x42;
    main.Ctl<ui::Button>("cmdSerialPort").UserMouseDown(ui::kRightButton, kAllModifiers, 0, 0);
    ui::Form* dialog = h.Form("frmMcuInfo");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Ctl<ui::Label>("lblMcuInfo").Caption(), "MCU-Mode=D4  MCU-Version=0.7  MCU-Code=ABCD0001");
    EXPECT_EQ(dialog->Caption(), controlpanel::kAppTitle);
    EXPECT_EQ(dialog->Ctl<ui::Label>("lblSystem").Caption(), main.Ctl<ui::Label>("lblSystem").Caption());
    EXPECT_EQ(h.device.Codes(), std::vector<std::uint32_t>{KESMA_GET_SETTINGS});
}

TEST_F(InfoDialogsTest, SupportDialogFitsThePicture) {
    // 200 x 200 pixels at 15 x 10 twips per pixel: 3000 x 2000 twips.
    ui::ScreenInfo screen;
    screen.twipsPerPixelY = 10;
    h.backend.SetScreen(screen);
    const std::string folder = ::testing::TempDir() + "h6-support";
    const std::string bitmap = folder + "\\TSVender.Bmp";  // one file name on the host
    WriteBytes(bitmap, BitmapBytes(200, 200));
    h.registry.SetVendorValues(folder);
    h.files.Add(bitmap);

    Main().Ctl<ui::Button>("cmdSupport").UserClick();
    ui::Form* dialog = h.Form("frmSupport");
    ASSERT_NE(dialog, nullptr);
    const ui::PictureBox& picture = dialog->Ctl<ui::PictureBox>("picSupport");
    const ui::Button& ok = dialog->Ctl<ui::Button>("cmdOK");
    EXPECT_EQ(picture.Width(), 3000);
    EXPECT_EQ(picture.Height(), 2000);
    EXPECT_EQ(dialog->ScaleWidth(), 3000);
    EXPECT_EQ(dialog->ScaleHeight(), 2000 + 300 + ok.Height());
    EXPECT_EQ(ok.Top(), 2180);
    EXPECT_LE(std::abs(2 * ok.Left() + ok.Width() - dialog->ScaleWidth()), 1);
    EXPECT_EQ(dialog->Caption(), controlpanel::kAppTitle);
    EXPECT_EQ(dialog->Left(), screen.widthTwips / 2 - dialog->Width() / 2);

    dialog->Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_TRUE(h.cp.Main->Visible());
    std::remove(bitmap.c_str());
}

TEST_F(InfoDialogsTest, AboutBoxKeepsItsCaption) {
    h.registry.SetString(kSettingsPath, "VenderName", "Acme Touch");
    Main().Ctl<ui::Image>("imgIcon").UserDblClick();
    ui::Form* about = h.Form("frmAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->Caption(), " About");
    EXPECT_EQ(about->Ctl<ui::Label>("lblSystem").Caption(), "TouchScreen Control Panel Version 7.3.COM");
    EXPECT_EQ(about->Ctl<ui::Label>("lblOemTitle").Caption(), "Acme Touch");
    EXPECT_EQ(about->Ctl<ui::Label>("lblCopyright").Caption(), kCopyright);
    about->Ctl<ui::Button>("cmdOK").UserClick();
    EXPECT_EQ(h.Form("frmAbout"), nullptr);
    EXPECT_TRUE(h.cp.Main->Visible());
}

}  // namespace
}  // namespace kesma::test
