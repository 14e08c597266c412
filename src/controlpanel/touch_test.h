// The drawing test: a full-screen canvas drawn with the touch screen.
#pragma once

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmTest : public ui::Form {
public:
    frmTest(ui::App& app, ControlPanel& cp);

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
