#include "shared/vendor.h"

#include <climits>

#include "shared/forms.h"
#include "shared/settings_store.h"

namespace kesma {

namespace {

constexpr ui::Color kStyleColors[16] = {
    ui::Rgb(0, 0, 0),       ui::Rgb(0, 0, 128),     ui::Rgb(0, 128, 0),     ui::Rgb(0, 128, 128),
    ui::Rgb(128, 0, 0),     ui::Rgb(128, 0, 128),   ui::Rgb(128, 128, 0),   ui::Rgb(192, 192, 192),
    ui::Rgb(128, 128, 128), ui::Rgb(0, 0, 255),     ui::Rgb(0, 255, 0),     ui::Rgb(0, 255, 255),
    ui::Rgb(255, 0, 0),     ui::Rgb(255, 0, 255),   ui::Rgb(255, 255, 0),   ui::Rgb(255, 255, 255)};

const char* const kLogoFile = "\\TSLogo.Bmp";

// The header moves the version line into the logo's corner when a logo replaces the title.
void MakeRoomForLogo(ui::Form& window) {
    if (ui::Control* title = window.Find("lblOemTitle")) title->SetVisible(false);
    if (ui::Control* system = window.Find("lblSystem")) {
        system->SetTop(system->Top() - 2);
        system->SetLeft(2);
    }
}

}  // namespace

void AddVendorHeader(ui::Form& form, const HeaderDesign& design) {
    ui::Control& logo = form.Add(ui::Kind::PictureBox, "picLogo", design.logoLeft, 360, 4740, 780);
    ui::Control& title = form.Add(ui::Kind::Label, "lblOemTitle", design.titleLeft, design.titleTop,
                                  design.titleWidth, design.titleHeight, &logo);
    title.SetCaption("Lumivane");
    title.SetForeColor(ui::Rgb(255, 0, 0));
    title.SetFont({"Times New Roman", 15.75, true, false});
    title.SetBackTransparent(true);
    ui::Control& system =
        form.Add(ui::Kind::Label, "lblSystem", design.systemLeft, design.systemTop, design.systemWidth, 195, &logo);
    system.SetCaption(design.systemCaption);
    system.SetForeColor(ui::Rgb(0, 0, 255));
    system.SetBackTransparent(true);

    ui::Control& iconBox = form.Add(ui::Kind::PictureBox, "picIcon", design.iconLeft, 360, 780, 780);
    form.Add(ui::Kind::Image, "imgIcon", 0, 0, 480, 480, &iconBox).SetIconPicture();
}

void ShowTitleAndVersion(ui::Form& window, const std::string& title) {
    window.SetCaption(title);
    ui::Control& system = window.Ctl("lblSystem");
    system.SetCaption(system.Caption() + kVersion);
}

bool StyleColor(int number, ui::Color& color) {
    if (number < 0 || number > 15) return false;
    color = kStyleColors[number];
    return true;
}

int StyleNumber(const std::string& part) {
    int value = 0;
    for (char c : part) {
        if (c == ' ') continue;
        if (c < '0' || c > '9') break;
        if (value > (INT_MAX - 9) / 10) break;  // no code part is that long; stay defined
        value = value * 10 + (c - '0');
    }
    return value;
}

bool FileExists(FilePort& files, std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return files.CanOpenForReading(path);
}

void VendorBranding::ApplyVendorHeader(ui::Form& main) {
    MainWindow = &main;
    const std::string logoPath = store_.InstallPath + kLogoFile;
    LogoPresent = FileExists(files_, logoPath);
    if (LogoPresent) {
        MakeRoomForLogo(main);
        if (ui::Control* logo = main.Find("picLogo")) logo->LoadPicture(logoPath);
    } else {
        if (ui::Control* title = main.Find("lblOemTitle")) title->SetCaption(store_.VenderName);
        ApplyVendorStyle(main);
    }
}

void VendorBranding::CopyVendorHeader(ui::Form& dialog) {
    if (MainWindow == nullptr) return;
    if (LogoPresent) {
        MakeRoomForLogo(dialog);
        ui::Control* from = MainWindow->Find("picLogo");
        ui::Control* to = dialog.Find("picLogo");
        if (from && to) to->SetPicture(from->GetPicture());
    } else {
        ui::Control* from = MainWindow->Find("lblOemTitle");
        ui::Control* to = dialog.Find("lblOemTitle");
        if (from && to) to->SetCaption(from->Caption());
        ApplyVendorStyle(dialog);
    }
}

void VendorBranding::ApplyVendorStyle(ui::Form& window) {
    const std::string& style = store_.VenderStyle;
    if (style.size() < 8) return;
    ui::Control* title = window.Find("lblOemTitle");
    ui::Control* system = window.Find("lblSystem");
    ui::Color color = 0;
    if (title) {
        ui::Font font = title->GetFont();
        if (style[0] == '1') font.name = "Times New Roman";
        if (style[0] == '2') font.name = "Arial";
        const int s = StyleNumber(style.substr(1, 1));
        font.bold = s == 1 || s == 3;
        font.italic = s == 2 || s == 3;
        const int size = StyleNumber(style.substr(2, 2));
        if (size > 0) font.size = size;
        title->SetFont(font);
        // A colour number outside the table keeps the designed colour.
        if (StyleColor(StyleNumber(style.substr(4, 2)), color)) title->SetForeColor(color);
    }
    if (system && StyleColor(StyleNumber(style.substr(6, 2)), color)) system->SetForeColor(color);
}

void VendorBranding::DressDialog(ui::Form& dialog) {
    if (MainWindow != nullptr) {
        ui::Control* from = MainWindow->Find("lblSystem");
        ui::Control* to = dialog.Find("lblSystem");
        if (from && to) to->SetCaption(from->Caption());
        dialog.SetCaption(MainWindow->Caption());
    }
    CopyVendorHeader(dialog);
    CentreWindow(dialog);
    CentreIcon(dialog);
}

}  // namespace kesma
