#include "removal/removal.h"

#include <cmath>

#include "setup/progress_window.h"
#include "setup/restart.h"
#include "shared/about.h"
#include "shared/forms.h"
#include "shared/pause.h"

namespace kesma::removal {

namespace {

constexpr int kClientWidth = 6540, kClientHeight = 4140;
constexpr int kButtonWidth = 1215, kButtonHeight = 435, kButtonTop = 3360;
constexpr ui::Color kButtonShadow = 0x80000010;
constexpr ui::Color kButtonHighlight = 0x80000014;
constexpr int kWaitRounds = 10;
constexpr std::uint32_t kWaitRoundMs = 1000;

// The control panel's header with the removal program's name.
constexpr HeaderDesign kRemovalHeader = [] {
    HeaderDesign design = kControlPanelHeader;
    design.systemCaption = "TouchScreen Software Removal Version ";
    return design;
}();

// An etched line is a shape one pixel high in one colour.
ui::Shape& AddLine(ui::Form& form, const std::string& name, ui::Color color) {
    ui::Shape& line = form.Add<ui::Shape>(name, 0, 0, 0, 15);
    line.SetForeColor(color);
    line.SetBackColor(color);
    return line;
}

int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

std::string WaitFailure(WaitResult result) {
    switch (result) {
    case WaitResult::Ended: break;
    case WaitResult::Failed: return "WAIT_FAILED";
    case WaitResult::Abandoned: return "WAIT_ABANDONED";
    case WaitResult::TimedOut: return "WAIT_TIMEOUT";
    }
    return "";
}

// An uninstaller reports its own failure (refused rights, a file it could not remove) only
// by a non-zero exit status.
std::string ExitFailure(ProcessControlPort& processes, Handle process) {
    std::uint32_t exitCode = 0;
    if (!processes.GetExitCodeProcess(process, exitCode)) return "GetExitCodeProcess";
    return exitCode == 0 ? "" : "unins000.exe exit code " + std::to_string(exitCode);
}

}  // namespace

WaitResult WaitForUninstaller(ui::App& app, ProcessControlPort& processes, Handle process) {
    for (int counter = 0; counter < kWaitRounds; ++counter) {
        app.DoEvents(0);
        const std::uint32_t result = processes.WaitForSingleObject(process, kWaitRoundMs);
        if (result == kWaitObject0) return WaitResult::Ended;
        if (result == kWaitFailed) return WaitResult::Failed;
        if (result == kWaitAbandoned) return WaitResult::Abandoned;
    }
    return WaitResult::TimedOut;
}

frmMain::frmMain(ui::App& app, Platform& platform)
    : VendorForm(app, "frmMain", kClientWidth, kClientHeight, kRemovalHeader),
      shpRemoval(Add<ui::Shape>("shpRemoval", 480, 1260, 5580, 1500)),
      imgRemoval(Add<ui::Image>("imgRemoval", 720, 1440, 480, 480)),
      lblAsk(Add<ui::Label>("lblAsk", 1440, 1380, 4440, 600)),
      lblText(Add<ui::Label>("lblText", 1440, 2040, 4440, 600)),
      linEtchShadow(AddLine(*this, "linEtchShadow", kButtonShadow)),
      linEtchHighlight(AddLine(*this, "linEtchHighlight", kButtonHighlight)),
      cmdYes(Add<ui::Button>("cmdYes", 0, kButtonTop, kButtonWidth, kButtonHeight)),
      cmdNo(Add<ui::Button>("cmdNo", 0, kButtonTop, kButtonWidth, kButtonHeight)),
      platform_(platform),
      services_(platform) {
    SetCaption("Removal");
    imgRemoval.SetIconPicture();
    lblText.SetCaption("If Removal is complete, TouchScreen will not work next time when you start Windows!");
    cmdYes.SetCaption("&Yes");
    cmdNo.SetCaption("&No");
    cmdNo.SetDefault(true);
    cmdNo.SetCancel(true);

    OnLoad = [this] { Form_Load(); };
    cmdYes.OnClick = [this] { cmdYes_Click(); };
    cmdNo.OnClick = [this] { cmdNo_Click(); };
    imgIcon.OnDblClick = [this] { imgIcon_DblClick(); };
}

void frmMain::Form_Load() {
    ShowTitleAndVersion(*this, kRemovalTitle);

    app().SetPointer(ui::Pointer::Hourglass);
    const bool loaded = services_.Store.InitSettingsStore();
    app().SetPointer(ui::Pointer::Default);
    if (!loaded) {
        app().MsgBox(kVendorValuesMissing, ui::kMbOk, Caption());
        app().End();
        return;
    }
    services_.Branding.ApplyVendorHeader(*this);
    lblAsk.SetCaption("Are you sure you want to completely remove " + std::string("TouchScreen V.") +
                             kVersion + " and all of its components?");
    LayOut();
    CentreWindow(*this);
    CentreIcon(*this);
}

// The window is wide enough for two buttons and its caption; the frame is centred, the
// buttons are a centred pair half a button apart, and an etched line runs above them.
void frmMain::LayOut() {
    const int captionWidth = app().Screen().PixelsToTwipsX(app().MeasureText(ui::Font{}, Caption()).widthPx);
    if (2 * cmdYes.Width() + captionWidth > Width()) SetWidth(2 * cmdYes.Width() + captionWidth);
    shpRemoval.SetLeft((ScaleWidth() - shpRemoval.Width()) / 2);
    // "\" rounds its dividend to a whole number first.
    cmdYes.SetLeft(Round(ScaleWidth() - 1.5 * cmdYes.Width() - cmdNo.Width()) / 2);
    cmdNo.SetLeft(Round(cmdYes.Left() + 1.5 * cmdYes.Width()));
    const int lineTop = cmdYes.Top() - Round(cmdNo.Height() / 2.0);
    const int pixel = app().Screen().PixelsToTwipsY(1);
    linEtchShadow.Move(shpRemoval.Left() - 50, lineTop, shpRemoval.Width() + 100, pixel);
    linEtchHighlight.Move(shpRemoval.Left() - 55, lineTop + 20, shpRemoval.Width() + 110, pixel);
}

void frmMain::cmdNo_Click() {
    Unload();
    app().End();
}

void frmMain::imgIcon_DblClick() {
    Hide();
    app().Create<frmAbout>(services_.Branding, [this] { Show(); }).Show();
}

void CloseCompanions(ProgramServices& services) {
    if (!services.Link.OpenTouchDevice()) return;
    services.Programs.CloseRightButtonProgram();
    services.Programs.CloseSmiProgram();
    services.Link.CloseTouchDevice();
}

std::string frmMain::RunUninstaller() {
    ProcessControlPort& processes = platform_.Get<ProcessControlPort>();
    const std::string commandLine = CompanionCommandLine(services_.Store.InstallPath, "unins000.exe") + " /SILENT";
    std::uint32_t processId = 0;
    kesma::Handle started = 0;
    if (!processes.CreateProcessA(commandLine, processId, started)) return "unins000.exe cannot be started";
    // The start's own handle is kept to the end: it keeps an uninstaller that ends at once
    // there to be opened, and it may read the exit status, which the SYNCHRONIZE handle
    // that is waited on may not.
    const kesma::Handle process = processes.OpenProcess(kSynchronize, false, processId);
    std::string failure;
    if (process == 0) {
        failure = "Startup";
    } else {
        failure = WaitFailure(WaitForUninstaller(app(), processes, process));
        processes.CloseHandle(process);
        if (failure.empty()) failure = ExitFailure(processes, started);
    }
    processes.CloseHandle(started);
    return failure;
}

void frmMain::cmdYes_Click() {
    Hide();
    CloseCompanions(services_);
    auto& progress = app().Create<setup::frmMessage>(false);
    progress.ShowProgressMessage("Removing files from your system...");
    Pause(app(), 3);
    if (const std::string failure = RunUninstaller(); !failure.empty()) {
        app().MsgBox("Fail to remove files! (" + failure + ")",
                     ui::kMbOk | ui::kMbIconWarning | ui::kMbSystemModal, app().Title());
        app().End();
        return;
    }
    platform_.Get<ProcessControlPort>().MoveFileExA(services_.Store.WindowsPath + "\\Kesmawipe.exe",
                                                    kMoveFileDelayUntilReboot);
    Pause(app(), 10);
    progress.Unload();
    app().MsgBox("Removal is complete to uninstall TouchScreen drivers and utilities.\r\n\r\n"
                 "The Windows must be restarted.",
                 ui::kMbOk | ui::kMbIconInformation | ui::kMbSystemModal, app().Title());
    setup::RestartWindows(app(), platform_.Get<RestartPort>());
    app().End();
}

}  // namespace kesma::removal
