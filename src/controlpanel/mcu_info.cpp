#include "controlpanel/mcu_info.h"

namespace kesma::controlpanel {

frmMcuInfo::frmMcuInfo(ui::App& app, ControlPanel& cp) : ui::Form(app, "frmMcuInfo", 6975, 2880), cp_(cp) {
    SetCaption(" MCU Information");
    AddVendorHeader(*this, kControlPanelHeader);
    ui::Control& info = Add(ui::Kind::Label, "lblMcuInfo", 480, 1500, 5745, 240);
    info.SetCaption("MCU-Mode=D4  MCU-Version=4.2  Checksum=00000000");
    info.SetForeColor(ui::Rgb(0, 0, 128));
    ui::Control& ok = Add(ui::Kind::Button, "cmdOK", 2880, 2100, 1215, 435);
    ok.SetCaption("&OK");
    ok.SetDefault(true);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
    ok.OnClick = [this] { cmdOK_Click(); };
}

void frmMcuInfo::Form_Load() {
    // The values of the start-up read; the dialog does not ask the driver again.
    Ctl("lblMcuInfo").SetCaption(McuInfoText(cp_.Link.Settings.McuInfo));
    cp_.Branding.DressDialog(*this);
}

void frmMcuInfo::cmdOK_Click() { Unload(); }

}  // namespace kesma::controlpanel
