#include "setup/progress_window.h"

#include <algorithm>

#include "shared/forms.h"

namespace kesma::setup {

namespace {
constexpr int kClientWidth = 5400, kClientHeight = 1080;
constexpr int kIconLeft = 300, kIconSize = 480;  // 32 x 32 pixels at 96 dpi
constexpr int kTextLeft = 1020, kTextWidth = 4140;
}  // namespace

frmMessage::frmMessage(ui::App& app, bool hourglassWhilePlacing)
    : ui::Form(app, "frmMessage", kClientWidth, kClientHeight),
      imgMsg(Add<ui::Image>("imgMsg", kIconLeft, (kClientHeight - kIconSize) / 2, kIconSize, kIconSize)),
      lblMsg(Add<ui::Label>("lblMsg", kTextLeft, 0, kTextWidth, 195)),
      hourglassWhilePlacing_(hourglassWhilePlacing) {
    imgMsg.SetIconPicture();
    OnLoad = [this] { Form_Load(); };
}

void frmMessage::Form_Load() { SetCaption(app().Title()); }

// The layout is twice the icon high, or the text and half an icon when the text is
// taller; icon and text are centred in it. The window keeps its designed size unless
// the layout is taller: then it grows so that no line of the text is cut off.
void frmMessage::LayOut() {
    const int layout = std::max(2 * imgMsg.Height(), lblMsg.Height() + imgMsg.Height() / 2);
    const int height = std::max(kClientHeight, layout);
    if (height != ScaleHeight()) SetClientSize(ScaleWidth(), height);
    imgMsg.SetTop((height - imgMsg.Height()) / 2);
    lblMsg.SetTop((height - lblMsg.Height()) / 2);
}

void frmMessage::Place() {
    if (hourglassWhilePlacing_ && hourglass_++ == 0) app().SetPointer(ui::Pointer::Hourglass);
    CentreWindow(*this);
    if (hourglassWhilePlacing_ && hourglass_ > 0 && --hourglass_ == 0) app().SetPointer(ui::Pointer::Default);
}

void frmMessage::ShowProgressMessage(const std::string& text) {
    if (!Loaded()) Load();
    lblMsg.SetCaption(text);
    const ui::ScreenInfo screen = app().Screen();
    const int wrap = screen.TwipsToPixelsX(lblMsg.Width());
    lblMsg.SetHeight(screen.PixelsToTwipsY(app().MeasureText(lblMsg.GetFont(), text, wrap).heightPx));
    LayOut();
    Place();
    Show();
    // The callers go on working without pumping: paint now.
    app().DoEvents(0);
}

}  // namespace kesma::setup
