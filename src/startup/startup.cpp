#include "startup/startup.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "startup/auto_scan.h"
#include "startup/main_window.h"
#include "shared/forms.h"
#include "shared/pause.h"

namespace kesma::startup {

namespace {
constexpr const char* kMouseKeyName = "Control Panel";
constexpr const char* kMouseSubKey = "Mouse";
}  // namespace

Mode ParseCommandLine(const std::string& arguments) {
    std::string upper = arguments;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper == "/SDC") return Mode::DoubleClick;
    if (upper == "/SAM") return Mode::AutoScan;
    return Mode::StartupRun;
}

ApplyButtons AddApplyButtons(ui::Form& form, int top, Startup& program, std::function<bool()> store) {
    ApplyButtons row{form.Add<ui::Button>("cmdCandel", 900, top, 1275, 495),
                     form.Add<ui::Button>("cmdOK", 2580, top, 1275, 495),
                     form.Add<ui::Button>("cmdApply", 4260, top, 1275, 495)};
    row.cmdCandel.SetCaption("&Cancel");
    row.cmdCandel.SetCancel(true);
    row.cmdOK.SetCaption("&OK");
    row.cmdOK.SetDefault(true);
    row.cmdApply.SetCaption("&Apply");
    row.cmdApply.SetEnabled(false);

    auto apply = [&program, &applyButton = row.cmdApply, store = std::move(store)] {
        const bool stored = store();
        applyButton.SetEnabled(false);
        if (!stored) program.ReportSettingsNotSaved();
        return stored;
    };
    row.cmdApply.OnClick = [apply] { apply(); };
    row.cmdOK.OnClick = [&form, &applyButton = row.cmdApply, apply] {
        if (applyButton.Enabled() && !apply()) return;
        form.Unload();
    };
    row.cmdCandel.OnClick = [&form] { form.Unload(); };
    return row;
}

bool RightButtonStepRuns(const DeviceSettings& settings) {
    return settings.RightButton == 1 && !(settings.RbAutoMode != 0 && settings.TouchMode == KESMA_DRAG_DROP_MODE);
}

Startup::Startup(ui::App& application, Platform& ports, Mode startMode)
    : ProgramServices(ports), app(application), platform(ports), mode(startMode) {}

int Startup::Run() {
    frmMain& main = app.Create<frmMain>(*this);
    main.Show();
    if (app.Ended()) return app.ExitCode();
    if (mode == Mode::AutoScan) {
        // Loaded before the splash goes, so that the program does not end in between.
        ui::Form& dialog = app.Create<frmAutoScan>(*this);
        dialog.Load();
        main.Unload();
        dialog.Show();
    } else if (mode == Mode::StartupRun) {
        StartupRun();
        if (!app.Ended()) main.Unload();
        return app.ExitCode();
    }
    return app.Run();
}

bool Startup::LoadVendorValues(ui::Form& window) {
    app.SetPointer(ui::Pointer::Hourglass);
    const bool loaded = Store.InitSettingsStore();
    app.SetPointer(ui::Pointer::Default);
    if (loaded) return true;
    ShowError(app, kVendorValuesMissing, window.Caption());
    app.End();
    return false;
}

template <class Operation>
bool Startup::WithSettingsKey(Operation operation) {
    HKey key = 0;
    std::string subKey = Store.SettingsSubKey;
    if (!Reg.CreateRegKey(Store.SettingsRoot, Store.SettingsKeyName, subKey, key)) return false;
    const bool ok = operation(key);
    Reg.CloseRegKey(key);
    return ok;
}

void Startup::LoadDoubleClickValues() {
    std::int32_t speed = 0, width = 0, height = 0;
    const bool ok = WithSettingsKey([&](HKey key) {
        return Reg.QueryRegDword(key, "DoubleClickSpeed", speed) && Reg.QueryRegDword(key, "DoubleClickWidth", width) &&
               Reg.QueryRegDword(key, "DoubleClickHeight", height);
    });
    if (ok) {
        DoubleClickSpeed = speed;
        DoubleClickWidth = width;
        DoubleClickHeight = height;
    } else {
        DoubleClickSpeed = 500;
        DoubleClickWidth = 32;
        DoubleClickHeight = 32;
    }
}

void Startup::LoadAutoScanValues() {
    std::int32_t port = 0, device = 0;
    const bool ok = WithSettingsKey([&](HKey key) {
        return Reg.QueryRegDword(key, "AutoScanCOM", port) && Reg.QueryRegDword(key, "AutoScanDevice", device);
    });
    AutoScanCOM = ok ? port : 0;
    AutoScanDevice = ok ? device : 0;
}

bool Startup::SaveAutoScanValues() {
    return WithSettingsKey([this](HKey key) {
        const bool port = Reg.SetRegDword(key, "AutoScanCOM", AutoScanCOM);
        const bool device = Reg.SetRegDword(key, "AutoScanDevice", AutoScanDevice);
        return port && device;
    });
}

void Startup::ReportSettingsNotSaved() {
    ShowError(app, "Fail to save settings for every user!\r\n\r\nAdministrator rights are needed.", kAppTitle);
}

bool Startup::ApplyDoubleClickSettings() {
    std::string failed;
    SystemPort& system = platform.Get<SystemPort>();
    const struct {
        unsigned action;
        std::int32_t value;
        char flag;
    } parameters[] = {{kSpiSetDoubleClkWidth, DoubleClickWidth, 'W'},
                      {kSpiSetDoubleClkHeight, DoubleClickHeight, 'H'},
                      {kSpiSetDoubleClickTime, DoubleClickSpeed, 'T'}};
    // The user profile is written below, so Windows is only told to broadcast the change.
    for (const auto& p : parameters) {
        if (!system.SystemParametersInfoA(p.action, static_cast<unsigned>(p.value), nullptr, kSpifSendWinIniChange))
            failed += p.flag;
    }

    bool stored = true;  // not tried when the profile's key cannot be opened (reported as R)
    HKey key = 0;
    std::string subKey = kMouseSubKey;
    if (Reg.CreateRegKey(kHkeyCurrentUser, kMouseKeyName, subKey, key)) {
        const struct {
            const char* name;
            std::int32_t value;
            char flag;
        } profile[] = {{"DoubleClickWidth", DoubleClickWidth, 'w'},
                       {"DoubleClickHeight", DoubleClickHeight, 'h'},
                       {"DoubleClickSpeed", DoubleClickSpeed, 't'}};
        for (const auto& v : profile) {
            if (!Reg.SetRegString(key, v.name, std::to_string(v.value))) failed += v.flag;
        }
        Reg.CloseRegKey(key);
        stored = WithSettingsKey([this](HKey settings) {
            const bool speed = Reg.SetRegDword(settings, "DoubleClickSpeed", DoubleClickSpeed);
            const bool width = Reg.SetRegDword(settings, "DoubleClickWidth", DoubleClickWidth);
            const bool height = Reg.SetRegDword(settings, "DoubleClickHeight", DoubleClickHeight);
            return speed && width && height;
        });
    } else {
        failed += 'R';
    }
    if (!failed.empty()) ShowError(app, "Fail to SetDoubleClock (" + failed + ")!", kAppTitle);
    return stored;
}

void Startup::StartupRun() {
    // A value stored by hand or by an older version may lie outside what the /SDC window
    // can store; it is applied at the nearest end of its bar. The store under
    // HKEY_LOCAL_MACHINE fails for every standard user at log-on: not reported.
    DoubleClickSpeed = kDoubleClickSpeedRange.Clamp(DoubleClickSpeed);
    DoubleClickWidth = kDoubleClickSizeRange.Clamp(DoubleClickWidth);
    DoubleClickHeight = kDoubleClickSizeRange.Clamp(DoubleClickHeight);
    ApplyDoubleClickSettings();
    if (!Link.OpenTouchDevice()) {
        ReportOpenFailure(app, kAppTitle);
        return;
    }
    Link.GetSettings();
    if (Link.Settings.ComPort == 0) {
        ReportControllerNotFound(app, kAppTitle);
        Link.CloseTouchDevice();
        return;
    }
    if (!Programs.StartSmiProgram()) {
        SystemPort& system = platform.Get<SystemPort>();
        Link.Settings.ScreenWidth = static_cast<std::uint16_t>(system.GetSystemMetrics(kSmCxScreen));
        Link.Settings.ScreenHeight = static_cast<std::uint16_t>(system.GetSystemMetrics(kSmCyScreen));
        Link.SetScreenSize();
    }
    if (RightButtonStepRuns(Link.Settings)) StartRightButton();
    Link.CloseTouchDevice();
    Pause(app, 1);
}

void Startup::StartRightButton() {
    Link.GetRightButtonWindow();
    const std::int32_t registered = Link.RightButtonSlot.Window;
    if (registered == KESMA_NO_WINDOW && !Programs.StartRightButtonProgram()) {
        ShowError(app, "Fail to initialize Right Button Function!", kAppTitle);
    }
    // A copy started just now is not told to hide: only one that was already running.
    if (Link.Settings.RbAutoMode == 1 && registered != KESMA_NO_WINDOW) Programs.NotifyCalibrationStart();
}

}  // namespace kesma::startup
