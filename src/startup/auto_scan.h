// The auto-scan dialog: on which port and as which device the controller is to be
// found at start.
#pragma once

#include <array>
#include <cstdint>

#include "shared/vendor.h"
#include "startup/startup.h"
#include "ui/ui.h"

namespace kesma::startup {

struct DeviceRow {
    std::int32_t code;
    const char* name;
    bool detect;  // the controller's rate is detected
};

// Code = 100 x protocol family (1 VELPRO, 4 ELCOM) + baud-rate index, 0 for an
// automatic rate; code 0 is full automatic detection.
inline constexpr std::array<DeviceRow, 11> kDeviceTable{{
    {0, "AUTO", true},
    {100, "VELPRO ( AUTO-BPS )", true},
    {104, "VELPRO ( 9600 BPS )", false},
    {106, "VELPRO ( 19200 BPS )", false},
    {108, "VELPRO ( 38400 BPS )", false},
    {400, "ELCOM ( AUTO-BPS )", true},
    {401, "ELCOM ( 1200 BPS )", false},
    {402, "ELCOM ( 2400 BPS )", false},
    {403, "ELCOM ( 4800 BPS )", false},
    {404, "ELCOM ( 9600 BPS )", false},
    {406, "ELCOM ( 19200 BPS )", false},
}};

class frmAutoScan : public VendorForm {
public:
    frmAutoScan(ui::App& app, Startup& program);

    ui::Shape& Shape1;
    ui::Frame& Frame1;
    ui::Label& Label1;
    ui::ComboBox& cboCOM;
    ui::Label& Label2;
    ui::ComboBox& cboDevice;
    ui::Label& lblDetectMode;
    ApplyButtons buttons;

    void Form_Load();
    void UpdateAutoScanControls();

private:
    // False when the settings key refused the choice.
    bool Store();

    Startup& program_;
};

}  // namespace kesma::startup
