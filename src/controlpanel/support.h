// The support dialog: the vendor's support bitmap in a window sized to it.
#pragma once

#include "controlpanel/control_panel.h"

namespace kesma::controlpanel {

class frmSupport : public ui::Form {
public:
    frmSupport(ui::App& app, ControlPanel& cp);

    ui::PictureBox& picSupport;
    ui::Button& cmdOK;

    void Form_Load();

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
