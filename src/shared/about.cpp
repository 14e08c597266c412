#include "shared/about.h"

#include "shared/forms.h"

namespace kesma {

frmAbout::frmAbout(ui::App& app, VendorBranding& branding, std::function<void()> onUnload)
    : VendorForm(app, "frmAbout", 6975, 2880, kControlPanelHeader),
      lblCopyright(Add<ui::Label>("lblCopyright", 480, 1500, 5580, 240)),
      cmdOK(Add<ui::Button>("cmdOK", 2880, 2100, 1215, 435)),
      branding_(branding) {
    SetCaption(" About");
    cmdOK.SetCaption("&OK");
    cmdOK.SetDefault(true);

    OnLoad = [this] { Form_Load(); };
    OnUnload = std::move(onUnload);
    cmdOK.OnClick = [this] { cmdOK_Click(); };
}

void frmAbout::Form_Load() {
    // The About box keeps its own caption.
    if (branding_.MainWindow != nullptr) lblSystem.SetCaption(branding_.MainWindow->lblSystem.Caption());
    lblCopyright.SetCaption(kCopyright);
    branding_.CopyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
}

void frmAbout::cmdOK_Click() { Unload(); }

}  // namespace kesma
