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

ui::Button& AddButton(ui::Form& form, const std::string& name, const std::string& caption, int top) {
    ui::Button& button = form.Add<ui::Button>(name, kButtonLeft, top, kButtonWidth, kRowHeight);
    button.SetCaption(caption);
    return button;
}

// A summary box, to the right of a button, and its label. Every label runs to the end of
// its box, so that the longest lines (the port in use, a power-down time in minutes and
// seconds) fit.
ui::Shape& AddSummaryBox(ui::Form& form, const std::string& row, int top, int width = kBoxWidth) {
    ui::Shape& box = form.Add<ui::Shape>("shp" + row, kBoxLeft, top, width, kRowHeight);
    box.SetBackColor(kSummaryBox);
    return box;
}

ui::Label& AddSummary(ui::Form& form, const std::string& row, int top, const std::string& designText) {
    ui::Label& label =
        form.Add<ui::Label>("lbl" + row, kBoxLeft + kLabelInset, top + kLabelInset, kLabelWidth, kLabelHeight);
    label.SetBackColor(kSummaryBox);
    label.SetCaption(designText);
    return label;
}

}  // namespace

frmMain::frmMain(ui::App& app, ControlPanel& cp)
    : VendorForm(app, "frmMain", 6645, 5520, kControlPanelHeader),
      cmdSerialPort(AddButton(*this, "cmdSerialPort", "&Serial Port", 1500)),
      shpUsingDevice(AddSummaryBox(*this, "UsingDevice", 1500)),
      lblUsingDevice(AddSummary(*this, "UsingDevice", 1500, "COM?, Port=????h, IRQ=??, ????? BPS")),
      cmdVirtualButton(AddButton(*this, "cmdVirtualButton", "&Virtual Button", 2100)),
      shpVirtualButton(AddSummaryBox(*this, "VirtualButton", 2100)),
      lblVirtualButton(AddSummary(*this, "VirtualButton", 2100, "Drag Drop Mode")),
      cmdFeedbackSound(AddButton(*this, "cmdFeedbackSound", "&Feedback Sound", 2700)),
      shpFeedbackSound(AddSummaryBox(*this, "FeedbackSound", 2700)),
      lblFeedbackSound(AddSummary(*this, "FeedbackSound", 2700, "Silence")),
      cmdMouseSpeed(AddButton(*this, "cmdMouseSpeed", "&Mouse Speed", 3300)),
      shpMouseSpeed(AddSummaryBox(*this, "MouseSpeed", 3300)),
      lblMouseSpeed(AddSummary(*this, "MouseSpeed", 3300, "")),
      cmdSleepTime(AddButton(*this, "cmdSleepTime", "&Power Save", 3900)),
      shpSleepTime(AddSummaryBox(*this, "SleepTime", 3900)),
      lblSleepTime(AddSummary(*this, "SleepTime", 3900, "Disable Power Down Function")),
      cmdCalibration(AddButton(*this, "cmdCalibration", "&Calibration", 4500)),
      shpCalibration(AddSummaryBox(*this, "Calibration", 4500, 1695)),
      cboCalibration(Add<ui::ComboBox>("cboCalibration", 2340, 4560, 1600, 315)),
      cmdSupport(Add<ui::Button>("cmdSupport", 4080, 4500, 975, kRowHeight)),
      cmdExit(Add<ui::Button>("cmdExit", 5160, 4500, 975, kRowHeight)),
      cp_(cp) {
    cp_.Main = this;
    SetCaption("MAIN");
    cmdSupport.SetCaption("S&upport");
    cmdExit.SetCaption("E&xit");
    cmdExit.SetBackColor(kExitBack);

    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { Form_Unload(); };
    OnKeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    cmdSerialPort.OnClick = [this] { cmdSerialPort_Click(); };
    cmdSerialPort.OnMouseDown = [this](int button, int shift, int, int) { cmdSerialPort_MouseDown(button, shift); };
    cmdVirtualButton.OnClick = [this] { cmdVirtualButton_Click(); };
    cmdFeedbackSound.OnClick = [this] { cmdFeedbackSound_Click(); };
    cmdMouseSpeed.OnClick = [this] { cmdMouseSpeed_Click(); };
    cmdSleepTime.OnClick = [this] { cmdSleepTime_Click(); };
    cmdCalibration.OnClick = [this] { cmdCalibration_Click(); };
    cmdSupport.OnClick = [this] { cmdSupport_Click(); };
    cmdExit.OnClick = [this] { cmdExit_Click(); };
    cmdExit.OnMouseDown = [this](int button, int shift, int, int) { cmdExit_MouseDown(button, shift); };
    imgIcon.OnDblClick = [this] { imgIcon_DblClick(); };
    cboCalibration.OnClick = [this] { cboCalibration_Click(); };
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
    cmdMouseSpeed.SetEnabled(false);
    cmdMouseSpeed.SetVisible(false);
    shpMouseSpeed.SetVisible(false);
    lblMouseSpeed.SetEnabled(false);
    lblMouseSpeed.SetVisible(false);

    // Close the gap: the rows below move up by one row.
    SetHeight(Height() - (cmdCalibration.Top() - cmdSleepTime.Top()));
    const int lastRowTop = cmdSleepTime.Top();
    cmdCalibration.SetTop(lastRowTop);
    shpCalibration.SetTop(lastRowTop);
    cboCalibration.SetTop(shpCalibration.Top() + 60);
    cmdSupport.SetTop(lastRowTop);
    cmdExit.SetTop(lastRowTop);
    cmdSleepTime.SetTop(cmdMouseSpeed.Top());
    shpSleepTime.SetTop(shpMouseSpeed.Top());
    lblSleepTime.SetTop(lblMouseSpeed.Top());
}

void frmMain::ChooseSupportButton() {
    const std::string& installPath = cp_.Store.InstallPath;
    if (FileExists(cp_.platform.Get<FilePort>(), installPath + "\\TSVender.Cut")) {
        cmdSupport.SetCaption("");
        cmdSupport.SetVisible(false);
        return;
    }
    cp_.SupportBitmapPath = installPath + "\\TSVender.Bmp";
    if (!FileExists(cp_.platform.Get<FilePort>(), cp_.SupportBitmapPath)) cmdSupport.SetCaption("&About");
}

void frmMain::FillSummaryLines() {
    const DeviceSettings& s = cp_.Link.Settings;
    const NameTables& names = cp_.Names;
    lblUsingDevice.SetCaption(PortInUseText(names, s));
    lblSleepTime.SetCaption(PowerDownText(s.IdleTime));
    lblVirtualButton.SetCaption(TouchModeText(names, s.TouchMode, s.RightButton, s.RbAutoMode));
    lblFeedbackSound.SetCaption(SoundText(names, s.SoundMode));
    lblMouseSpeed.SetCaption(SpeedText(names, s.SpeedH, s.SpeedV, s.Acceleration, s.BypassMode));
}

void frmMain::FillCalibrationModes() {
    if (!cp_.Store.LoadCalibrationMode()) cp_.Store.CalibrationMode = 1;
    cboCalibration.AddItem(" 4 points, mode 1");
    cboCalibration.AddItem(" 4 points, mode 2");
    std::int32_t& mode = cp_.Store.CalibrationMode;
    if (mode < 0 || mode >= cboCalibration.ListCount()) mode = 1;
    // The selection runs the click handler, which writes the mode back at every start.
    cboCalibration.SetListIndex(mode);
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
    cp_.Store.CalibrationMode = cboCalibration.ListIndex();
    cp_.Store.SaveCalibrationMode();
}

}  // namespace kesma::controlpanel
