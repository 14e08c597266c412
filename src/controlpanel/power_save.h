// The power save dialog: idle time before the controller powers down.
#pragma once

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmSleepTime : public ui::Form {
public:
    frmSleepTime(ui::App& app, ControlPanel& cp);

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
