// The mouse speed dialog: horizontal and vertical pointer speed.
#pragma once

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmMouseSpeed : public ui::Form {
public:
    frmMouseSpeed(ui::App& app, ControlPanel& cp);

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
