#include "controlpanel/serial_port.h"

namespace kesma::controlpanel {

namespace {

constexpr ui::Color kGreyText = 0x808080;
constexpr int kRowTop = 300, kRowPitch = 300, kRowHeight = 195;

// The dialog has a line for COM1..COM9 only; the driver may hand back any number.
bool HasLine(int comNumber) { return comNumber >= 1 && comNumber <= 9; }

}  // namespace

frmSerialPort::frmSerialPort(ui::App& app, ControlPanel& cp)
    : VendorForm(app, "frmSerialPort", 6975, 5400, kControlPanelHeader),
      Shape1(Add<ui::Shape>("Shape1", 480, 1230, 5580, 15)),
      Frame1(Add<ui::Frame>("Frame1", 480, 1320, 5580, 3150)),
      lines([this] {
          PortLines made;
          for (int n = 1; n <= 9; ++n) {
              const int top = kRowTop + (n - 1) * kRowPitch;
              made.optDetected.Add(Add<ui::OptionButton>("optDetected", 240, top - 30, 255, 255, &Frame1, n));
              made.lblCOM.Add(Add<ui::Label>("lblCOM", 600, top, 3375, kRowHeight, &Frame1, n));
              made.lblDEVICE.Add(Add<ui::Label>("lblDEVICE", 4080, top, 1335, kRowHeight, &Frame1, n));
          }
          return made;
      }()),
      cmdOK(Add<ui::Button>("cmdOK", 2880, 4680, 1215, 435)),
      cp_(cp) {
    SetCaption("Serial Port");
    Frame1.SetCaption("  Serial Port Information  ");
    for (ui::OptionButton* option : lines.optDetected) option->SetEnabled(false);
    for (ui::Label* label : lines.lblCOM) label->SetForeColor(kGreyText);
    for (ui::Label* label : lines.lblDEVICE) label->SetForeColor(kGreyText);
    cmdOK.SetCaption("&OK");
    cmdOK.SetDefault(true);
    cmdOK.SetCancel(true);  // Esc closes as OK does: the dialog only shows the ports

    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
    cmdOK.OnClick = [this] { cmdOK_Click(); };
}

void frmSerialPort::Form_Load() { cp_.Branding.DressDialog(*this); }

void frmSerialPort::Form_Activate() {
    const DeviceSettings& s = cp_.Link.Settings;
    for (int n = 1; n <= 9; ++n) {
        const PortTableEntry& entry = s.PortTable[n - 1];
        lines.lblCOM[n].SetCaption(PortEntryText(n, entry.PortBase, entry.PortIrq));
        lines.lblDEVICE[n].SetCaption("");
    }
    // The device manager's view replaces the driver's for every port it lists.
    for (const PortResources& record : cp_.PortRecords) {
        if (HasLine(record.ComNumber)) {
            lines.lblCOM[record.ComNumber].SetCaption(PortEntryText(record.ComNumber, record.IoBase, record.IrqNumber));
        }
    }
    if (HasLine(s.ComPort)) {
        const int com = s.ComPort;
        ui::OptionButton& option = lines.optDetected[com];
        option.SetEnabled(true);
        option.SetValue(1);
        lines.lblCOM[com].SetForeColor(ui::kBlack);
        ui::Label& device = lines.lblDEVICE[com];
        device.SetCaption("*" + DeviceTypeName(s.DeviceType));
        device.SetForeColor(ui::kBlack);
    }
}

void frmSerialPort::cmdOK_Click() {
    app().SetPointer(ui::Pointer::Hourglass);
    Unload();
    app().SetPointer(ui::Pointer::Default);
}

}  // namespace kesma::controlpanel
