// The vendor header every window carries (logo picture or styled vendor title,
// version line, icon) and the placement rules shared by all windows.
#pragma once

#include <string>

#include "platform/ports.h"
#include "ui/ui.h"

namespace kesma {

class SettingsStore;

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

    void ApplyVendorHeader(ui::Form& main);  // decides LogoPresent
    void CopyVendorHeader(ui::Form& dialog);
    void ApplyVendorStyle(ui::Form& window);
    // lblSystem and caption from the main window, header, CentreWindow, CentreIcon.
    void DressDialog(ui::Form& dialog);

    bool LogoPresent = false;
    ui::Form* MainWindow = nullptr;  // set by ApplyVendorHeader

private:
    SettingsStore& store_;
    FilePort& files_;
};

void CentreWindow(ui::Form& window);
void CentreIcon(ui::Form& window);

}  // namespace kesma
