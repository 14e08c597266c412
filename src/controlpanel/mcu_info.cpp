#include "controlpanel/mcu_info.h"

namespace kesma::controlpanel {

frmMcuInfo::frmMcuInfo(ui::App& app, ControlPanel& cp)
    : LineDialog(app, "frmMcuInfo", "lblMcuInfo", 5745), lblMcuInfo(line_), cp_(cp) {
    SetCaption(" MCU Information");
    lblMcuInfo.SetCaption("MCU-Mode=D4  MCU-Version=4.2  Checksum=00000000");
    lblMcuInfo.SetForeColor(ui::Rgb(0, 0, 128));

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
}

void frmMcuInfo::Form_Load() {
    // The values of the start-up read; the dialog does not ask the driver again.
    lblMcuInfo.SetCaption(McuInfoText(cp_.Link.Settings.McuInfo));
    cp_.Branding.DressDialog(*this);
}

}  // namespace kesma::controlpanel
