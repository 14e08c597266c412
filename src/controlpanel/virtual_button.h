// The virtual button dialog: right-button function and its automatic mode.
#pragma once

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmVirtualButton : public ui::Form {
public:
    frmVirtualButton(ui::App& app, ControlPanel& cp);

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
