// The About box of the control panel, the start-up and the removal programs: program
// name, version and copyright under the vendor header.
#pragma once

#include <functional>

#include "shared/vendor.h"
#include "ui/ui.h"

namespace kesma {

inline constexpr const char* kCopyright = "Copyright (C) 2026 Lumivane. All rights reserved.";

// It needs only the vendor header of the program's main window and what to do when it
// closes.
class frmAbout : public VendorForm {
public:
    frmAbout(ui::App& app, VendorBranding& branding, std::function<void()> onUnload);

    void Form_Load();
    void cmdOK_Click();

    ui::Label& lblCopyright;
    ui::Button& cmdOK;

private:
    VendorBranding& branding_;
};

}  // namespace kesma
