#include "startup/auto_scan.h"

#include <string>

#include "shared/forms.h"

namespace kesma::startup {

namespace {
constexpr int kPortCount = 9;
}  // namespace

frmAutoScan::frmAutoScan(ui::App& app, Startup& program)
    : VendorForm(app, "frmAutoScan", 6495, 3675, kStartupHeader),
      Shape1(Add<ui::Shape>("Shape1", 420, 1320, 5595, 1335)),
      Frame1(Add<ui::Frame>("Frame1", 600, 1500, 5235, 975)),
      Label1(Add<ui::Label>("Label1", 240, 240, 375, 195, &Frame1)),
      cboCOM(Add<ui::ComboBox>("cboCOM", 840, 1980, 1035, 315)),
      Label2(Add<ui::Label>("Label2", 1320, 240, 555, 195, &Frame1)),
      cboDevice(Add<ui::ComboBox>("cboDevice", 1320, 480, 2595, 315, &Frame1)),
      lblDetectMode(Add<ui::Label>("lblDetectMode", 4080, 540, 930, 195, &Frame1)),
      buttons(AddApplyButtons(*this, 2820, program, [this] { return Store(); })),
      program_(program) {
    Frame1.SetCaption("  Auto Scan Mode Configuration");
    Label1.SetCaption("Port::");
    Label2.SetCaption("Device:");
    lblDetectMode.SetCaption("Detect Mode");

    OnLoad = [this] { Form_Load(); };
    cboCOM.OnClick = [this] { UpdateAutoScanControls(); };
    cboDevice.OnClick = [this] { UpdateAutoScanControls(); };
}

void frmAutoScan::Form_Load() {
    ShowTitleAndVersion(*this, kAppTitle);
    if (!program_.LoadVendorValues(*this)) return;
    program_.LoadAutoScanValues();

    cboCOM.ClearList();
    cboCOM.AddItem("AUTO");
    for (int n = 1; n <= kPortCount; ++n) cboCOM.AddItem("COM" + std::to_string(n));
    // A stored cboCOM outside the list opens at AUTO.
    const bool portKnown = program_.AutoScanCOM >= 0 && program_.AutoScanCOM <= kPortCount;
    cboCOM.SetListIndex(portKnown ? program_.AutoScanCOM : 0);

    cboDevice.ClearList();
    for (const DeviceRow& row : kDeviceTable) cboDevice.AddItem(std::to_string(row.code) + " - " + row.name);
    cboDevice.SetListIndex(0);
    for (std::size_t i = 0; i < kDeviceTable.size(); ++i) {
        if (kDeviceTable[i].code == program_.AutoScanDevice) {
            cboDevice.SetListIndex(static_cast<int>(i));
            break;
        }
    }

    program_.Branding.ApplyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
    app().SetPointer(ui::Pointer::Default);
}

void frmAutoScan::UpdateAutoScanControls() {
        buttons.cmdApply.SetEnabled(false);
    const int port = cboCOM.ListIndex();
    const int row = cboDevice.ListIndex();
    if (port < 0 || row < 0) return;
    const DeviceRow& device = kDeviceTable[static_cast<std::size_t>(row)];
    buttons.cmdApply.SetEnabled(device.code != program_.AutoScanDevice || port != program_.AutoScanCOM);
    const bool detect = port == 0 || device.detect;
    lblDetectMode.SetCaption(detect ? "Detect Mode" : "Assign Mode");
}

bool frmAutoScan::Store() {
    const int port = cboCOM.ListIndex();
    const int row = cboDevice.ListIndex();
    bool stored = true;
    // Typed text leaves a list without a choice: there is nothing to store.
    if (port >= 0 && row >= 0) {
        program_.AutoScanCOM = port;
        program_.AutoScanDevice = kDeviceTable[static_cast<std::size_t>(row)].code;
        stored = program_.SaveAutoScanValues();
    }
    return stored;
}

}  // namespace kesma::startup
