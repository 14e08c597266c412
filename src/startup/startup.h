// Kesmaboot's program-wide state and its start-up run: the mode from the command
// line, the double-click and auto-scan values, the driver link and the companions.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "shared/services.h"
#include "ui/ui.h"

namespace kesma::startup {

inline constexpr const char* kAppTitle = " TouchScreen System Startup #Velorix";
inline constexpr const char* kProgramName = "Kesmaboot";

enum class Mode { StartupRun, DoubleClick, AutoScan };
// The whole argument text, in any letter case: exactly /SDC or /SAM, else the start-up run.
Mode ParseCommandLine(const std::string& arguments);

// What a scroll bar of the /SDC window can show. Windows is given no stored double-click
// value outside these ranges, at log-on either.
struct BarRange {
    std::int32_t min, max;
    std::int32_t Clamp(std::int32_t value) const { return std::clamp(value, min, max); }
};
inline constexpr BarRange kDoubleClickSpeedRange{100, 900};
inline constexpr BarRange kDoubleClickSizeRange{0, 64};

// The right-button step of the start-up run runs when the function is on, unless the
// automatic mode is on with drag-drop touch mode.
bool RightButtonStepRuns(const DeviceSettings& settings);

class Startup : public ProgramServices {
public:
    Startup(ui::App& app, Platform& platform, Mode mode);
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // Runs the mode: the main window first (splash or double-click window), then the
    // start-up run or the auto-scan dialog. Returns the exit code once it has ended.
    int Run();

    // The vendor values; on failure the error box, and the program ends (false).
    bool LoadVendorValues(ui::Form& window);
    // The stored double-click values, all three at their defaults when one is missing.
    void LoadDoubleClickValues();
    void LoadAutoScanValues();
    // False when the settings key refused the values.
    bool SaveAutoScanValues();
    // Windows, the user profile and the settings key; reports what Windows or the profile
    // refused. False when the settings key refused the values.
    bool ApplyDoubleClickSettings();
    // The box after a store under HKEY_LOCAL_MACHINE that failed (a user without
    // administrator rights).
    void ReportSettingsNotSaved();

    ui::App& app;
    Platform& platform;
    const Mode mode;

    std::int32_t DoubleClickSpeed = 500;
    std::int32_t DoubleClickWidth = 32;
    std::int32_t DoubleClickHeight = 32;
    std::int32_t AutoScanCOM = 0;
    std::int32_t AutoScanDevice = 0;
    ui::Form* Main = nullptr;  // frmMain while it is loaded

private:
    void StartupRun();
    void StartRightButton();
    // The settings key opened around one operation; false when it cannot be opened.
    template <class Operation>
    bool WithSettingsKey(Operation operation);
};

// The header of every window of the program. The version line spans the header, so that
// the version is not cut off.
// Cancel (Esc), OK (Enter) and Apply (disabled until a change) along the bottom of the
// program's windows, at the given top.
struct ApplyButtons {
    ui::Button& cmdCandel;
    ui::Button& cmdOK;
    ui::Button& cmdApply;
};
// `store` keeps the window's values and says whether the settings key took them. Apply
// stores, then disables itself and reports a refused store; OK applies when Apply is
// enabled and closes the window unless the store was refused, so the user sees the values
// were not kept; Cancel closes it. The window is the program's only one: closing it ends
// the program.
ApplyButtons AddApplyButtons(ui::Form& form, int top, Startup& program, std::function<bool()> store);

inline constexpr HeaderDesign kStartupHeader{"TouchScreen System Startup Version ", 420, 5220, 0, 0, 2940, 465,
                                             0, 600, 4740};

}  // namespace kesma::startup
