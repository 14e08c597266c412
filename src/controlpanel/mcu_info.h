// The controller information dialog: the firmware identification bytes read at
// start-up, in one line.
#pragma once

#include "controlpanel/control_panel.h"

namespace kesma::controlpanel {

class frmMcuInfo : public ui::Form {
public:
    frmMcuInfo(ui::App& app, ControlPanel& cp);

    void Form_Load();
    void cmdOK_Click();

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
