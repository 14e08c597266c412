#include "startup/main_window.h"

#include <initializer_list>

#include "shared/about.h"
#include "shared/forms.h"

namespace kesma::startup {

namespace {

constexpr int kSplashHeight = 2025;
constexpr ui::Color kTestOn = ui::Rgb(0, 0, 255);
constexpr ui::Color kTestOff = ui::Rgb(250, 250, 250);

// A bar with its sunken frame, a shape over it (Shape2..Shape4).
ui::HScrollBar& AddBar(ui::Form& form, const std::string& name, int top, BarRange range, int largeChange,
                       int designValue, ui::Frame& frame) {
    ui::HScrollBar& bar = form.Add<ui::HScrollBar>(name, 240, top, 2775, 315, &frame);
    bar.SetRange(range.min, range.max, 1, largeChange);
    bar.SetValue(designValue);
    form.Add<ui::Shape>("Shape" + std::to_string(2 + (top - 600) / 720), 240, top, 2775, 315, &frame);
    return bar;
}

ui::Label& AddLabel(ui::Form& form, const std::string& name, int left, int top, int width,
                    const std::string& caption, ui::Frame& frame, int index = -1) {
    ui::Label& label = form.Add<ui::Label>(name, left, top, width, 195, &frame, index);
    label.SetCaption(caption);
    return label;
}

// The number a label shows, or -1 when it holds none.
int LabelNumber(const ui::Label& label) {
    try {
        return std::stoi(label.Caption());
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace

frmMain::frmMain(ui::App& app, Startup& program)
    : VendorForm(app, "frmMain", 6495, 5295, kStartupHeader),
      Shape1(Add<ui::Shape>("Shape1", 420, 1320, 5595, 3015)),
      Frame1(Add<ui::Frame>("Frame1", 600, 1500, 3255, 2655)),
      lblTT(AddLabel(*this, "lblTT", 1140, 360, 990, "Speed: 500", Frame1)),
      hscTT(AddBar(*this, "hscTT", 600, kDoubleClickSpeedRange, 50, 500, Frame1)),
      lblWW(AddLabel(*this, "lblWW", 1200, 1080, 840, "Width: 32", Frame1)),
      hscWW(AddBar(*this, "hscWW", 1320, kDoubleClickSizeRange, 5, 32, Frame1)),
      lblHH(AddLabel(*this, "lblHH", 1170, 1800, 900, "Height: 32", Frame1)),
      hscHH(AddBar(*this, "hscHH", 2040, kDoubleClickSizeRange, 5, 32, Frame1)),
      Label1([this] {
          const char* ends[] = {"100", "900", "0", "64", "0", "64"};
          ui::ControlArray<ui::Label> labels;
          for (int i = 0; i < 6; ++i) {
              const int top = 360 + (i / 2) * 720;
              const bool right = i % 2 == 1;
              const int left = right ? (i == 1 ? 2745 : 2835) : 240;
              labels.Add(AddLabel(*this, "Label1", left, top, right ? 270 : 360, ends[i], Frame1, i));
          }
          return labels;
      }()),
      Frame2(Add<ui::Frame>("Frame2", 3900, 1500, 1935, 1275)),
      Label2(AddLabel(*this, "Label2", 300, 300, 840, "Speed:", Frame2)),
      Label4(AddLabel(*this, "Label4", 300, 600, 840, "Width:", Frame2)),
      Label3(AddLabel(*this, "Label3", 300, 900, 840, "Height:", Frame2)),
      lblSiTT(AddLabel(*this, "lblSiTT", 1200, 300, 600, "500", Frame2)),
      lblSiWW(AddLabel(*this, "lblSiWW", 1320, 600, 480, "32", Frame2)),
      lblSiHH(AddLabel(*this, "lblSiHH", 1320, 900, 480, "32", Frame2)),
      Frame4(Add<ui::Frame>("Frame4", 3900, 2880, 1935, 1275)),
      picTest(Add<ui::PictureBox>("picTest", 600, 300, 780, 780, &Frame4)),
      imgOFF(Add<ui::Image>("imgOFF", 0, 0, 480, 480, &picTest)),
      imgON(Add<ui::Image>("imgON", 0, 0, 480, 480, &picTest)),
      buttons(AddApplyButtons(*this, 4500, program, [this] { return Store(); })),
      program_(program) {
    Frame1.SetCaption("  Double Click Configuration");
    Frame2.SetCaption(" System Information");
    picTest.SetBorder(true);
    imgOFF.SetIconPicture();
    imgON.SetIconPicture();

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { Form_Unload(); };
    // A dragged thumb runs the same handler as a released one.
    hscTT.OnChange = hscTT.OnScroll = [this] { hscTT_Change(); };
    hscWW.OnChange = hscWW.OnScroll = [this] { hscWW_Change(); };
    hscHH.OnChange = hscHH.OnScroll = [this] { hscHH_Change(); };
    imgOFF.OnDblClick = [this] { imgOFF_DblClick(); };
    imgON.OnDblClick = [this] { imgON_DblClick(); };
    imgIcon.OnDblClick = [this] { imgIcon_DblClick(); };
}

void frmMain::Form_Load() {
    program_.Main = this;
    ShowTitleAndVersion(*this, kAppTitle);
    Platform& platform = program_.platform;
    if (!PassSingleInstanceGuard(app(), platform.Get<ProcessPort>(), platform.Get<WindowPort>(), kProgramName, Handle(),
                                 Caption())) {
        app().End();
        return;
    }
    if (!program_.LoadVendorValues(*this)) return;
    program_.LoadDoubleClickValues();

    if (program_.mode == Mode::DoubleClick) {
        for (ui::Image* image : {&imgOFF, &imgON}) {
            image->SetLeft((picTest.ScaleWidth() - image->Width()) / 2);
            image->SetTop((picTest.ScaleHeight() - image->Height()) / 2);
        }
        imgON_DblClick();
        ShowSystemValues();
        // A stored value outside its bar shows at the bar's nearest end; the stored values stay
        // as they are, so Apply is offered and stores a value the bar can show.
        hscTT.SetValue(kDoubleClickSpeedRange.Clamp(program_.DoubleClickSpeed));
        hscWW.SetValue(kDoubleClickSizeRange.Clamp(program_.DoubleClickWidth));
        hscHH.SetValue(kDoubleClickSizeRange.Clamp(program_.DoubleClickHeight));
    } else {
        SetHeight(kSplashHeight);
        for (ui::Control* c : std::initializer_list<ui::Control*>{&Shape1, &Frame1, &Frame2}) c->SetVisible(false);
    }

    program_.Branding.ApplyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
    app().SetPointer(ui::Pointer::Default);
}

void frmMain::Form_Unload() { program_.Main = nullptr; }

void frmMain::hscTT_Change() {
    lblTT.SetCaption("Speed: " + std::to_string(hscTT.Value()));
    UpdateApplyButton();
}

void frmMain::hscWW_Change() {
    lblWW.SetCaption("Width: " + std::to_string(hscWW.Value()));
    UpdateApplyButton();
}

void frmMain::hscHH_Change() {
    lblHH.SetCaption("Hight: " + std::to_string(hscHH.Value()));
    UpdateApplyButton();
}

bool frmMain::DoubleClickDiffers() const {
    return hscTT.Value() != program_.DoubleClickSpeed || hscWW.Value() != program_.DoubleClickWidth ||
           hscHH.Value() != program_.DoubleClickHeight ||
           LabelNumber(lblSiTT) != program_.DoubleClickSpeed ||
           LabelNumber(lblSiWW) != program_.DoubleClickWidth ||
           LabelNumber(lblSiHH) != program_.DoubleClickHeight;
}

void frmMain::UpdateApplyButton() { buttons.cmdApply.SetEnabled(DoubleClickDiffers()); }

void frmMain::ShowSystemValues() {
    SystemPort& system = program_.platform.Get<SystemPort>();
    lblSiTT.SetCaption(std::to_string(system.GetDoubleClickTime()));
    lblSiWW.SetCaption(std::to_string(system.GetSystemMetrics(kSmCxDoubleClk)));
    lblSiHH.SetCaption(std::to_string(system.GetSystemMetrics(kSmCyDoubleClk)));
}

bool frmMain::Store() {
    program_.DoubleClickSpeed = hscTT.Value();
    program_.DoubleClickWidth = hscWW.Value();
    program_.DoubleClickHeight = hscHH.Value();
    const bool stored = program_.ApplyDoubleClickSettings();
    ShowSystemValues();
    return stored;
}

void frmMain::imgOFF_DblClick() { SetTestArea(true); }

void frmMain::imgON_DblClick() { SetTestArea(false); }

void frmMain::SetTestArea(bool on) {
    ui::Image& shown = on ? imgON : imgOFF;
    ui::Image& hidden = on ? imgOFF : imgON;
    hidden.SetVisible(false);
    hidden.SetEnabled(false);
    shown.SetVisible(true);
    shown.SetEnabled(true);
    picTest.SetBackColor(on ? kTestOn : kTestOff);
}

void frmMain::imgIcon_DblClick() {
    app().SetPointer(ui::Pointer::Hourglass);
    Hide();
    app().Create<frmAbout>(program_.Branding, [this] { ReturnFromAbout(); }).Show();
    app().SetPointer(ui::Pointer::Default);
}

void frmMain::ReturnFromAbout() {
    if (program_.Main == nullptr) return;
    app().SetPointer(ui::Pointer::Hourglass);
    Show();
    SetFocus();
    app().SetPointer(ui::Pointer::Default);
}

}  // namespace kesma::startup
