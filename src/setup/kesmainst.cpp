#include "setup/kesmainst.h"

#include <cctype>
#include <string_view>

#include "setup/progress_window.h"
#include "setup/restart.h"
#include "setup/setup_import.h"
#include "shared/settings_store.h"

namespace kesma::setup {

bool IsSilentSwitch(const std::string& arguments) {
    static constexpr std::string_view kSwitch = "/XPEFBASETUP";
    if (arguments.size() != kSwitch.size()) return false;
    for (std::size_t i = 0; i < kSwitch.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(arguments[i])) != kSwitch[i]) return false;
    }
    return true;
}

void RunSetup(ui::App& app, Platform& platform, const std::string& arguments) {
    const bool silentMode = IsSilentSwitch(arguments);
    auto& progress = app.Create<frmMessage>(true);
    if (!silentMode) progress.ShowProgressMessage("Setup is updating your system...");

    SetupReport report(app, platform.Get<DebugPort>(), silentMode);
    Registry registry(platform.Get<RegistryPort>());
    SettingsStore store(registry);
    if (!store.InitSettingsStore()) {
        report.Failure(kVendorValuesMissing, kSetupVendorValuesMissing);
        app.End(report.Status());
        return;
    }
    SetupImport import(report, store, platform.Get<ProfilePort>(), platform.Get<FilePort>());
    import.ImportSetupIni();
    import.ImportSetupOem();
    if (progress.Loaded()) progress.Unload();
    if (!silentMode) {
        app.MsgBox("Setup has finished installing TouchScreen drivers and utilities on your computer.\r\n\r\n"
                   "The Windows must be restarted.",
                   ui::kMbOk | ui::kMbIconInformation | ui::kMbSystemModal, app.Title());
        RestartWindows(app, platform.Get<RestartPort>());
    }
    app.End(report.Status());
}

}  // namespace kesma::setup
