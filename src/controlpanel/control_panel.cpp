#include "controlpanel/control_panel.h"

namespace kesma::controlpanel {

ControlPanel::ControlPanel(ui::App& application, Platform& ports)
    : app(application),
      platform(ports),
      Link(ports.device),
      Reg(ports.registry),
      Store(Reg),
      Branding(Store, ports.files),
      Programs(Link, Store, ports.windows, ports.processes) {
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
