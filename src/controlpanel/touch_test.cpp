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
}  // namespace

frmTest::frmTest(ui::App& app, ControlPanel& cp)
    : ui::Form(app, "frmTest", app.Screen().widthTwips, app.Screen().heightTwips), cp_(cp) {
    SetCaption("Test");
    SetBorderless(true);
    SetMaximized(true);
    // Sizes are the design's; positions come from the resize layout when the window shows.
    const int width = ScaleWidth();

    ui::Control& head = Add(ui::Kind::PictureBox, "picHead", 0, 0, width, kHeadHeight);
    Add(ui::Kind::Image, "imgIcon", 0, 0, 480, 480, &head).SetIconPicture();
    ui::Control& title = Add(ui::Kind::Label, "lblTitle", 0, 0, 3600, 345, &head);
    title.SetCaption("TouchScreen Test");
    title.SetForeColor(ui::Rgb(255, 0, 0));
    title.SetFont({"Times New Roman", 14.25, true, false});
    title.SetBackTransparent(true);
    ui::Control& clear = Add(ui::Kind::Button, "cmdClear", 0, 0, 1215, 480, &head);
    clear.SetCaption("&Clear");
    clear.OnClick = [this] { Ctl("picHome").Cls(); };
    ui::Control& exit = Add(ui::Kind::Button, "cmdExit", 0, 0, 1215, 480, &head);
    exit.SetCaption("E&xit Test");
    exit.OnClick = [this] { Unload(); };

    ui::Control& home =
        Add(ui::Kind::PictureBox, "picHome", 0, kHeadHeight, width, ScaleHeight() - kHeadHeight - kMesgHeight);
    home.SetBackColor(ui::kWhite);
    home.OnMouseDown = [this](int button, int, int x, int y) { picHome_MouseDown(button, x, y); };
    home.OnMouseMove = [this](int, int, int x, int y) { picHome_MouseMove(x, y); };
    home.OnMouseUp = [this](int button, int, int, int) { picHome_MouseUp(button); };

    ui::Control& mesg = Add(ui::Kind::PictureBox, "picMesg", 0, ScaleHeight() - kMesgHeight, width, kMesgHeight);
    mesg.SetForeColor(ui::kYellow);
    Add(ui::Kind::Label, "lblHelpBox", 0, 0, 3000, kMesgHeight, &mesg).SetBorder(true);
    ui::Control& help = Add(ui::Kind::Label, "lblHelp", 0, 0, 2640, 195, &mesg);
    help.SetBackColor(ui::Rgb(192, 192, 192));
    help.SetCaption("Touch and drag to draw; choose the pen width and colour on the right.");

    Add(ui::Kind::Label, "lblWidthName", 0, 0, 450, 195, &mesg).SetCaption("Width");
    const char* widthCaptions[] = {" 1 ", " 2 ", " 3 ", " 4 "};
    for (int i = 0; i < 4; ++i) {
        ui::Control& label = Add(ui::Kind::Label, "lblWidth", 0, 0, 405, 360, &mesg, i);
        label.SetCaption(widthCaptions[i]);
        label.SetAlignment(ui::Align::Center);
        label.SetForeColor(ui::kBlack);
        label.SetBackColor(kWidthBack);
        label.SetFont({"MS Sans Serif", 12, true, false});
        label.OnClick = [this, i] { lblWidth_Click(i); };
        label.OnMouseDown = [this, i](int, int, int, int) { lblWidth_Click(i); };
    }

    Add(ui::Kind::Label, "lblColorName", 0, 0, 450, 195, &mesg).SetCaption("Color");
    for (int i = 0; i < 5; ++i) {
        ui::Control& swatch = Add(ui::Kind::Label, "lblColor", 0, 0, 405, 360, &mesg, i);
        swatch.SetBackColor(kSwatches[i]);
        swatch.OnClick = [this, i] { lblColor_Click(i); };
        swatch.OnMouseDown = [this, i](int, int, int, int) { lblColor_Click(i); };
    }

    Add(ui::Kind::Label, "lblButtonName", 0, 0, 540, 195, &mesg).SetCaption("Button");
    const char* buttonCaptions[] = {"L", "M", "R"};
    for (int i = 0; i < 3; ++i) {
        ui::Control& indicator = Add(ui::Kind::Label, "lblButton", 0, 0, 285, 360, &mesg, i);
        indicator.SetCaption(buttonCaptions[i]);
        indicator.SetAlignment(ui::Align::Center);
        indicator.SetBorder(true);
        indicator.SetBackColor(ui::kYellow);
        indicator.SetBackTransparent(true);
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
    Ctl("picHead").Move(0, 0, ScaleWidth(), kHeadHeight);
    Ctl("picMesg").Move(0, std::max(0, ScaleHeight() - kMesgHeight), ScaleWidth(), kMesgHeight);
    picHead_Resize();
    picMesg_Resize();
}

void frmTest::picHead_Resize() {
    const ui::Control& head = Ctl("picHead");
    ui::Control& icon = Ctl("imgIcon");
    icon.SetTop((head.ScaleHeight() - icon.Height()) / 2);
    icon.SetLeft(icon.Top());
    ui::Control& title = Ctl("lblTitle");
    title.Move(3 * icon.Left() + icon.Width(), (head.ScaleHeight() - title.Height()) / 2, title.Width(),
               title.Height());
    ui::Control& exit = Ctl("cmdExit");
    const int gap = icon.Top();
    exit.Move(head.ScaleWidth() - exit.Width() - gap, gap, exit.Width(), std::max(0, head.ScaleHeight() - 2 * gap));
    Ctl("cmdClear").Move(exit.Left() - exit.Width() - gap, gap, exit.Width(), exit.Height());
}

// From the right: the L M R indicators, the five swatches, the four widths, each
// group with its name on its left; the help box takes what is left.
void frmTest::picMesg_Resize() {
    ui::Control& home = Ctl("picHome");
    const int headHeight = Ctl("picHead").Height();
    const ui::Control& mesg = Ctl("picMesg");
    home.Move(0, headHeight, ScaleWidth(), std::max(0, ScaleHeight() - headHeight - mesg.Height()));

    const int m = (mesg.ScaleHeight() - Ctl("lblButton", 0).Height()) / 2;
    int x = mesg.ScaleWidth();
    struct Group {
        const char *items, *name;
        int last;
    };
    for (const Group& group : {Group{"lblButton", "lblButtonName", 2}, Group{"lblColor", "lblColorName", 4},
                               Group{"lblWidth", "lblWidthName", 3}}) {
        for (int i = group.last; i >= 0; --i) {
            ui::Control& item = Ctl(group.items, i);
            x -= m + item.Width();
            item.Move(x, m, item.Width(), item.Height());
        }
        ui::Control& name = Ctl(group.name);
        x -= m + name.Width();
        name.Move(x, (mesg.ScaleHeight() - name.Height()) / 2, name.Width(), name.Height());
        x -= m;
    }

    ui::Control& box = Ctl("lblHelpBox");
    box.Move(0, 0, std::max(0, x), mesg.ScaleHeight());
    ui::Control& help = Ctl("lblHelp");
    const int helpTop = (box.Height() - help.Height()) / 2;
    help.Move(helpTop, helpTop, std::max(0, box.Width() - 2 * helpTop), help.Height());
}

// Click and mouse-down both select, so a click selects once: the second call finds
// the label already selected.
void frmTest::lblWidth_Click(int index) {
    if (index == currentWidthIndex_) return;
    ui::Control& old = Ctl("lblWidth", currentWidthIndex_);
    old.SetForeColor(ui::kBlack);
    old.SetBackColor(kWidthBack);
    currentWidthIndex_ = index;
    ui::Control& now = Ctl("lblWidth", index);
    now.SetForeColor(ui::kYellow);
    now.SetBackColor(kSelectedWidthBack);
    Ctl("picHome").SetDrawWidth(index + 1);
}

void frmTest::lblColor_Click(int index) {
    if (index == currentColorIndex_) return;
    Ctl("lblColor", currentColorIndex_).SetBorder(false);
    currentColorIndex_ = index;
    ui::Control& swatch = Ctl("lblColor", index);
    swatch.SetBorder(true);
    Ctl("picHome").SetForeColor(swatch.BackColor());
}

// A press while a stroke is in progress (a second button) continues the line.
void frmTest::picHome_MouseDown(int button, int x, int y) {
    ui::Control& home = Ctl("picHome");
    if (!penDown_) {
        home.PSet(x, y);
        penDown_ = true;
    } else {
        home.LineTo(x, y);
    }
    ShowButton(button, true);
}

void frmTest::picHome_MouseMove(int x, int y) {
    if (penDown_) Ctl("picHome").LineTo(x, y);
}

void frmTest::picHome_MouseUp(int button) {
    penDown_ = false;
    ShowButton(button, false);
}

// A lit indicator is opaque yellow; otherwise it is transparent.
void frmTest::ShowButton(int button, bool down) {
    const int indicator = ButtonIndicator(button);
    if (indicator >= 0) Ctl("lblButton", indicator).SetBackTransparent(!down);
}

}  // namespace kesma::controlpanel
