// The About box of the control panel, the start-up and the removal programs: program
// name, version and copyright under the vendor header.
#pragma once

#include <functional>
#include <string>

#include "shared/vendor.h"
#include "ui/ui.h"

namespace kesma {

inline constexpr const char* kCopyright = "Copyright (C) 2026 Lumivane. All rights reserved.";

// A dialog under the control panel's header that shows one line above cmdOK, which closes
// it: the About box and the controller information.
class LineDialog : public VendorForm {
protected:
    LineDialog(ui::App& app, const std::string& name, const std::string& lineName, int lineWidth);

    ui::Label& line_;  // created before cmdOK, which keeps the tab order

public:
    ui::Button& cmdOK;
};

// It needs only the vendor header of the program's main window and what to do when it
// closes.
class frmAbout : public LineDialog {
public:
    frmAbout(ui::App& app, VendorBranding& branding, std::function<void()> onUnload);

    void Form_Load();

    ui::Label& lblCopyright;

private:
    VendorBranding& branding_;
};

}  // namespace kesma
