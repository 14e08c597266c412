#include "startup/auto_scan.h"

#include <string>

#include "shared/forms.h"

namespace kesma::startup {

namespace {
constexpr int kPortCount = 9;

ui::Control& AddButton(ui::Form& form, const std::string& name, int left, const std::string& caption) {
    ui::Control& button = form.Add(ui::Kind::Button, name, left, 2820, 1275, 495);
    button.SetCaption(caption);
    return button;
}
}  // namespace

frmAutoScan::frmAutoScan(ui::App& app, Startup& program)
    : ui::Form(app, "frmAutoScan", 6495, 3675), program_(program) {
    AddVendorHeader(*this, kStartupHeader);
    Add(ui::Kind::Shape, "Shape1", 420, 1320, 5595, 1335);
    ui::Control& frame = Add(ui::Kind::Frame, "Frame1", 600, 1500, 5235, 975);
    frame.SetCaption("  Auto Scan Mode Configuration");
    Add(ui::Kind::Label, "Label1", 240, 240, 375, 195, &frame).SetCaption("Port::");
    ui::Control& port = Add(ui::Kind::ComboBox, "cboCOM", 840, 1980, 1035, 315);
    Add(ui::Kind::Label, "Label2", 1320, 240, 555, 195, &frame).SetCaption("Device:");
    ui::Control& device = Add(ui::Kind::ComboBox, "cboDevice", 1320, 480, 2595, 315, &frame);
    Add(ui::Kind::Label, "lblDetectMode", 4080, 540, 930, 195, &frame).SetCaption("Detect Mode");

    ui::Control& cancel = AddButton(*this, "cmdCandel", 900, "&Cancel");
    cancel.SetCancel(true);
    ui::Control& ok = AddButton(*this, "cmdOK", 2580, "&OK");
    ok.SetDefault(true);
    ui::Control& apply = AddButton(*this, "cmdApply", 4260, "&Apply");
    apply.SetEnabled(false);

    OnLoad = [this] { Form_Load(); };
    port.OnClick = [this] { UpdateAutoScanControls(); };
    device.OnClick = [this] { UpdateAutoScanControls(); };
    apply.OnClick = [this] { cmdApply_Click(); };
    ok.OnClick = [this] { cmdOK_Click(); };
    cancel.OnClick = [this] { cmdCandel_Click(); };
}

void frmAutoScan::Form_Load() {
    ShowTitleAndVersion(*this, kAppTitle);
    if (!program_.LoadVendorValues(*this)) return;
    program_.LoadAutoScanValues();

    ui::Control& port = Ctl("cboCOM");
    port.ClearList();
    port.AddItem("AUTO");
    for (int n = 1; n <= kPortCount; ++n) port.AddItem("COM" + std::to_string(n));
    // A stored port outside the list opens at AUTO.
    const bool portKnown = program_.AutoScanCOM >= 0 && program_.AutoScanCOM <= kPortCount;
    port.SetListIndex(portKnown ? program_.AutoScanCOM : 0);

    ui::Control& device = Ctl("cboDevice");
    device.ClearList();
    for (const DeviceRow& row : kDeviceTable) device.AddItem(std::to_string(row.code) + " - " + row.name);
    device.SetListIndex(0);
    for (std::size_t i = 0; i < kDeviceTable.size(); ++i) {
        if (kDeviceTable[i].code == program_.AutoScanDevice) {
            device.SetListIndex(static_cast<int>(i));
            break;
        }
    }

    program_.Branding.ApplyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
    app().SetPointer(ui::Pointer::Default);
}

void frmAutoScan::UpdateAutoScanControls() {
    ui::Control& apply = Ctl("cmdApply");
    apply.SetEnabled(false);
    const int port = Ctl("cboCOM").ListIndex();
    const int row = Ctl("cboDevice").ListIndex();
    if (port < 0 || row < 0) return;
    const DeviceRow& device = kDeviceTable[static_cast<std::size_t>(row)];
    apply.SetEnabled(device.code != program_.AutoScanDevice || port != program_.AutoScanCOM);
    const bool detect = port == 0 || device.detect;
    Ctl("lblDetectMode").SetCaption(detect ? "Detect Mode" : "Assign Mode");
}

void frmAutoScan::cmdApply_Click() { Apply(); }

bool frmAutoScan::Apply() {
    const int port = Ctl("cboCOM").ListIndex();
    const int row = Ctl("cboDevice").ListIndex();
    bool stored = true;
    // Typed text leaves a list without a choice: there is nothing to store.
    if (port >= 0 && row >= 0) {
        program_.AutoScanCOM = port;
        program_.AutoScanDevice = kDeviceTable[static_cast<std::size_t>(row)].code;
        stored = program_.SaveAutoScanValues();
    }
    Ctl("cmdApply").SetEnabled(false);
    if (!stored) program_.ReportSettingsNotSaved();
    return stored;
}

void frmAutoScan::cmdOK_Click() {
    // After a refused store the dialog stays, so the user sees the choice was not kept.
    if (Ctl("cmdApply").Enabled() && !Apply()) return;
    Unload();  // the program's only window: the program ends
}

void frmAutoScan::cmdCandel_Click() {
    Unload();  // the program's only window: the program ends
}

}  // namespace kesma::startup
