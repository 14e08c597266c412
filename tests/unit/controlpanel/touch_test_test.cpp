#include "controlpanel/touch_test.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

constexpr ui::Color kBlue = ui::Rgb(0, 0, 255);
constexpr ui::Color kYellow = ui::Rgb(255, 255, 0);

ui::DrawOp Stroke(int x1, int y1, int x2, int y2, ui::Color color, int width) {
    return {ui::DrawOp::Type::Line, x1, y1, x2, y2, color, width, {}, {}};
}
ui::DrawOp Dot(int x, int y, ui::Color color, int width) {
    ui::DrawOp op = Stroke(x, y, x, y, color, width);
    op.type = ui::DrawOp::Type::Point;
    return op;
}

class TouchTestTest : public test::ControlPanelTest {
protected:
    TouchTestTest() { stored.TouchMode = 2; }

    ui::Form& Open() {
        constexpr int all = ui::kShiftMask | ui::kCtrlMask | ui::kAltMask;
        return OpenFrom(
            [](ui::Form& main) { main.Ctl<ui::Button>("cmdExit").UserMouseDown(ui::kRightButton, all, 5, 5); },
            "frmTest");
    }

    // The touch mode each SetTouchMode request carried.
    std::vector<int> SentTouchModes() const {
        std::vector<int> modes;
        for (const auto& entry : h.device.Journal()) {
            if (entry.code == KESMA_SET_TOUCH_MODE) modes.push_back(entry.in.at(offsetof(DeviceSettings, TouchMode)));
        }
        return modes;
    }
};

TEST_F(TouchTestTest, OpensFullScreenInDragDropModeWithATwoPixelBluePen) {
    auto& t = Open();
    EXPECT_TRUE(t.Borderless());
    EXPECT_TRUE(t.Maximized());
    EXPECT_EQ(t.Caption(), "Test");
    EXPECT_EQ(SentTouchModes(), std::vector<int>{4});
    EXPECT_EQ(stored.TouchMode, 4);

    EXPECT_EQ(t.Ctl<ui::Label>("lblWidth", 1).ForeColor(), kYellow);
    EXPECT_EQ(t.Ctl<ui::Label>("lblWidth", 1).BackColor(), ui::Rgb(64, 64, 64));
    EXPECT_EQ(t.Ctl<ui::Label>("lblWidth", 0).BackColor(), ui::Rgb(224, 224, 224));
    EXPECT_TRUE(t.Ctl<ui::Label>("lblColor", 3).Border());
    EXPECT_FALSE(t.Ctl<ui::Label>("lblColor", 0).Border());
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picHome").DrawWidth(), 2);
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picHome").ForeColor(), kBlue);
}

TEST_F(TouchTestTest, ChoosingAnotherWidthOrColourMovesTheMark) {
    auto& t = Open();
    t.Ctl<ui::Label>("lblWidth", 0).UserMouseDown(ui::kLeftButton, 0, 1, 1);
    t.Ctl<ui::Label>("lblWidth", 0).UserClick();  // the click after the press selects nothing more
    EXPECT_EQ(t.Ctl<ui::Label>("lblWidth", 1).ForeColor(), ui::kBlack);
    EXPECT_EQ(t.Ctl<ui::Label>("lblWidth", 1).BackColor(), ui::Rgb(224, 224, 224));
    EXPECT_EQ(t.Ctl<ui::Label>("lblWidth", 0).ForeColor(), kYellow);
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picHome").DrawWidth(), 1);

    t.Ctl<ui::Label>("lblColor", 0).UserClick();
    EXPECT_FALSE(t.Ctl<ui::Label>("lblColor", 3).Border());
    EXPECT_TRUE(t.Ctl<ui::Label>("lblColor", 0).Border());
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picHome").ForeColor(), ui::kBlack);
}

TEST_F(TouchTestTest, TouchesDrawStrokesAndLightTheButtonIndicators) {
    auto& t = Open();
    ui::PictureBox& home = t.Ctl<ui::PictureBox>("picHome");
    ui::Label& left = t.Ctl<ui::Label>("lblButton", 0);
    EXPECT_TRUE(left.BackTransparent());

    home.UserMouseDown(ui::kLeftButton, 0, 10, 10);
    EXPECT_FALSE(left.BackTransparent());
    EXPECT_EQ(left.BackColor(), kYellow);
    home.UserMouseMove(ui::kLeftButton, 0, 20, 15);
    home.UserMouseDown(ui::kRightButton, 0, 30, 15);  // a second button continues the line
    EXPECT_FALSE(t.Ctl<ui::Label>("lblButton", 2).BackTransparent());
    home.UserMouseUp(ui::kRightButton, 0, 30, 15);
    EXPECT_TRUE(t.Ctl<ui::Label>("lblButton", 2).BackTransparent());
    home.UserMouseMove(ui::kLeftButton, 0, 40, 40);  // the stroke ended with the first release
    home.UserMouseUp(ui::kLeftButton, 0, 40, 40);
    EXPECT_TRUE(left.BackTransparent());

    t.Ctl<ui::Label>("lblColor", 1).UserClick();
    home.UserMouseDown(ui::kMiddleButton, 0, 50, 60);
    EXPECT_FALSE(t.Ctl<ui::Label>("lblButton", 1).BackTransparent());
    home.UserMouseUp(ui::kMiddleButton, 0, 50, 60);

    const ui::Color red = ui::Rgb(255, 0, 0);
    EXPECT_EQ(home.DrawOps(), (std::vector<ui::DrawOp>{Dot(10, 10, kBlue, 2), Stroke(10, 10, 20, 15, kBlue, 2),
                                                       Stroke(20, 15, 30, 15, kBlue, 2), Dot(50, 60, red, 2)}));
}

TEST_F(TouchTestTest, ClearWipesTheCanvasButKeepsThePen) {
    auto& t = Open();
    ui::PictureBox& home = t.Ctl<ui::PictureBox>("picHome");
    home.UserMouseDown(ui::kLeftButton, 0, 5, 5);
    home.UserMouseUp(ui::kLeftButton, 0, 5, 5);
    t.Ctl<ui::Button>("cmdClear").UserClick();
    ASSERT_EQ(home.DrawOps().size(), 1u);
    EXPECT_EQ(home.DrawOps()[0].type, ui::DrawOp::Type::Clear);
    EXPECT_EQ(home.DrawOps()[0].color, ui::kWhite);
    EXPECT_EQ(home.DrawWidth(), 2);
    EXPECT_EQ(home.ForeColor(), kBlue);
}

TEST_F(TouchTestTest, ExitRestoresTheTouchModeOnceTakenAndReturnsToTheMainWindow) {
    auto& t = Open();
    t.FireActivate();  // back from another window: the saved mode stays the first one
    t.Ctl<ui::Button>("cmdExit").UserClick();
    EXPECT_FALSE(t.Loaded());
    EXPECT_TRUE(Main().Visible());
    EXPECT_EQ(SentTouchModes(), (std::vector<int>{4, 2}));
    EXPECT_EQ(stored.TouchMode, 2);
}

TEST_F(TouchTestTest, BarsAndCanvasFillTheScreen) {
    auto& t = Open();
    const int width = 15360, height = 11520;  // 1024 x 768
    const ui::PictureBox& home = t.Ctl<ui::PictureBox>("picHome");
    EXPECT_EQ(home.Top(), 615);
    EXPECT_EQ(home.Width(), width);
    EXPECT_EQ(home.Height(), height - 615 - 555);
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picMesg").Top(), height - 555);

    // Head bar: icon centred vertically, buttons at the right with equal gaps.
    const int gap = (615 - 480) / 2;
    EXPECT_EQ(t.Ctl<ui::Image>("imgIcon").Left(), gap);
    EXPECT_EQ(t.Ctl<ui::Label>("lblTitle").Left(), 3 * gap + 480);
    const ui::Button& exit = t.Ctl<ui::Button>("cmdExit");
    EXPECT_EQ(exit.Left() + exit.Width() + gap, width);
    EXPECT_EQ(exit.Height(), 615 - 2 * gap);
    EXPECT_EQ(t.Ctl<ui::Button>("cmdClear").Left() + exit.Width() + gap, exit.Left());

    // Message bar from the right: R M L, "Button", swatches, "Color", widths, "Width", help.
    const int m = (555 - 360) / 2;
    EXPECT_EQ(t.Ctl<ui::Label>("lblButton", 2).Left(), width - m - 285);
    EXPECT_EQ(t.Ctl<ui::Label>("lblButton", 0).Top(), m);
    const ui::Label& buttonName = t.Ctl<ui::Label>("lblButtonName");
    EXPECT_EQ(buttonName.Left() + buttonName.Width() + m, t.Ctl<ui::Label>("lblButton", 0).Left());
    EXPECT_EQ(t.Ctl<ui::Label>("lblColor", 4).Left() + 405 + 2 * m, buttonName.Left());
    const ui::Label& widthName = t.Ctl<ui::Label>("lblWidthName");
    EXPECT_EQ(widthName.Left() + widthName.Width() + m, t.Ctl<ui::Label>("lblWidth", 0).Left());
    const ui::Label& box = t.Ctl<ui::Label>("lblHelpBox");
    EXPECT_EQ(box.Width() + m, widthName.Left());
    const ui::Label& help = t.Ctl<ui::Label>("lblHelp");
    EXPECT_EQ(help.Left(), help.Top());
    EXPECT_EQ(help.Width(), box.Width() - 2 * help.Left());

    t.SetClientSize(9600, 7200);
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picHome").Height(), 7200 - 615 - 555);
    EXPECT_EQ(t.Ctl<ui::Label>("lblButton", 2).Left(), 9600 - m - 285);
    EXPECT_EQ(t.Ctl<ui::PictureBox>("picMesg").Top(), 7200 - 555);
}

}  // namespace
}  // namespace kesma::controlpanel
