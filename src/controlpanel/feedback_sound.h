// The feedback sound dialog: sound mode, tone and duration of the touch beep.
#pragma once

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmFeedbackSound : public ui::Form {
public:
    frmFeedbackSound(ui::App& app, ControlPanel& cp);

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
