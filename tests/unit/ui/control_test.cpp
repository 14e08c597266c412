#include <gtest/gtest.h>

#include "ui/headless/headless.h"

namespace ui {
namespace {

class ControlTest : public ::testing::Test {
protected:
    HeadlessBackend backend;
    App app{backend, "Title"};
    Form& form = app.Create<Form>("frmTest", 6000, 4000);
    std::vector<std::string> events;

    // A control whose events, those its kind has, are logged.
    template <class T>
    T& Add(const std::string& name, Control* container = nullptr, int index = -1) {
        T& c = form.Add<T>(name, 0, 0, 1000, 300, container, index);
        const std::string tag = c.DesignName();
        if constexpr (requires { c.OnClick; }) c.OnClick = [this, tag] { events.push_back(tag + ".Click"); };
        if constexpr (requires { c.OnChange; }) c.OnChange = [this, tag] { events.push_back(tag + ".Change"); };
        if constexpr (requires { c.OnScroll; }) c.OnScroll = [this, tag] { events.push_back(tag + ".Scroll"); };
        return c;
    }
};

TEST_F(ControlTest, ScrollBarClampsAndFiresChangeOnlyWhenTheValueMoves) {
    ui::HScrollBar& bar = Add<ui::HScrollBar>("hscTone");
    bar.SetRange(200, 5000, 1, 100);
    EXPECT_EQ(bar.Value(), 200);  // the range pulls the value in, without an event
    form.Show();
    bar.SetValue(99999);
    bar.SetValue(5000);
    bar.SetValue(-5);
    EXPECT_EQ(bar.Value(), 200);
    EXPECT_EQ(events, (std::vector<std::string>{"hscTone.Change", "hscTone.Change"}));

    events.clear();
    bar.UserScroll(300);
    bar.UserScroll(400);
    bar.UserSetValue(400);  // release where the drag left it: one Change
    bar.UserSetValue(400);  // nothing moved since
    EXPECT_EQ(events, (std::vector<std::string>{"hscTone.Scroll", "hscTone.Scroll", "hscTone.Change"}));
}

TEST_F(ControlTest, CheckBoxAndComboFireClickOnChange) {
    ui::CheckBox& check = Add<ui::CheckBox>("chkBoth");
    ui::ComboBox& combo = Add<ui::ComboBox>("cboCalibration");
    combo.AddItem(" 4 points, mode 1");
    combo.AddItem(" 4 points, mode 2");
    form.Show();

    check.SetValue(1);
    check.SetValue(7);  // still checked
    check.UserClick();
    EXPECT_EQ(check.Value(), 0);
    combo.SetListIndex(1);
    combo.SetListIndex(1);
    combo.SetListIndex(2);   // out of range: ignored
    combo.SetListIndex(-2);  // likewise
    combo.SetListIndex(-1);  // allowed, silent
    EXPECT_EQ(combo.ListIndex(), -1);
    combo.UserSelect(0);
    EXPECT_EQ(events, (std::vector<std::string>{"chkBoth.Click", "chkBoth.Click", "cboCalibration.Click",
                                                "cboCalibration.Click"}));
    combo.ClearList();
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.ListCount(), 0);
}

TEST_F(ControlTest, OptionButtonClearsOnlyItsOwnContainer) {
    ui::Frame& frame1 = Add<ui::Frame>("Frame1");
    ui::Frame& frame2 = Add<ui::Frame>("Frame2");
    ui::OptionButton& a1 = Add<ui::OptionButton>("optA", &frame1, 1);
    ui::OptionButton& a2 = Add<ui::OptionButton>("optA", &frame1, 2);
    ui::OptionButton& b1 = Add<ui::OptionButton>("optB", &frame2, 1);
    form.Show();
    b1.SetValue(1);
    a1.SetValue(1);
    a2.UserClick();
    a2.SetValue(1);  // already selected: Click again
    EXPECT_EQ(a1.Value(), 0);
    EXPECT_EQ(a2.Value(), 1);
    EXPECT_EQ(b1.Value(), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"optB(1).Click", "optA(1).Click", "optA(2).Click", "optA(2).Click"}));
    a2.UserSetValue(0);  // a user cannot clear an option
    EXPECT_EQ(a2.Value(), 1);
}

TEST_F(ControlTest, DesignTimeSettingsRunNoHandlers) {
    ui::HScrollBar& bar = Add<ui::HScrollBar>("hscTone");
    ui::CheckBox& check = Add<ui::CheckBox>("chkBoth");
    bar.SetValue(10);
    check.SetValue(1);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(backend.Updates().empty());
}

TEST_F(ControlTest, UserInputNeedsAReachableControlButCodeDoesNot) {
    ui::Frame& frame = Add<ui::Frame>("Frame1");
    ui::CheckBox& check = Add<ui::CheckBox>("chkBypass", &frame);
    ui::Button& button = Add<ui::Button>("cmdApply");
    button.UserClick();  // form not shown yet
    form.Show();
    button.SetEnabled(false);
    button.UserClick();
    frame.SetEnabled(false);
    check.UserClick();
    frame.SetEnabled(true);
    check.SetVisible(false);
    check.UserClick();
    EXPECT_TRUE(events.empty());
    check.SetValue(1);
    form.Hide();
    check.SetVisible(true);
    check.UserClick();
    EXPECT_EQ(events, std::vector<std::string>{"chkBypass.Click"});
}

TEST_F(ControlTest, BackendHearsOfRealChangesOnly) {
    ui::Label& label = Add<ui::Label>("lblTone");
    form.Show();
    backend.ClearUpdates();
    label.SetCaption("200");
    label.SetCaption("200");
    label.SetForeColor(kBlack);
    label.SetForeColor(kBlack);
    label.Move(0, 0, 1000, 300);
    ASSERT_EQ(backend.Updates().size(), 2u);
    EXPECT_EQ(backend.Updates()[0].control, "lblTone");
    EXPECT_EQ(backend.Updates()[0].prop, Prop::Caption);
    EXPECT_EQ(backend.Updates()[1].prop, Prop::ForeColor);
}

TEST_F(ControlTest, OneDefaultAndOneCancelButtonPerForm) {
    ui::Button& ok = Add<ui::Button>("cmdOK");
    ui::Button& no = Add<ui::Button>("cmdNo");
    ok.SetDefault(true);
    no.SetDefault(true);
    no.SetCancel(true);
    EXPECT_FALSE(ok.IsDefault());
    EXPECT_TRUE(no.IsDefault());
    EXPECT_TRUE(no.IsCancel());
}

TEST_F(ControlTest, DrawingRecordsOperationsAndMovesThePen) {
    ui::PictureBox& pic = Add<ui::PictureBox>("picHome");
    pic.SetForeColor(Rgb(0, 0, 255));
    pic.SetDrawWidth(0);  // at least one pixel
    pic.PSet(5, 6);
    pic.LineTo(10, 12);
    pic.Box(1, 2, 3, 4, true, kWhite);
    EXPECT_EQ(pic.CurrentX(), 3);
    ASSERT_EQ(pic.DrawOps().size(), 3u);
    EXPECT_EQ(pic.DrawOps()[1].type, DrawOp::Type::Line);
    EXPECT_EQ(pic.DrawOps()[1].x1, 5);
    EXPECT_EQ(pic.DrawOps()[1].y2, 12);
    EXPECT_EQ(pic.DrawOps()[1].color, Rgb(0, 0, 255));
    EXPECT_EQ(pic.DrawOps()[1].width, 1);
    EXPECT_EQ(backend.DrawCount(), 0u);  // nothing to paint before load

    form.Show();
    pic.SetBackColor(kWhite);
    pic.Cls();
    ASSERT_EQ(pic.DrawOps().size(), 1u);
    EXPECT_EQ(pic.DrawOps()[0].type, DrawOp::Type::Clear);
    EXPECT_EQ(pic.DrawOps()[0].color, kWhite);
    EXPECT_EQ(pic.CurrentX(), 0);
    EXPECT_EQ(backend.DrawCount(), 1u);
}

TEST_F(ControlTest, AutoSizeTakesThePictureSizeWithTheBorder) {
    ui::PictureBox& pic = Add<ui::PictureBox>("picIcon");
    pic.SetAutoSize(true);
    pic.SetBorder(true);
    pic.SetIconPicture();
    EXPECT_EQ(pic.Width(), 34 * 15);
    EXPECT_EQ(pic.ScaleWidth(), 32 * 15);
    EXPECT_FALSE(pic.LoadPicture("/nonexistent/TSLogo.Bmp"));
    EXPECT_EQ(pic.GetPicture().source, Picture::Source::None);
}

TEST_F(ControlTest, HandlerMayReplaceItselfWhileRunning) {
    ui::Button& button = Add<ui::Button>("cmdAction");
    int runs = 0;
    // The big capture puts the handler on the heap, where a use after free shows.
    button.OnClick = [&, big = std::string(100, 'x')] {
        button.OnClick = [&runs] { runs += 10; };
        runs += static_cast<int>(big.size()) / 100;
    };
    form.Show();
    button.UserClick();
    button.UserClick();
    EXPECT_EQ(runs, 11);
}

}  // namespace
}  // namespace ui

namespace ui {
namespace {

// 96, 120 and 144 DPI have whole twips per pixel; 168, 192 and 216 do not.
TEST(ScreenUnitsTest, PixelsSurviveTheRoundTripAtEveryDpi) {
    const struct {
        int dpi;
        int pixels, twips;  // one exact pair
    } cases[] = {{96, 1024, 15360}, {120, 1024, 12288}, {144, 1000, 10000},
                 {168, 7, 60},      {192, 1024, 7680},  {216, 3, 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        ScreenInfo screen;
        screen.SetDpi(c.dpi, c.dpi);
        EXPECT_EQ(screen.PixelsToTwipsX(c.pixels), c.twips);
        EXPECT_EQ(screen.TwipsToPixelsY(c.twips), c.pixels);
        for (int px = -50; px <= 4000; ++px) {
            ASSERT_EQ(screen.TwipsToPixelsX(screen.PixelsToTwipsX(px)), px);
            ASSERT_EQ(screen.TwipsToPixelsY(screen.PixelsToTwipsY(px)), px);
        }
    }
}

// The icon is loaded at the size it is shown at the screen's DPI: 480 twips are 64 pixels at 200 %.
TEST(ScreenUnitsTest, AutoSizedBorderedPictureIsItsPixelsPlusTwoAt200Percent) {
    HeadlessBackend backend;
    ScreenInfo screen;
    screen.SetDpi(192, 192);
    backend.SetScreen(screen);
    App app(backend, "Title");
    Form& form = app.Create<Form>("frmMain", 3000, 2000);
    ui::PictureBox& pic = form.Add<ui::PictureBox>("picIcon", 0, 0, 10, 10);
    pic.SetBorder(true);
    pic.SetAutoSize(true);
    pic.SetIconPicture();
    EXPECT_EQ(pic.GetPicture().widthPx, 64);
    EXPECT_EQ(pic.Width(), 495);  // 66 px * 7.5
    EXPECT_EQ(pic.ScaleWidth(), 480);
}

}  // namespace
}  // namespace ui
