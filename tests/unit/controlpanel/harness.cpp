#include "harness.h"

namespace kesma::test {

ControlPanelHarness::ControlPanelHarness() { registry.SetVendorValues(kInstallPath); }

ControlPanelHarness::~ControlPanelHarness() {
    // The forms go before the control panel state their handlers refer to.
    app.End();
}

controlpanel::frmMain* ControlPanelHarness::Start() {
    auto& main = app.Create<controlpanel::frmMain>(cp);
    main.Show();
    return main.Loaded() ? &main : nullptr;
}

std::optional<std::int32_t> ControlPanelHarness::StoredCalibrationMode() const {
    return registry.GetDword(kSettingsPath, "CalibrationMode");
}

}  // namespace kesma::test
