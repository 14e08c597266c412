#include "controlpanel/serial_port.h"

namespace kesma::controlpanel {

namespace {

constexpr ui::Color kGreyText = 0x808080;
constexpr int kRowTop = 300, kRowPitch = 300, kRowHeight = 195;

// The dialog has a line for COM1..COM9 only; the driver may hand back any number.
bool HasLine(int comNumber) { return comNumber >= 1 && comNumber <= 9; }

}  // namespace

frmSerialPort::frmSerialPort(ui::App& app, ControlPanel& cp) : ui::Form(app, "frmSerialPort", 6975, 5400), cp_(cp) {
    SetCaption("Serial Port");
    AddVendorHeader(*this, kControlPanelHeader);
    Add(ui::Kind::Shape, "Shape1", 480, 1230, 5580, 15);
    ui::Control& frame = Add(ui::Kind::Frame, "Frame1", 480, 1320, 5580, 3150);
    frame.SetCaption("  Serial Port Information  ");
    for (int n = 1; n <= 9; ++n) {
        const int top = kRowTop + (n - 1) * kRowPitch;
        Add(ui::Kind::OptionButton, "optDetected", 240, top - 30, 255, 255, &frame, n).SetEnabled(false);
        Add(ui::Kind::Label, "lblCOM", 600, top, 3375, kRowHeight, &frame, n).SetForeColor(kGreyText);
        Add(ui::Kind::Label, "lblDEVICE", 4080, top, 1335, kRowHeight, &frame, n).SetForeColor(kGreyText);
    }
    ui::Control& ok = Add(ui::Kind::Button, "cmdOK", 2880, 4680, 1215, 435);
    ok.SetCaption("&OK");
    ok.SetDefault(true);

    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
    ok.OnClick = [this] { cmdOK_Click(); };
}

void frmSerialPort::Form_Load() { cp_.Branding.DressDialog(*this); }

void frmSerialPort::Form_Activate() {
    const DeviceSettings& s = cp_.Link.Settings;
    for (int n = 1; n <= 9; ++n) {
        const PortTableEntry& entry = s.PortTable[n - 1];
        Ctl("lblCOM", n).SetCaption(PortEntryText(n, entry.PortBase, entry.PortIrq));
        Ctl("lblDEVICE", n).SetCaption("");
    }
    // The device manager's view replaces the driver's for every port it lists.
    for (const PortResources& record : cp_.PortRecords) {
        if (HasLine(record.ComNumber)) {
            Ctl("lblCOM", record.ComNumber).SetCaption(PortEntryText(record.ComNumber, record.IoBase, record.IrqNumber));
        }
    }
    if (HasLine(s.ComPort)) {
        const int com = s.ComPort;
        ui::Control& option = Ctl("optDetected", com);
        option.SetEnabled(true);
        option.SetValue(1);
        Ctl("lblCOM", com).SetForeColor(ui::kBlack);
        ui::Control& device = Ctl("lblDEVICE", com);
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
