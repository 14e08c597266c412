// Program-wide state of the control panel, shared by the main window and every
// dialog: the device link and its record, the settings store, the vendor header,
// the companions, the name tables and the discovered port resources.
#pragma once

#include <array>
#include <string>

#include "controlpanel/com_discovery.h"
#include "controlpanel/summary_texts.h"
#include "platform/device_enum_port.h"
#include "platform/ports.h"
#include "shared/companions.h"
#include "shared/device_link.h"
#include "shared/records.h"
#include "shared/settings_store.h"
#include "shared/vendor.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

inline constexpr const char* kAppTitle = " TouchScreen Control Panel #Velorix";
inline constexpr const char* kProgramName = "Kesmapan";

// The platform a control panel runs on: Win32 adapters in the product, fakes in tests.
struct Platform {
    DevicePort& device;
    RegistryPort& registry;
    WindowPort& windows;
    ProcessPort& processes;
    FilePort& files;
    DeviceEnumPort& devices;
};

class ControlPanel {
public:
    ControlPanel(ui::App& app, Platform& platform);
    ControlPanel(const ControlPanel&) = delete;
    ControlPanel& operator=(const ControlPanel&) = delete;

    // Hourglass, main window shown and focused, default pointer.
    void ReturnToMainWindow();

    ui::App& app;
    Platform& platform;
    DeviceLink Link;
    Registry Reg;
    SettingsStore Store;
    VendorBranding Branding;
    Companions Programs;
    NameTables Names;
    PortTable PortRecords;  // COM1..COM9, from the COM discovery at start-up
    std::string SupportBitmapPath;
    ui::Form* Main = nullptr;  // frmMain
};

}  // namespace kesma::controlpanel
