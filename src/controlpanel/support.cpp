#include "controlpanel/support.h"

#include "shared/forms.h"

namespace kesma::controlpanel {

frmSupport::frmSupport(ui::App& app, ControlPanel& cp) : ui::Form(app, "frmSupport", 4950, 1395), cp_(cp) {
    SetCaption("Support");
    ui::Control& picture = Add(ui::Kind::PictureBox, "picSupport", 0, 60, 1215, 495);
    picture.SetAutoSize(true);
    ui::Control& ok = Add(ui::Kind::Button, "cmdOK", 120, 720, 1215, 495);
    ok.SetCaption("&OK");
    ok.SetDefault(true);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
    ok.OnClick = [this] { cmdOK_Click(); };
}

void frmSupport::Form_Load() {
    if (cp_.Main != nullptr) SetCaption(cp_.Main->Caption());
    ui::Control& picture = Ctl("picSupport");
    ui::Control& ok = Ctl("cmdOK");
    picture.LoadPicture(cp_.SupportBitmapPath);
    // The client area fits the picture with a margin of its left offset on each side,
    // and below it room for the button; the frame keeps its size.
    SetWidth(Width() - ScaleWidth() + picture.Width() + 2 * picture.Left());
    SetHeight(Height() - ScaleHeight() + picture.Height() + 5 * picture.Top() + ok.Height());
    ok.SetTop(3 * picture.Top() + picture.Height());
    ok.SetLeft((ScaleWidth() - ok.Width()) / 2);
    CentreWindow(*this);
}

void frmSupport::cmdOK_Click() { Unload(); }

}  // namespace kesma::controlpanel
