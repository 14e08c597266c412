#include "controlpanel/support.h"

#include "controlpanel/main_window.h"
#include "shared/forms.h"

namespace kesma::controlpanel {

frmSupport::frmSupport(ui::App& app, ControlPanel& cp)
    : ui::Form(app, "frmSupport", 4950, 1395),
      picSupport(Add<ui::PictureBox>("picSupport", 0, 60, 1215, 495)),
      cmdOK(AddCloseButton(*this, 120, 720, 1215, 495)),
      cp_(cp) {
    SetCaption("Support");
    picSupport.SetAutoSize(true);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { cp_.ReturnToMainWindow(); };
}

void frmSupport::Form_Load() {
    if (cp_.Main != nullptr) SetCaption(cp_.Main->Caption());
    picSupport.LoadPicture(cp_.SupportBitmapPath);
    // The client area fits the picture with a margin of its left offset on each side,
    // and below it room for the button; the frame keeps its size.
    SetWidth(Width() - ScaleWidth() + picSupport.Width() + 2 * picSupport.Left());
    SetHeight(Height() - ScaleHeight() + picSupport.Height() + 5 * picSupport.Top() + cmdOK.Height());
    cmdOK.SetTop(3 * picSupport.Top() + picSupport.Height());
    cmdOK.SetLeft((ScaleWidth() - cmdOK.Width()) / 2);
    CentreWindow(*this);
}

}  // namespace kesma::controlpanel
