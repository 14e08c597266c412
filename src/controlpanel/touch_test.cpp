#include "controlpanel/touch_test.h"

#include <algorithm>
#include <string>

namespace kesma::controlpanel {

namespace {
constexpr int kHeadHeight = 615;
constexpr int kMesgHeight = 555;

constexpr ui::Color kWidthBack = ui::Rgb(224, 224, 224);
constexpr ui::Color kSelectedWidthBack = ui::Rgb(64, 64, 64);
constexpr ui::Color kSwatches[] = {ui::Rgb(0, 0, 0), ui::Rgb(255, 0, 0), ui::Rgb(0, 128, 0), ui::Rgb(0, 0, 255),
                                   ui::Rgb(255, 0, 255)};

// The indicator of a mouse button: L, M, R; -1 for other button values.
int ButtonIndicator(int button) {
    switch (button) {
    case ui::kLeftButton: return 0;
    case ui::kMiddleButton: return 1;
    case ui::kRightButton: return 2;
    default: return -1;
    }
}

// Labels 0..count-1 of a control array in the message bar; the resize layout places them.
ui::ControlArray<ui::Label> AddLabels(ui::Form& form, ui::PictureBox& mesg, const std::string& name, int count,
                                      int width) {
    ui::ControlArray<ui::Label> labels;
    for (int i = 0; i < count; ++i) labels.Add(form.Add<ui::Label>(name, 0, 0, width, 360, &mesg, i));
    return labels;
}

ui::Label& AddName(ui::Form& form, ui::PictureBox& mesg, const std::string& name, int width,
                   const std::string& caption) {
    ui::Label& label = form.Add<ui::Label>(name, 0, 0, width, 195, &mesg);
    label.SetCaption(caption);
    return label;
}
}  // namespace

// Sizes are the design's; positions come from the resize layout when the window shows.
frmTest::frmTest(ui::App& app, ControlPanel& cp)
    : ui::Form(app, "frmTest", app.Screen().widthTwips, app.Screen().heightTwips),
      picHead(Add<ui::PictureBox>("picHead", 0, 0, ScaleWidth(), kHeadHeight)),
      imgIcon(Add<ui::Image>("imgIcon", 0, 0, 480, 480, &picHead)),
      lblTitle(Add<ui::Label>("lblTitle", 0, 0, 3600, 345, &picHead)),
      cmdClear(Add<ui::Button>("cmdClear", 0, 0, 1215, 480, &picHead)),
      cmdExit(Add<ui::Button>("cmdExit", 0, 0, 1215, 480, &picHead)),
      picHome(Add<ui::PictureBox>("picHome", 0, kHeadHeight, ScaleWidth(), ScaleHeight() - kHeadHeight - kMesgHeight)),
      picMesg(Add<ui::PictureBox>("picMesg", 0, ScaleHeight() - kMesgHeight, ScaleWidth(), kMesgHeight)),
      lblHelpBox(Add<ui::Label>("lblHelpBox", 0, 0, 3000, kMesgHeight, &picMesg)),
      lblHelp(Add<ui::Label>("lblHelp", 0, 0, 2640, 195, &picMesg)),
      lblWidthName(AddName(*this, picMesg, "lblWidthName", 450, "Width")),
      lblWidth(AddLabels(*this, picMesg, "lblWidth", 4, 405)),
      lblColorName(AddName(*this, picMesg, "lblColorName", 450, "Color")),
      lblColor(AddLabels(*this, picMesg, "lblColor", 5, 405)),
      lblButtonName(AddName(*this, picMesg, "lblButtonName", 540, "Button")),
      lblButton(AddLabels(*this, picMesg, "lblButton", 3, 285)),
      cp_(cp) {
    SetCaption("Test");
    SetBorderless(true);
    SetMaximized(true);

    imgIcon.SetIconPicture();
    lblTitle.SetCaption("TouchScreen Test");
    lblTitle.SetForeColor(ui::Rgb(255, 0, 0));
    lblTitle.SetFont({"Times New Roman", 14.25, true, false});
    lblTitle.SetBackTransparent(true);
    cmdClear.SetCaption("&Clear");
    cmdClear.OnClick = [this] { picHome.Cls(); };
    cmdExit.SetCaption("E&xit Test");
    cmdExit.SetCancel(true);  // Esc ends the test as the button does
    cmdExit.OnClick = [this] { Unload(); };

    picHome.SetBackColor(ui::kWhite);
    picHome.OnMouseDown = [this](int button, int, int x, int y) { picHome_MouseDown(button, x, y); };
    picHome.OnMouseMove = [this](int, int, int x, int y) { picHome_MouseMove(x, y); };
    picHome.OnMouseUp = [this](int button, int, int, int) { picHome_MouseUp(button); };

    picMesg.SetForeColor(ui::kYellow);
    lblHelpBox.SetBorder(true);
    lblHelp.SetBackColor(ui::Rgb(192, 192, 192));
    lblHelp.SetCaption("Touch and drag to draw; choose the pen width and colour on the right.");

    for (ui::Label* label : lblWidth) {
        const int i = label->index();
        label->SetCaption(" " + std::to_string(i + 1) + " ");
        label->SetAlignment(ui::Align::Center);
        label->SetForeColor(ui::kBlack);
        label->SetBackColor(kWidthBack);
        label->SetFont({"MS Sans Serif", 12, true, false});
        label->OnClick = [this, i] { lblWidth_Click(i); };
        label->OnMouseDown = [this, i](int, int, int, int) { lblWidth_Click(i); };
    }
    for (ui::Label* swatch : lblColor) {
        const int i = swatch->index();
        swatch->SetBackColor(kSwatches[i]);
        swatch->OnClick = [this, i] { lblColor_Click(i); };
        swatch->OnMouseDown = [this, i](int, int, int, int) { lblColor_Click(i); };
    }
    const char* buttonCaptions[] = {"L", "M", "R"};
    for (ui::Label* indicator : lblButton) {
        indicator->SetCaption(buttonCaptions[indicator->index()]);
        indicator->SetAlignment(ui::Align::Center);
        indicator->SetBorder(true);
        indicator->SetBackColor(ui::kYellow);
        indicator->SetBackTransparent(true);
    }

    OnActivate = [this] { Form_Activate(); };
    OnUnload = [this] { Form_Unload(); };
    OnResize = [this] { Form_Resize(); };
}

// Activation can come again (the window regained from another one); the touch mode
// to restore is taken only the first time, or mode 4 would be restored on exit.
void frmTest::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    savedTouchMode_ = cp_.Link.Settings.TouchMode;
    cp_.Link.Settings.TouchMode = KESMA_DRAG_DROP_MODE;
    cp_.Link.SetTouchMode();
    lblWidth_Click(1);
    lblColor_Click(3);
}

void frmTest::Form_Unload() {
    if (activated_) {
        cp_.Link.Settings.TouchMode = savedTouchMode_;
        cp_.Link.SetTouchMode();
    }
    cp_.ReturnToMainWindow();
}

// The head bar keeps to the top and the message bar to the bottom, both full width.
void frmTest::Form_Resize() {
    picHead.Move(0, 0, ScaleWidth(), kHeadHeight);
    picMesg.Move(0, std::max(0, ScaleHeight() - kMesgHeight), ScaleWidth(), kMesgHeight);
    picHead_Resize();
    picMesg_Resize();
}

void frmTest::picHead_Resize() {
    imgIcon.SetTop((picHead.ScaleHeight() - imgIcon.Height()) / 2);
    imgIcon.SetLeft(imgIcon.Top());
    lblTitle.Move(3 * imgIcon.Left() + imgIcon.Width(), (picHead.ScaleHeight() - lblTitle.Height()) / 2,
                  lblTitle.Width(), lblTitle.Height());
    const int gap = imgIcon.Top();
    cmdExit.Move(picHead.ScaleWidth() - cmdExit.Width() - gap, gap, cmdExit.Width(),
                 std::max(0, picHead.ScaleHeight() - 2 * gap));
    cmdClear.Move(cmdExit.Left() - cmdExit.Width() - gap, gap, cmdExit.Width(), cmdExit.Height());
}

// From the right: the L M R indicators, the five swatches, the four widths, each
// group with its name on its left; the help box takes what is left.
void frmTest::picMesg_Resize() {
    const int headHeight = picHead.Height();
    picHome.Move(0, headHeight, ScaleWidth(), std::max(0, ScaleHeight() - headHeight - picMesg.Height()));

    const int m = (picMesg.ScaleHeight() - lblButton[0].Height()) / 2;
    int x = picMesg.ScaleWidth();
    struct Group {
        const ui::ControlArray<ui::Label>& items;
        ui::Label& name;
        int last;
    };
    for (const Group& group : {Group{lblButton, lblButtonName, 2}, Group{lblColor, lblColorName, 4},
                               Group{lblWidth, lblWidthName, 3}}) {
        for (int i = group.last; i >= 0; --i) {
            ui::Label& item = group.items[i];
            x -= m + item.Width();
            item.Move(x, m, item.Width(), item.Height());
        }
        x -= m + group.name.Width();
        group.name.Move(x, (picMesg.ScaleHeight() - group.name.Height()) / 2, group.name.Width(), group.name.Height());
        x -= m;
    }

    lblHelpBox.Move(0, 0, std::max(0, x), picMesg.ScaleHeight());
    const int helpTop = (lblHelpBox.Height() - lblHelp.Height()) / 2;
    lblHelp.Move(helpTop, helpTop, std::max(0, lblHelpBox.Width() - 2 * helpTop), lblHelp.Height());
}

// Click and mouse-down both select, so a click selects once: the second call finds
// the label already selected.
void frmTest::lblWidth_Click(int index) {
    if (index == currentWidthIndex_) return;
    ui::Label& old = lblWidth[currentWidthIndex_];
    old.SetForeColor(ui::kBlack);
    old.SetBackColor(kWidthBack);
    currentWidthIndex_ = index;
    ui::Label& now = lblWidth[index];
    now.SetForeColor(ui::kYellow);
    now.SetBackColor(kSelectedWidthBack);
    picHome.SetDrawWidth(index + 1);
}

void frmTest::lblColor_Click(int index) {
    if (index == currentColorIndex_) return;
    lblColor[currentColorIndex_].SetBorder(false);
    currentColorIndex_ = index;
    ui::Label& swatch = lblColor[index];
    swatch.SetBorder(true);
    picHome.SetForeColor(swatch.BackColor());
}

// A press while a stroke is in progress (a second button) continues the line.
void frmTest::picHome_MouseDown(int button, int x, int y) {
    if (!penDown_) {
        picHome.PSet(x, y);
        penDown_ = true;
    } else {
        picHome.LineTo(x, y);
    }
    ShowButton(button, true);
}

void frmTest::picHome_MouseMove(int x, int y) {
    if (penDown_) picHome.LineTo(x, y);
}

void frmTest::picHome_MouseUp(int button) {
    penDown_ = false;
    ShowButton(button, false);
}

// A lit indicator is opaque yellow; otherwise it is transparent.
void frmTest::ShowButton(int button, bool down) {
    const int indicator = ButtonIndicator(button);
    if (indicator >= 0) lblButton[indicator].SetBackTransparent(!down);
}

}  // namespace kesma::controlpanel
