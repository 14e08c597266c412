// The whole control panel in memory: the headless backend, the simulated device and
// the fakes of every other port, with frmMain ready to be started.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controlpanel/control_panel.h"
#include "controlpanel/main_window.h"
#include "fake_device_manager.h"
#include "fake_files.h"
#include "fake_processes.h"
#include "fake_registry.h"
#include "fake_windows.h"
#include "sim_device.h"
#include "ui/headless/headless.h"

namespace kesma::test {

inline constexpr const char* kInstallPath = "C:\\Program Files\\Lumivane\\TouchScreen";

class ControlPanelHarness {
public:
    // Vendor values present, the simulated controller found on COM1.
    ControlPanelHarness();
    ~ControlPanelHarness();

    // Creates frmMain and shows it: the whole start-up runs. Returns the main window,
    // or nullptr when the start-up ended the program.
    controlpanel::frmMain* Start();

    // A loaded form by design name, or nullptr.
    ui::Form* Form(const std::string& name) const { return app.FindForm(name); }
    // The message boxes shown so far.
    const std::vector<ui::HeadlessBackend::MsgBoxRecord>& MsgBoxes() const { return backend.MsgBoxes(); }
    // The calibration mode stored in the registry, if any.
    std::optional<std::int32_t> StoredCalibrationMode() const;

    ui::HeadlessBackend backend;
    ui::App app{backend, controlpanel::kAppTitle};
    SimDevice device;
    FakeRegistry registry;
    FakeWindows windows;
    FakeProcesses processes;
    FakeFiles files;
    FakeDeviceManager devices;
    Platform platform{device, registry, windows, processes, files, devices};
    controlpanel::ControlPanel cp{app, platform};
};

// A test on a control panel that starts at the first use of its main window.
class ControlPanelTest : public ::testing::Test {
protected:
    // The main window; throws when the start-up ended the program.
    controlpanel::frmMain& Main();
    // Clears the device journal, lets `open` act on the main window and returns the
    // form `name` it opened.
    ui::Form& OpenFrom(const std::function<void(ui::Form& main)>& open, const std::string& name);
    ui::Form& OpenFrom(const std::string& button, const std::string& name);
    // The only request since the dialog opened carried `code` and the whole record `expected`.
    void ExpectSentSettings(std::uint32_t code, const DeviceSettings& expected) const;
    // The dialog closed back to the main window without a request since it opened.
    void ExpectClosedQuietly(const ui::Form& dialog);

    ControlPanelHarness h;
    DeviceSettings& stored = h.device.settings();

private:
    controlpanel::frmMain* main_ = nullptr;
};

}  // namespace kesma::test
