#include "shared/about.h"

#include "shared/forms.h"

namespace kesma {

LineDialog::LineDialog(ui::App& app, const std::string& name, const std::string& lineName, int lineWidth)
    : VendorForm(app, name, 6975, 2880, kControlPanelHeader),
      line_(Add<ui::Label>(lineName, 480, 1500, lineWidth, 240)),
      cmdOK(AddCloseButton(*this, 2880, 2100, 1215, 435)) {}

frmAbout::frmAbout(ui::App& app, VendorBranding& branding, std::function<void()> onUnload)
    : LineDialog(app, "frmAbout", "lblCopyright", 5580), lblCopyright(line_), branding_(branding) {
    SetCaption(" About");
    OnLoad = [this] { Form_Load(); };
    OnUnload = std::move(onUnload);
}

void frmAbout::Form_Load() {
    // The About box keeps its own caption.
    if (branding_.MainWindow != nullptr) lblSystem.SetCaption(branding_.MainWindow->lblSystem.Caption());
    lblCopyright.SetCaption(kCopyright);
    branding_.CopyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
}

}  // namespace kesma
