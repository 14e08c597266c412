#include "shared/about.h"

#include "shared/forms.h"

namespace kesma {

frmAbout::frmAbout(ui::App& app, VendorBranding& branding, std::function<void()> onUnload)
    : ui::Form(app, "frmAbout", 6975, 2880), branding_(branding) {
    SetCaption(" About");
    AddVendorHeader(*this, kControlPanelHeader);
    Add(ui::Kind::Label, "lblCopyright", 480, 1500, 5580, 240);
    ui::Control& ok = Add(ui::Kind::Button, "cmdOK", 2880, 2100, 1215, 435);
    ok.SetCaption("&OK");
    ok.SetDefault(true);

    OnLoad = [this] { Form_Load(); };
    OnUnload = std::move(onUnload);
    ok.OnClick = [this] { cmdOK_Click(); };
}

void frmAbout::Form_Load() {
    // The About box keeps its own caption.
    if (branding_.MainWindow != nullptr) {
        Ctl("lblSystem").SetCaption(branding_.MainWindow->Ctl("lblSystem").Caption());
    }
    Ctl("lblCopyright").SetCaption(kCopyright);
    branding_.CopyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
}

void frmAbout::cmdOK_Click() { Unload(); }

}  // namespace kesma
