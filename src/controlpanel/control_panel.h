// Program-wide state of the control panel, shared by the main window and every
// dialog: the device link and its record, the settings store, the vendor header,
// the companions, the name tables and the discovered port resources.
#pragma once

#include <array>
#include <string>

#include "controlpanel/com_discovery.h"
#include "controlpanel/summary_texts.h"
#include "platform/platform.h"
#include "shared/records.h"
#include "shared/services.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

inline constexpr const char* kAppTitle = " TouchScreen Control Panel #Velorix";
inline constexpr const char* kProgramName = "Kesmapan";

class frmMain;

class ControlPanel : public ProgramServices {
public:
    ControlPanel(ui::App& app, Platform& platform);
    ControlPanel(const ControlPanel&) = delete;
    ControlPanel& operator=(const ControlPanel&) = delete;

    // Hourglass, main window shown and focused, default pointer.
    void ReturnToMainWindow();

    ui::App& app;
    Platform& platform;
    NameTables Names;
    PortTable PortRecords;  // COM1..COM9, from the COM discovery at start-up
    std::string SupportBitmapPath;
    frmMain* Main = nullptr;
};

}  // namespace kesma::controlpanel
