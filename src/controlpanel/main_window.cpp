#include "controlpanel/main_window.h"

#include "controlpanel/calibration.h"
#include "controlpanel/feedback_sound.h"
#include "controlpanel/mcu_info.h"
#include "controlpanel/mouse_speed.h"
#include "controlpanel/power_save.h"
#include "controlpanel/serial_port.h"
#include "controlpanel/support.h"
#include "controlpanel/touch_test.h"
#include "controlpanel/virtual_button.h"
#include "shared/about.h"
#include "shared/forms.h"

namespace kesma::controlpanel {

namespace {

constexpr int kButtonLeft = 480, kButtonWidth = 1695, kRowHeight = 435;
constexpr int kBoxLeft = 2280, kBoxWidth = 3855;
constexpr int kLabelInset = 120, kLabelHeight = 195;
// Up to the box's inner edge (one pixel of border).
constexpr int kLabelWidth = kBoxWidth - kLabelInset - 15;
constexpr ui::Color kSummaryBox = ui::Rgb(224, 224, 224);
constexpr ui::Color kExitBack = ui::Rgb(192, 192, 192);

constexpr int kKeyM = 77;
constexpr int kAllModifiers = ui::kShiftMask | ui::kCtrlMask | ui::kAltMask;

ui::Control& AddButton(ui::Form& form, const std::string& name, const std::string& caption, int top) {
    ui::Control& button = form.Add(ui::Kind::Button, name, kButtonLeft, top, kButtonWidth, kRowHeight);
    button.SetCaption(caption);
    return button;
}

// A summary box with its label, to the right of a button. Every label runs to the end
// of its box, so that the longest lines (the port in use, a power-down time in minutes
// and seconds) fit.
void AddSummary(ui::Form& form, const std::string& row, int top, const std::string& designText) {
    form.Add(ui::Kind::Shape, "shp" + row, kBoxLeft, top, kBoxWidth, kRowHeight).SetBackColor(kSummaryBox);
    ui::Control& label = form.Add(ui::Kind::Label, "lbl" + row, kBoxLeft + kLabelInset, top + kLabelInset,
                                  kLabelWidth, kLabelHeight);
    label.SetBackColor(kSummaryBox);
    label.SetCaption(designText);
}

}  // namespace

frmMain::frmMain(ui::App& app, ControlPanel& cp) : ui::Form(app, "frmMain", 6645, 5520), cp_(cp) {
    cp_.Main = this;
    SetCaption("MAIN");
    AddVendorHeader(*this, kControlPanelHeader);

    ui::Control& serialPort = AddButton(*this, "cmdSerialPort", "&Serial Port", 1500);
    AddSummary(*this, "UsingDevice", 1500, "COM?, Port=????h, IRQ=??, ????? BPS");
    AddButton(*this, "cmdVirtualButton", "&Virtual Button", 2100);
    AddSummary(*this, "VirtualButton", 2100, "Drag Drop Mode");
    AddButton(*this, "cmdFeedbackSound", "&Feedback Sound", 2700);
    AddSummary(*this, "FeedbackSound", 2700, "Silence");
    AddButton(*this, "cmdMouseSpeed", "&Mouse Speed", 3300);
    AddSummary(*this, "MouseSpeed", 3300, "");
    AddButton(*this, "cmdSleepTime", "&Power Save", 3900);
    AddSummary(*this, "SleepTime", 3900, "Disable Power Down Function");

    AddButton(*this, "cmdCalibration", "&Calibration", 4500);
    Add(ui::Kind::Shape, "shpCalibration", kBoxLeft, 4500, 1695, kRowHeight).SetBackColor(kSummaryBox);
    Add(ui::Kind::ComboBox, "cboCalibration", 2340, 4560, 1600, 315);
    Add(ui::Kind::Button, "cmdSupport", 4080, 4500, 975, kRowHeight).SetCaption("S&upport");
    ui::Control& exit = Add(ui::Kind::Button, "cmdExit", 5160, 4500, 975, kRowHeight);
    exit.SetCaption("E&xit");
    exit.SetBackColor(kExitBack);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { Form_Unload(); };
    OnKeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    serialPort.OnClick = [this] { cmdSerialPort_Click(); };
    serialPort.OnMouseDown = [this](int button, int shift, int, int) { cmdSerialPort_MouseDown(button, shift); };
    Ctl("cmdVirtualButton").OnClick = [this] { cmdVirtualButton_Click(); };
    Ctl("cmdFeedbackSound").OnClick = [this] { cmdFeedbackSound_Click(); };
    Ctl("cmdMouseSpeed").OnClick = [this] { cmdMouseSpeed_Click(); };
    Ctl("cmdSleepTime").OnClick = [this] { cmdSleepTime_Click(); };
    Ctl("cmdCalibration").OnClick = [this] { cmdCalibration_Click(); };
    Ctl("cmdSupport").OnClick = [this] { cmdSupport_Click(); };
    exit.OnClick = [this] { cmdExit_Click(); };
    exit.OnMouseDown = [this](int button, int shift, int, int) { cmdExit_MouseDown(button, shift); };
    Ctl("imgIcon").OnDblClick = [this] { imgIcon_DblClick(); };
    Ctl("cboCalibration").OnClick = [this] { cboCalibration_Click(); };
}

void frmMain::EndProgram() { app().End(); }

void frmMain::Form_Load() {
    ShowTitleAndVersion(*this, kAppTitle);

    if (!PassSingleInstanceGuard(app(), cp_.platform.Get<ProcessPort>(), cp_.platform.Get<WindowPort>(), kProgramName,
                                 Handle(), Caption())) {
        EndProgram();
        return;
    }

    HideMouseSpeedRow();
    SetKeyPreview(true);  // Alt+M reaches the window before its buttons

    app().SetPointer(ui::Pointer::Hourglass);
    const bool storeLoaded = cp_.Store.InitSettingsStore();
    app().SetPointer(ui::Pointer::Default);
    if (!storeLoaded) {
        ShowError(app(), kVendorValuesMissing, Caption());
        EndProgram();
        return;
    }

    cp_.Branding.ApplyVendorHeader(*this);
    ChooseSupportButton();

    app().SetPointer(ui::Pointer::Hourglass);
    cp_.Names.Fill();

    if (!cp_.Link.OpenTouchDevice()) {
        ReportOpenFailure(app(), app().Title());
        EndProgram();
        return;
    }

    DiscoverComPorts(cp_.platform.Get<DeviceEnumPort>(), cp_.PortRecords);
    for (PortResources& record : cp_.PortRecords) {
        if (record.ComNumber > 0) cp_.Link.SetPortResources(record);
    }

    cp_.Link.GetSettings();
    if (cp_.Link.Settings.ComPort == 0) {
        ReportControllerNotFound(app(), Caption());
        cp_.Link.CloseTouchDevice();
        EndProgram();
        return;
    }

    FillSummaryLines();
    FillCalibrationModes();

    CentreWindow(*this);
    CentreIcon(*this);
    app().SetPointer(ui::Pointer::Default);
}

void frmMain::HideMouseSpeedRow() {
    ui::Control& speedButton = Ctl("cmdMouseSpeed");
    speedButton.SetEnabled(false);
    speedButton.SetVisible(false);
    Ctl("shpMouseSpeed").SetVisible(false);
    Ctl("lblMouseSpeed").SetEnabled(false);
    Ctl("lblMouseSpeed").SetVisible(false);

    // Close the gap: the rows below move up by one row.
    ui::Control& sleepButton = Ctl("cmdSleepTime");
    ui::Control& calibration = Ctl("cmdCalibration");
    SetHeight(Height() - (calibration.Top() - sleepButton.Top()));
    const int lastRowTop = sleepButton.Top();
    calibration.SetTop(lastRowTop);
    Ctl("shpCalibration").SetTop(lastRowTop);
    Ctl("cboCalibration").SetTop(Ctl("shpCalibration").Top() + 60);
    Ctl("cmdSupport").SetTop(lastRowTop);
    Ctl("cmdExit").SetTop(lastRowTop);
    sleepButton.SetTop(speedButton.Top());
    Ctl("shpSleepTime").SetTop(Ctl("shpMouseSpeed").Top());
    Ctl("lblSleepTime").SetTop(Ctl("lblMouseSpeed").Top());
}

void frmMain::ChooseSupportButton() {
    ui::Control& support = Ctl("cmdSupport");
    const std::string& installPath = cp_.Store.InstallPath;
    if (FileExists(cp_.platform.Get<FilePort>(), installPath + "\\TSVender.Cut")) {
        support.SetCaption("");
        support.SetVisible(false);
        return;
    }
    cp_.SupportBitmapPath = installPath + "\\TSVender.Bmp";
    if (!FileExists(cp_.platform.Get<FilePort>(), cp_.SupportBitmapPath)) support.SetCaption("&About");
}

void frmMain::FillSummaryLines() {
    const DeviceSettings& s = cp_.Link.Settings;
    const NameTables& names = cp_.Names;
    Ctl("lblUsingDevice").SetCaption(PortInUseText(names, s));
    Ctl("lblSleepTime").SetCaption(PowerDownText(s.IdleTime));
    Ctl("lblVirtualButton").SetCaption(TouchModeText(names, s.TouchMode, s.RightButton, s.RbAutoMode));
    Ctl("lblFeedbackSound").SetCaption(SoundText(names, s.SoundMode));
    Ctl("lblMouseSpeed").SetCaption(SpeedText(names, s.SpeedH, s.SpeedV, s.Acceleration, s.BypassMode));
}

void frmMain::FillCalibrationModes() {
    if (!cp_.Store.LoadCalibrationMode()) cp_.Store.CalibrationMode = 1;
    ui::Control& modes = Ctl("cboCalibration");
    modes.AddItem(" 4 points, mode 1");
    modes.AddItem(" 4 points, mode 2");
    std::int32_t& mode = cp_.Store.CalibrationMode;
    if (mode < 0 || mode >= modes.ListCount()) mode = 1;
    // The selection runs the click handler, which writes the mode back at every start.
    modes.SetListIndex(mode);
}

void frmMain::Form_Unload() { cp_.Link.CloseTouchDevice(); }

void frmMain::Form_KeyDown(int keyCode, int shift) {
    // Alt+M is the only way to the mouse speed dialog: its button stays hidden.
    if (keyCode == kKeyM && shift == ui::kAltMask) cmdMouseSpeed_Click();
}

template <class Dialog, class... Args>
void frmMain::ShowThenHide(Args&&... args) {
    SetMousePointer(ui::Pointer::Hourglass);
    app().Create<Dialog>(std::forward<Args>(args)...).Show();
    Hide();
    SetMousePointer(ui::Pointer::Default);
}

// The hourglass is the main window's own: a dialog that runs in its Show (the calibration)
// shows its own pointer.
template <class Dialog, class... Args>
void frmMain::HideThenShow(Args&&... args) {
    SetMousePointer(ui::Pointer::Hourglass);
    Hide();
    app().Create<Dialog>(std::forward<Args>(args)...).Show();
    SetMousePointer(ui::Pointer::Default);
}

void frmMain::cmdSerialPort_Click() { ShowThenHide<frmSerialPort>(cp_); }

void frmMain::cmdSerialPort_MouseDown(int button, int shift) {
    if (button == ui::kRightButton && shift == kAllModifiers) ShowThenHide<frmMcuInfo>(cp_);
}

void frmMain::cmdVirtualButton_Click() { ShowThenHide<frmVirtualButton>(cp_); }

void frmMain::cmdFeedbackSound_Click() { ShowThenHide<frmFeedbackSound>(cp_); }

void frmMain::cmdMouseSpeed_Click() { ShowThenHide<frmMouseSpeed>(cp_); }

void frmMain::cmdSleepTime_Click() { ShowThenHide<frmSleepTime>(cp_); }

void frmMain::cmdCalibration_Click() { HideThenShow<frmCalibration>(cp_); }

void frmMain::cmdSupport_Click() {
    if (FileExists(cp_.platform.Get<FilePort>(), cp_.SupportBitmapPath)) {
        HideThenShow<frmSupport>(cp_);
    } else {
        imgIcon_DblClick();
    }
}

void frmMain::imgIcon_DblClick() {
    HideThenShow<frmAbout>(cp_.Branding, [this] { cp_.ReturnToMainWindow(); });
}

void frmMain::cmdExit_Click() {
    Unload();
    app().End();
}

void frmMain::cmdExit_MouseDown(int button, int shift) {
    if (button == ui::kRightButton && shift == kAllModifiers) ShowThenHide<frmTest>(cp_);
}

void frmMain::cboCalibration_Click() {
    cp_.Store.CalibrationMode = Ctl("cboCalibration").ListIndex();
    cp_.Store.SaveCalibrationMode();
}

}  // namespace kesma::controlpanel
