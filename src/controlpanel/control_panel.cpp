#include "controlpanel/control_panel.h"

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

void AddVendorHeader(ui::Form& form) {
    ui::Control& logo = form.Add(ui::Kind::PictureBox, "picLogo", 480, 360, 4740, 780);
    ui::Control& title = form.Add(ui::Kind::Label, "lblOemTitle", 120, 60, 4500, 420, &logo);
    title.SetCaption("Lumivane");
    title.SetForeColor(ui::Rgb(255, 0, 0));
    title.SetFont({"Times New Roman", 15.75, true, false});
    title.SetBackTransparent(true);
    ui::Control& system = form.Add(ui::Kind::Label, "lblSystem", 120, 510, 4500, 195, &logo);
    system.SetCaption("TouchScreen Control Panel Version ");
    system.SetForeColor(ui::Rgb(0, 0, 255));
    system.SetBackTransparent(true);

    ui::Control& iconBox = form.Add(ui::Kind::PictureBox, "picIcon", 5280, 360, 780, 780);
    form.Add(ui::Kind::Image, "imgIcon", 0, 0, 480, 480, &iconBox).SetIconPicture();
}

}  // namespace kesma::controlpanel
