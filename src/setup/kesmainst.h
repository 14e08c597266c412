// Kesmainst: imports the installation's setup.ini and setup.oem into the settings key
// and restarts Windows; with /XPEFBASETUP (any letter case) silently and without restart.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/ui.h"

namespace kesma::setup {

inline constexpr const char* kSetupTitle = "TouchScreen Driver Installation";

// The whole argument text equals /XPEFBASETUP without regard to letter case.
bool IsSilentSwitch(const std::string& arguments);

// The whole run; app's title is kSetupTitle. The app's exit code is then the run's
// SetupStatus (setup_import.h); the silent run shows no window and no message box.
void RunSetup(ui::App& app, Platform& platform, const std::string& arguments);

}  // namespace kesma::setup
