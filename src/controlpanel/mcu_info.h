// The controller information dialog: the firmware identification bytes read at
// start-up, in one line.
#pragma once

#include "controlpanel/control_panel.h"
#include "shared/about.h"

namespace kesma::controlpanel {

class frmMcuInfo : public LineDialog {
public:
    frmMcuInfo(ui::App& app, ControlPanel& cp);

    ui::Label& lblMcuInfo;

    void Form_Load();

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
