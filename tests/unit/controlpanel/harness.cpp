#include "harness.h"

#include <cstring>
#include <stdexcept>

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

controlpanel::frmMain& ControlPanelTest::Main() {
    if (main_ == nullptr && (main_ = h.Start()) == nullptr) throw std::runtime_error("the control panel did not start");
    return *main_;
}

ui::Form& ControlPanelTest::OpenFrom(const std::function<void(ui::Form& main)>& open, const std::string& name) {
    ui::Form& main = Main();
    h.device.ClearJournal();
    open(main);
    ui::Form* form = h.Form(name);
    if (form == nullptr) throw std::runtime_error(name + " did not open");
    return *form;
}

ui::Form& ControlPanelTest::OpenFrom(const std::string& button, const std::string& name) {
    return OpenFrom([&](ui::Form& main) { main.Ctl<ui::Button>(button).UserClick(); }, name);
}

void ControlPanelTest::ExpectSentSettings(std::uint32_t code, const DeviceSettings& expected) const {
    const auto journal = h.device.Journal();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0].code, code);
    ASSERT_EQ(journal[0].in.size(), sizeof(DeviceSettings));
    EXPECT_EQ(std::memcmp(journal[0].in.data(), &expected, sizeof expected), 0);
}

void ControlPanelTest::ExpectClosedQuietly(const ui::Form& dialog) {
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(Main().Visible());
    EXPECT_TRUE(h.device.Journal().empty());
}

}  // namespace kesma::test
