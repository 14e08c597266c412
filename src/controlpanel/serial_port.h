// The serial port dialog: COM1..COM9 with their base address and interrupt, the
// device manager's view over the driver's, and the controller's port marked. It
// changes nothing.
#pragma once

#include "controlpanel/control_panel.h"
#include "shared/vendor.h"

namespace kesma::controlpanel {

class frmSerialPort : public VendorForm {
public:
    frmSerialPort(ui::App& app, ControlPanel& cp);

    // One line a port, COM1..COM9: the mark of the controller's port, the port's
    // resources and the device on it.
    struct PortLines {
        ui::ControlArray<ui::OptionButton> optDetected;
        ui::ControlArray<ui::Label> lblCOM;
        ui::ControlArray<ui::Label> lblDEVICE;
    };

    ui::Shape& Shape1;
    ui::Frame& Frame1;
    PortLines lines;
    ui::Button& cmdOK;

    void Form_Load();
    void Form_Activate();
    void cmdOK_Click();

private:
    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
