#include "controlpanel/mcu_info.h"

namespace kesma::controlpanel {

frmMcuInfo::frmMcuInfo(ui::App& app, ControlPanel& cp)
    : VendorForm(app, "frmMcuInfo", 6975, 2880, kControlPanelHeader),
      lblMcuInfo(Add<ui::Label>("lblMcuInfo", 480, 1500, 5745, 240)),
      cmdOK(Add<ui::Button>("cmdOK", 2880, 2100, 1215, 435)),
      cp_(cp) {
    SetCaption(" MCU Information");
    lblMcuInfo.SetCaption("MCU-Mode=D4  MCU-Version=4.2  Checksum=00000000");
    lblMcuInfo.SetForeColor(ui::Rgb(0, 0, 128));
    cmdOK.SetCaption("&OK");
    cmdOK.SetDefault(true);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
    cmdOK.OnClick = [this] { cmdOK_Click(); };
}

void frmMcuInfo::Form_Load() {
    // The values of the start-up read; the dialog does not ask the driver again.
    lblMcuInfo.SetCaption(McuInfoText(cp_.Link.Settings.McuInfo));
    cp_.Branding.DressDialog(*this);
}

void frmMcuInfo::cmdOK_Click() { Unload(); }

}  // namespace kesma::controlpanel
