// The vendor header every window carries (logo picture or styled vendor title,
// version line, icon).
#pragma once

#include <string>

#include "platform/ports.h"
#include "ui/ui.h"

namespace kesma {

class SettingsStore;

// The version every program shows at the end of its version line.
inline constexpr const char* kVersion = "7.3.COM";

// Where a program's header lies, in twips: picLogo (top 360, 4740 x 780) holds the title
// and the version line, picIcon (top 360, 780 x 780) the icon.
struct HeaderDesign {
    const char* systemCaption;  // the version line before the version
    int logoLeft, iconLeft;
    int titleLeft, titleTop, titleWidth, titleHeight;  // within picLogo
    int systemLeft, systemTop, systemWidth;            // within picLogo, 195 high
};

// The control panel's header, which the About box and the removal window take too.
inline constexpr HeaderDesign kControlPanelHeader{"TouchScreen Control Panel Version ", 480, 5280, 120, 60, 4500,
                                                  420, 120, 510, 4500};

// A window under the vendor header, as designed: picLogo with lblOemTitle ("Lumivane", red,
// Times New Roman bold) and lblSystem (blue), and picIcon with imgIcon. The header comes
// first among the window's controls.
class VendorForm : public ui::Form {
public:
    VendorForm(ui::App& app, const std::string& name, int clientWidthTwips, int clientHeightTwips,
               const HeaderDesign& design);

    ui::PictureBox& picLogo;
    ui::Label& lblOemTitle;
    ui::Label& lblSystem;
    ui::PictureBox& picIcon;
    ui::Image& imgIcon;
};

// The program's title as the window's caption, and the version after the version line.
void ShowTitleAndVersion(VendorForm& window, const std::string& title);

// imgIcon centred in picIcon.
void CentreIcon(VendorForm& window);

// Colour number 0..15 of a style code; false (colour untouched) outside that range.
bool StyleColor(int number, ui::Color& color);
// A style-code part read as a decimal number: blanks skipped, stops at the first
// other non-digit, no digits = 0.
int StyleNumber(const std::string& part);

// Open for reading succeeds; a trailing "\" is removed first.
bool FileExists(FilePort& files, std::string path);

class VendorBranding {
public:
    VendorBranding(SettingsStore& store, FilePort& files) : store_(store), files_(files) {}

    void ApplyVendorHeader(VendorForm& main);  // decides LogoPresent
    void CopyVendorHeader(VendorForm& dialog);
    void ApplyVendorStyle(VendorForm& window);
    // lblSystem and caption from the main window, header, CentreWindow, CentreIcon.
    void DressDialog(VendorForm& dialog);

    bool LogoPresent = false;
    VendorForm* MainWindow = nullptr;  // set by ApplyVendorHeader

private:
    SettingsStore& store_;
    FilePort& files_;
};

}  // namespace kesma
