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
void MakeRoomForLogo(VendorForm& window) {
    window.lblOemTitle.SetVisible(false);
    window.lblSystem.SetTop(window.lblSystem.Top() - 2);
    window.lblSystem.SetLeft(2);
}

}  // namespace

VendorForm::VendorForm(ui::App& app, const std::string& name, int clientWidthTwips, int clientHeightTwips,
                       const HeaderDesign& design)
    : ui::Form(app, name, clientWidthTwips, clientHeightTwips),
      picLogo(Add<ui::PictureBox>("picLogo", design.logoLeft, 360, 4740, 780)),
      lblOemTitle(Add<ui::Label>("lblOemTitle", design.titleLeft, design.titleTop, design.titleWidth,
                                 design.titleHeight, &picLogo)),
      lblSystem(Add<ui::Label>("lblSystem", design.systemLeft, design.systemTop, design.systemWidth, 195, &picLogo)),
      picIcon(Add<ui::PictureBox>("picIcon", design.iconLeft, 360, 780, 780)),
      imgIcon(Add<ui::Image>("imgIcon", 0, 0, 480, 480, &picIcon)) {
    lblOemTitle.SetCaption("Lumivane");
    lblOemTitle.SetForeColor(ui::Rgb(255, 0, 0));
    lblOemTitle.SetFont({"Times New Roman", 15.75, true, false});
    lblOemTitle.SetBackTransparent(true);
    lblSystem.SetCaption(design.systemCaption);
    lblSystem.SetForeColor(ui::Rgb(0, 0, 255));
    lblSystem.SetBackTransparent(true);
    imgIcon.SetIconPicture();
}

void ShowTitleAndVersion(VendorForm& window, const std::string& title) {
    window.SetCaption(title);
    window.lblSystem.SetCaption(window.lblSystem.Caption() + kVersion);
}

void CentreIcon(VendorForm& window) { CentreIn(window.picIcon, window.imgIcon); }

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

void VendorBranding::ApplyVendorHeader(VendorForm& main) {
    MainWindow = &main;
    const std::string logoPath = store_.InstallPath + kLogoFile;
    LogoPresent = FileExists(files_, logoPath);
    if (LogoPresent) {
        MakeRoomForLogo(main);
        main.picLogo.LoadPicture(logoPath);
    } else {
        main.lblOemTitle.SetCaption(store_.VenderName);
        ApplyVendorStyle(main);
    }
}

void VendorBranding::CopyVendorHeader(VendorForm& dialog) {
    if (MainWindow == nullptr) return;
    if (LogoPresent) {
        MakeRoomForLogo(dialog);
        dialog.picLogo.SetPicture(MainWindow->picLogo.GetPicture());
    } else {
        dialog.lblOemTitle.SetCaption(MainWindow->lblOemTitle.Caption());
        ApplyVendorStyle(dialog);
    }
}

void VendorBranding::ApplyVendorStyle(VendorForm& window) {
    const std::string& style = store_.VenderStyle;
    if (style.size() < 8) return;
    ui::Font font = window.lblOemTitle.GetFont();
    if (style[0] == '1') font.name = "Times New Roman";
    if (style[0] == '2') font.name = "Arial";
    const int s = StyleNumber(style.substr(1, 1));
    font.bold = s == 1 || s == 3;
    font.italic = s == 2 || s == 3;
    const int size = StyleNumber(style.substr(2, 2));
    if (size > 0) font.size = size;
    window.lblOemTitle.SetFont(font);
    // A colour number outside the table keeps the designed colour.
    ui::Color color = 0;
    if (StyleColor(StyleNumber(style.substr(4, 2)), color)) window.lblOemTitle.SetForeColor(color);
    if (StyleColor(StyleNumber(style.substr(6, 2)), color)) window.lblSystem.SetForeColor(color);
}

void VendorBranding::DressDialog(VendorForm& dialog) {
    if (MainWindow != nullptr) {
        dialog.lblSystem.SetCaption(MainWindow->lblSystem.Caption());
        dialog.SetCaption(MainWindow->Caption());
    }
    CopyVendorHeader(dialog);
    CentreWindow(dialog);
    CentreIcon(dialog);
}

}  // namespace kesma
