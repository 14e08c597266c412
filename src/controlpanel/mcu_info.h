// The controller information dialog: the firmware identification bytes read at
// start-up, in one line.
#pragma once

#include "controlpanel/control_panel.h"
#include "shared/vendor.h"

namespace kesma::controlpanel {

class frmMcuInfo : public VendorForm {
public:
    frmMcuInfo(ui::App& app, ControlPanel& cp);

    ui::Label& lblMcuInfo;
    ui::Button& cmdOK;

    void Form_Load();
    void cmdOK_Click();

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
