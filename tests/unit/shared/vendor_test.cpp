#include "shared/vendor.h"

#include <gtest/gtest.h>

#include "fake_files.h"
#include "fake_registry.h"
#include "shared/forms.h"
#include "shared/settings_store.h"
#include "ui/headless/headless.h"

namespace kesma {
namespace {

// A window under the vendor header, its version line as the main window shows it.
VendorForm& AddHeaderForm(ui::App& app, const std::string& name, int width, int height) {
    VendorForm& form = app.Create<VendorForm>(name, width, height, kControlPanelHeader);
    form.lblSystem.SetCaption("TouchScreen Control Panel Version 7.3.COM");
    return form;
}

class VendorTest : public ::testing::Test {
protected:
    VendorTest() {
        registry.SetVendorValues("C:\\Lumivane");
        EXPECT_TRUE(store.InitSettingsStore());
    }
    ui::Label& Title() { return main.lblOemTitle; }

    test::FakeRegistry registry;
    Registry reg{registry};
    SettingsStore store{reg};
    test::FakeFiles files;
    VendorBranding branding{store, files};
    ui::HeadlessBackend backend;
    ui::App app{backend, "Title"};
    VendorForm& main = AddHeaderForm(app, "frmMain", 6645, 4920);
};

TEST(StyleCode, NumbersAndColours) {
    EXPECT_EQ(StyleNumber("12"), 12);
    EXPECT_EQ(StyleNumber(" 9"), 9);
    EXPECT_EQ(StyleNumber("1 2"), 12);
    EXPECT_EQ(StyleNumber("1x"), 1);
    EXPECT_EQ(StyleNumber("x1"), 0);
    EXPECT_EQ(StyleNumber(""), 0);
    EXPECT_EQ(StyleNumber("99999999999999999999"), 999999999);  // stays defined

    ui::Color color = 1;
    EXPECT_TRUE(StyleColor(3, color));
    EXPECT_EQ(color, ui::Rgb(0, 128, 128));
    EXPECT_TRUE(StyleColor(15, color));
    EXPECT_EQ(color, ui::Rgb(255, 255, 255));
    EXPECT_FALSE(StyleColor(16, color));
    EXPECT_EQ(color, ui::Rgb(255, 255, 255));
}

TEST_F(VendorTest, StyleCodesSetFontAndColours) {
    store.VenderStyle = "21120912";
    branding.ApplyVendorStyle(main);
    EXPECT_EQ(Title().GetFont(), (ui::Font{"Arial", 12, true, false}));
    EXPECT_EQ(Title().ForeColor(), ui::Rgb(0, 0, 255));
    EXPECT_EQ(main.Ctl<ui::Label>("lblSystem").ForeColor(), ui::Rgb(255, 0, 0));

    store.VenderStyle = "30140000";
    branding.ApplyVendorStyle(main);
    EXPECT_EQ(Title().GetFont(), (ui::Font{"Arial", 14, false, false}));  // "3" keeps the font
    EXPECT_EQ(Title().ForeColor(), ui::kBlack);
    EXPECT_EQ(main.Ctl<ui::Label>("lblSystem").ForeColor(), ui::kBlack);

    store.VenderStyle = "13001799";  // size 00 and colours beyond the table change nothing
    branding.ApplyVendorStyle(main);
    EXPECT_EQ(Title().GetFont(), (ui::Font{"Times New Roman", 14, true, true}));
    EXPECT_EQ(Title().ForeColor(), ui::kBlack);

    store.VenderStyle = "2112091";  // too short: ignored
    branding.ApplyVendorStyle(main);
    EXPECT_EQ(Title().GetFont().name, "Times New Roman");
}

TEST_F(VendorTest, HeaderWithoutLogoShowsTheStyledVendorName) {
    store.VenderName = "Acme Touch";
    branding.ApplyVendorHeader(main);
    EXPECT_FALSE(branding.LogoPresent);
    EXPECT_EQ(files.opened, (std::vector<std::string>{"C:\\Lumivane\\TSLogo.Bmp"}));
    EXPECT_EQ(Title().Caption(), "Acme Touch");
    EXPECT_TRUE(Title().Visible());
    EXPECT_EQ(Title().GetFont(), (ui::Font{"Times New Roman", 12, true, false}));  // "11120912"
}

TEST_F(VendorTest, DressedDialogCopiesTheHeaderAndIsPlaced) {
    main.SetCaption(" TouchScreen Control Panel #Velorix");
    branding.ApplyVendorHeader(main);
    VendorForm& dialog = AddHeaderForm(app, "frmPowerSave", 4800, 3000);
    dialog.Ctl<ui::Label>("lblSystem").SetCaption("design");
    branding.DressDialog(dialog);

    EXPECT_EQ(dialog.Caption(), main.Caption());
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblSystem").Caption(), "TouchScreen Control Panel Version 7.3.COM");
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblOemTitle").Caption(), "Lumivane");
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblOemTitle").GetFont(), Title().GetFont());
    // 1024 x 768 screen, frame 120 x 420 twips: (9792 \ 2) - (3420 \ 2), 7680 - 4920 \ 2.
    EXPECT_EQ(dialog.Top(), 4896 - 1710);
    EXPECT_EQ(dialog.Left(), 7680 - 2460);
    const ui::PictureBox& box = dialog.Ctl<ui::PictureBox>("picIcon");
    EXPECT_EQ(dialog.Ctl<ui::Image>("imgIcon").Top(), (box.ScaleHeight() - 480) / 2);
    EXPECT_EQ(dialog.Ctl<ui::Image>("imgIcon").Left(), (box.ScaleWidth() - 480) / 2);
}

TEST_F(VendorTest, LogoReplacesTheTitleInEveryHeader) {
    files.Add("C:\\Lumivane\\TSLogo.Bmp");
    const int systemTop = main.Ctl<ui::Label>("lblSystem").Top();
    branding.ApplyVendorHeader(main);
    ASSERT_TRUE(branding.LogoPresent);
    EXPECT_FALSE(Title().Visible());
    EXPECT_EQ(main.Ctl<ui::Label>("lblSystem").Left(), 2);
    EXPECT_EQ(main.Ctl<ui::Label>("lblSystem").Top(), systemTop - 2);

    ui::Picture logo{ui::Picture::Source::File, "C:\\Lumivane\\TSLogo.Bmp", 316, 52, nullptr};
    main.Ctl<ui::PictureBox>("picLogo").SetPicture(logo);
    VendorForm& dialog = AddHeaderForm(app, "frmAbout", 4800, 3000);
    branding.CopyVendorHeader(dialog);
    EXPECT_FALSE(dialog.Ctl<ui::Label>("lblOemTitle").Visible());
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblOemTitle").Caption(), "Lumivane");  // the vendor name is never shown
    EXPECT_EQ(dialog.Ctl<ui::Label>("lblSystem").Left(), 2);
    EXPECT_EQ(dialog.Ctl<ui::PictureBox>("picLogo").GetPicture(), logo);
    EXPECT_EQ(files.opened.size(), 1u);  // the file is not looked at again
}

TEST_F(VendorTest, CentreWindowRoundsBeforeHalving) {
    // 0.85 x 11530 = 9800.5 and 0.85 x 11510 = 9783.5: rounded, not cut, before "\ 2".
    backend.SetScreen(ui::ScreenInfo{15350, 11530, 15, 15});
    ui::Form& form = app.Create<ui::Form>("frmOdd", 2001, 1001);  // outer 2121 x 1421
    CentreWindow(form);
    EXPECT_EQ(form.Top(), 4900 - 710);
    EXPECT_EQ(form.Left(), 7675 - 1060);
    backend.SetScreen(ui::ScreenInfo{15360, 11510, 15, 15});
    CentreWindow(form);
    EXPECT_EQ(form.Top(), 4892 - 710);
}

TEST(FileExistsTest, DropsOneTrailingBackslash) {
    test::FakeFiles files;
    files.Add("C:\\Folder");  // as if a folder could be opened: shows the path tried
    EXPECT_TRUE(FileExists(files, "C:\\Folder\\"));
    EXPECT_FALSE(FileExists(files, "C:\\Folder\\\\"));
    EXPECT_EQ(files.opened, (std::vector<std::string>{"C:\\Folder", "C:\\Folder\\"}));
}

}  // namespace
}  // namespace kesma
