#include "shared/forms.h"

namespace kesma {

namespace {

// Rounds to the nearest whole number, halves to even, as the classic integer
// conversion before "\" does.
int RoundHalfEven(long long numerator, long long denominator) {
    long long q = numerator / denominator;
    const long long twiceRest = 2 * (numerator % denominator);
    if (twiceRest > denominator || (twiceRest == denominator && q % 2 != 0)) ++q;
    if (twiceRest < -denominator || (twiceRest == -denominator && q % 2 != 0)) --q;
    return static_cast<int>(q);
}

}  // namespace

void CentreWindow(ui::Form& window) {
    const ui::ScreenInfo screen = window.app().Screen();
    // The centre sits at 42.5 % of the screen height: 0.85 = 17 / 20.
    window.SetTop(RoundHalfEven(17LL * screen.heightTwips, 20) / 2 - window.Height() / 2);
    window.SetLeft(screen.widthTwips / 2 - window.Width() / 2);
}

ui::Button& AddCloseButton(ui::Form& dialog, int left, int top, int width, int height) {
    ui::Button& button = dialog.Add<ui::Button>("cmdOK", left, top, width, height);
    button.SetCaption("&OK");
    button.SetDefault(true);
    button.SetCancel(true);
    button.OnClick = [&dialog] { dialog.Unload(); };
    return button;
}

void CentreIn(const ui::PictureBox& box, ui::Image& picture) {
    picture.SetTop(RoundHalfEven(box.ScaleHeight() - picture.Height(), 2));
    picture.SetLeft(RoundHalfEven(box.ScaleWidth() - picture.Width(), 2));
}

void ShowError(ui::App& app, const std::string& text, const std::string& caption) {
    app.Beep();
    app.MsgBox(text, ui::kMbSystemModal | ui::kMbIconError, caption);
}

void ReportOpenFailure(ui::App& app, const std::string& title) {
    ShowError(app, std::string("Fail to open ") + "KESMADRV.sys" + "!", title);
}

void ReportControllerNotFound(ui::App& app, const std::string& caption) {
    ShowError(app, "TouchScreen Controller Not Found!", caption);
}

}  // namespace kesma
