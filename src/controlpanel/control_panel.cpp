#include "controlpanel/control_panel.h"

#include "controlpanel/main_window.h"

namespace kesma::controlpanel {

ControlPanel::ControlPanel(ui::App& application, Platform& ports)
    : ProgramServices(ports), app(application), platform(ports) {
    PortRecords.fill(EmptyPortResources());
}

void ControlPanel::ReturnToMainWindow() {
    if (Main == nullptr) return;
    app.SetPointer(ui::Pointer::Hourglass);
    Main->Show();
    Main->SetFocus();
    app.SetPointer(ui::Pointer::Default);
}

}  // namespace kesma::controlpanel
