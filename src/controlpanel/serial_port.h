// The serial port dialog: COM1..COM9 with their base address and interrupt, the
// device manager's view over the driver's, and the controller's port marked. It
// changes nothing.
#pragma once

#include "controlpanel/control_panel.h"

namespace kesma::controlpanel {

class frmSerialPort : public ui::Form {
public:
    frmSerialPort(ui::App& app, ControlPanel& cp);

    void Form_Load();
    void Form_Activate();
    void cmdOK_Click();

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
