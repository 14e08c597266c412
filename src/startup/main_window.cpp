#include "startup/main_window.h"

#include "shared/about.h"
#include "shared/forms.h"

namespace kesma::startup {

namespace {

constexpr int kSplashHeight = 2025;
constexpr ui::Color kTestOn = ui::Rgb(0, 0, 255);
constexpr ui::Color kTestOff = ui::Rgb(250, 250, 250);

ui::Control& AddBar(ui::Form& form, const std::string& name, int top, BarRange range, int largeChange,
                    ui::Control& frame) {
    ui::Control& bar = form.Add(ui::Kind::HScrollBar, name, 240, top, 2775, 315, &frame);
    bar.SetRange(range.min, range.max, 1, largeChange);
    form.Add(ui::Kind::Shape, "Shape" + std::to_string(2 + (top - 600) / 720), 240, top, 2775, 315, &frame);
    return bar;
}

void AddLabel(ui::Form& form, const std::string& name, int left, int top, int width, const std::string& caption,
              ui::Control& frame, int index = -1) {
    form.Add(ui::Kind::Label, name, left, top, width, 195, &frame, index).SetCaption(caption);
}

ui::Control& AddButton(ui::Form& form, const std::string& name, int left, int top, const std::string& caption) {
    ui::Control& button = form.Add(ui::Kind::Button, name, left, top, 1275, 495);
    button.SetCaption(caption);
    return button;
}

// The number a label shows, or -1 when it holds none.
int LabelNumber(const ui::Control& label) {
    try {
        return std::stoi(label.Caption());
    } catch (const std::exception&) {
        return -1;
    }
}

}  // namespace

frmMain::frmMain(ui::App& app, Startup& program) : ui::Form(app, "frmMain", 6495, 5295), program_(program) {
    AddVendorHeader(*this, kStartupHeader);
    Add(ui::Kind::Shape, "Shape1", 420, 1320, 5595, 3015);

    ui::Control& frame1 = Add(ui::Kind::Frame, "Frame1", 600, 1500, 3255, 2655);
    frame1.SetCaption("  Double Click Configuration");
    AddLabel(*this, "lblTT", 1140, 360, 990, "Speed: 500", frame1);
    AddBar(*this, "hscTT", 600, kDoubleClickSpeedRange, 50, frame1).SetValue(500);
    AddLabel(*this, "lblWW", 1200, 1080, 840, "Width: 32", frame1);
    AddBar(*this, "hscWW", 1320, kDoubleClickSizeRange, 5, frame1).SetValue(32);
    AddLabel(*this, "lblHH", 1170, 1800, 900, "Height: 32", frame1);
    AddBar(*this, "hscHH", 2040, kDoubleClickSizeRange, 5, frame1).SetValue(32);
    const char* ends[] = {"100", "900", "0", "64", "0", "64"};
    for (int i = 0; i < 6; ++i) {
        const int top = 360 + (i / 2) * 720;
        const bool right = i % 2 == 1;
        const int left = right ? (i == 1 ? 2745 : 2835) : 240;
        AddLabel(*this, "Label1", left, top, right ? 270 : 360, ends[i], frame1, i);
    }

    ui::Control& frame2 = Add(ui::Kind::Frame, "Frame2", 3900, 1500, 1935, 1275);
    frame2.SetCaption(" System Information");
    AddLabel(*this, "Label2", 300, 300, 840, "Speed:", frame2);
    AddLabel(*this, "Label4", 300, 600, 840, "Width:", frame2);
    AddLabel(*this, "Label3", 300, 900, 840, "Height:", frame2);
    AddLabel(*this, "lblSiTT", 1200, 300, 600, "500", frame2);
    AddLabel(*this, "lblSiWW", 1320, 600, 480, "32", frame2);
    AddLabel(*this, "lblSiHH", 1320, 900, 480, "32", frame2);

    ui::Control& frame4 = Add(ui::Kind::Frame, "Frame4", 3900, 2880, 1935, 1275);
    ui::Control& test = Add(ui::Kind::PictureBox, "picTest", 600, 300, 780, 780, &frame4);
    test.SetBorder(true);
    Add(ui::Kind::Image, "imgOFF", 0, 0, 480, 480, &test).SetIconPicture();
    Add(ui::Kind::Image, "imgON", 0, 0, 480, 480, &test).SetIconPicture();

    ui::Control& cancel = AddButton(*this, "cmdCandel", 900, 4500, "&Cancel");
    cancel.SetCancel(true);
    ui::Control& ok = AddButton(*this, "cmdOK", 2580, 4500, "&OK");
    ok.SetDefault(true);
    ui::Control& apply = AddButton(*this, "cmdApply", 4260, 4500, "&Apply");
    apply.SetEnabled(false);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { Form_Unload(); };
    // A dragged thumb runs the same handler as a released one.
    for (const auto& entry : {std::pair<const char*, void (frmMain::*)()>{"hscTT", &frmMain::hscTT_Change},
                              {"hscWW", &frmMain::hscWW_Change},
                              {"hscHH", &frmMain::hscHH_Change}}) {
        ui::Control& bar = Ctl(entry.first);
        const auto handler = entry.second;
        bar.OnChange = [this, handler] { (this->*handler)(); };
        bar.OnScroll = bar.OnChange;
    }
    apply.OnClick = [this] { cmdApply_Click(); };
    ok.OnClick = [this] { cmdOK_Click(); };
    cancel.OnClick = [this] { cmdCandel_Click(); };
    Ctl("imgOFF").OnDblClick = [this] { imgOFF_DblClick(); };
    Ctl("imgON").OnDblClick = [this] { imgON_DblClick(); };
    Ctl("imgIcon").OnDblClick = [this] { imgIcon_DblClick(); };
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
        ui::Control& test = Ctl("picTest");
        for (const char* name : {"imgOFF", "imgON"}) {
            ui::Control& image = Ctl(name);
            image.SetLeft((test.ScaleWidth() - image.Width()) / 2);
            image.SetTop((test.ScaleHeight() - image.Height()) / 2);
        }
        imgON_DblClick();
        ShowSystemValues();
        // A stored value outside its bar shows at the bar's nearest end; the stored values stay
        // as they are, so Apply is offered and stores a value the bar can show.
        Ctl("hscTT").SetValue(kDoubleClickSpeedRange.Clamp(program_.DoubleClickSpeed));
        Ctl("hscWW").SetValue(kDoubleClickSizeRange.Clamp(program_.DoubleClickWidth));
        Ctl("hscHH").SetValue(kDoubleClickSizeRange.Clamp(program_.DoubleClickHeight));
    } else {
        SetHeight(kSplashHeight);
        for (const char* name : {"Shape1", "Frame1", "Frame2"}) Ctl(name).SetVisible(false);
    }

    program_.Branding.ApplyVendorHeader(*this);
    CentreWindow(*this);
    CentreIcon(*this);
    app().SetPointer(ui::Pointer::Default);
}

void frmMain::Form_Unload() { program_.Main = nullptr; }

void frmMain::hscTT_Change() {
    Ctl("lblTT").SetCaption("Speed: " + std::to_string(Ctl("hscTT").Value()));
    UpdateApplyButton();
}

void frmMain::hscWW_Change() {
    Ctl("lblWW").SetCaption("Width: " + std::to_string(Ctl("hscWW").Value()));
    UpdateApplyButton();
}

void frmMain::hscHH_Change() {
    Ctl("lblHH").SetCaption("Hight: " + std::to_string(Ctl("hscHH").Value()));
    UpdateApplyButton();
}

bool frmMain::DoubleClickDiffers() const {
    return Ctl("hscTT").Value() != program_.DoubleClickSpeed || Ctl("hscWW").Value() != program_.DoubleClickWidth ||
           Ctl("hscHH").Value() != program_.DoubleClickHeight ||
           LabelNumber(Ctl("lblSiTT")) != program_.DoubleClickSpeed ||
           LabelNumber(Ctl("lblSiWW")) != program_.DoubleClickWidth ||
           LabelNumber(Ctl("lblSiHH")) != program_.DoubleClickHeight;
}

void frmMain::UpdateApplyButton() { Ctl("cmdApply").SetEnabled(DoubleClickDiffers()); }

void frmMain::ShowSystemValues() {
    SystemPort& system = program_.platform.Get<SystemPort>();
    Ctl("lblSiTT").SetCaption(std::to_string(system.GetDoubleClickTime()));
    Ctl("lblSiWW").SetCaption(std::to_string(system.GetSystemMetrics(kSmCxDoubleClk)));
    Ctl("lblSiHH").SetCaption(std::to_string(system.GetSystemMetrics(kSmCyDoubleClk)));
}

void frmMain::cmdApply_Click() { Apply(); }

bool frmMain::Apply() {
    program_.DoubleClickSpeed = Ctl("hscTT").Value();
    program_.DoubleClickWidth = Ctl("hscWW").Value();
    program_.DoubleClickHeight = Ctl("hscHH").Value();
    const bool stored = program_.ApplyDoubleClickSettings();
    ShowSystemValues();
    Ctl("cmdApply").SetEnabled(false);
    if (!stored) program_.ReportSettingsNotSaved();
    return stored;
}

void frmMain::cmdOK_Click() {
    // After a refused store the window stays, so the user sees the values were not kept.
    if (Ctl("cmdApply").Enabled() && !Apply()) return;
    Unload();  // the program's only window: the program ends
}

void frmMain::cmdCandel_Click() {
    Unload();  // the program's only window: the program ends
}

void frmMain::imgOFF_DblClick() { SetTestArea(true); }

void frmMain::imgON_DblClick() { SetTestArea(false); }

void frmMain::SetTestArea(bool on) {
    ui::Control& shown = Ctl(on ? "imgON" : "imgOFF");
    ui::Control& hidden = Ctl(on ? "imgOFF" : "imgON");
    hidden.SetVisible(false);
    hidden.SetEnabled(false);
    shown.SetVisible(true);
    shown.SetEnabled(true);
    Ctl("picTest").SetBackColor(on ? kTestOn : kTestOff);
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
