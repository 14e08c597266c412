// The support dialog (the vendor's support bitmap in a window sized to it) and the
// About box (program name, version and copyright under the vendor header).
#pragma once

#include <functional>

#include "controlpanel/control_panel.h"

namespace kesma::controlpanel {

class frmSupport : public ui::Form {
public:
    frmSupport(ui::App& app, ControlPanel& cp);

    void Form_Load();
    void cmdOK_Click();

private:
    ControlPanel& cp_;
};

inline constexpr const char* kCopyright = "Copyright (C) 2026 Lumivane. All rights reserved.";

// Shared with the start-up and removal programs: it needs only the vendor header of
// the program's main window and what to do when it closes.
class frmAbout : public ui::Form {
public:
    frmAbout(ui::App& app, VendorBranding& branding, std::function<void()> onUnload);

    void Form_Load();
    void cmdOK_Click();

private:
    VendorBranding& branding_;
};

}  // namespace kesma::controlpanel
