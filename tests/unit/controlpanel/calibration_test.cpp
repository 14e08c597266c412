#include "controlpanel/calibration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness.h"

namespace kesma::controlpanel {
namespace {

constexpr ui::Color kRed = ui::Rgb(255, 0, 0);
constexpr ui::Color kYellow = ui::Rgb(255, 255, 0);
constexpr const char* kCompletion =
    "CALIBRATION IS COMPLETE.\r\rFor test, touch on the screen and check cursor position.\r"
    "To save new calibration, click Yes button.\rTo restore old calibration, click No button.";
constexpr unsigned kQuestion = ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbSystemModal;
constexpr unsigned kError = ui::kMbSystemModal | ui::kMbIconError;

// One press of the finger on a target, held with a fresh report every 20 ms until the
// window says LIFT-OFF.
struct Press {
    int x, y;
};

class CalibrationTest : public test::ControlPanelTest {
protected:
    CalibrationTest() {
        stored.CalXMin = 11, stored.CalXMid = 22, stored.CalXMax = 33;
        stored.CalYMin = 44, stored.CalYMid = 55, stored.CalYMax = 66;
        stored.PanelDirection = 5;
    }

    // Runs a calibration in `mode` to its end; the finger follows the prompts: it touches
    // when the window says TOUCH and lifts when it says LIFT-OFF.
    ui::Form& Run(int mode) {
        Main().Ctl<ui::ComboBox>("cboCalibration").UserSelect(mode == 1 ? 1 : 0);
        h.cp.Store.CalibrationMode = mode;
        // The driver's journal keeps only the latest requests: a waiting run polls thousands.
        h.device.OnRequest = [this](std::uint32_t code) {
            codes.push_back(code);
            if (code == KESMA_SET_CALIBRATION_PHASE) phases.push_back({Now(), h.device.state().Sim.CalibrationPhase});
            if (code == KESMA_SET_CALIBRATION) sentCalibrations.push_back(StoredCalibration());
            if (code == KESMA_SET_TOUCH_MODE) autoModes.push_back(stored.RbAutoMode);
        };
        h.backend.OnDoEvents = [this] {
            form = h.Form("frmCalibration");
            if (form == nullptr) return;
            captions.push_back(form->Ctl<ui::Label>("LabelAction").Caption());
            if (captions.size() > 1 && captions.back() == captions[captions.size() - 2]) captions.pop_back();
            Finger(*form);
            if (script) script(*form, Now() - start);
        };
        start = Now();
        h.device.ClearJournal();
        Main().Ctl<ui::Button>("cmdCalibration").UserClick();
        // The run is over and the window unloaded, but not freed until the next pump.
        for (const auto& f : h.app.Forms()) {
            if (f->name() == "frmCalibration") form = f.get();
        }
        if (form == nullptr) throw std::runtime_error("frmCalibration did not open");
        return *form;
    }

    void Finger(ui::Form& f) {
        const std::string action = f.Ctl<ui::Label>("LabelAction").Caption();
        if (!down && action == "TOUCH" && next < presses.size()) {
            down = true;
            downAt = Now();
            step = 0;
            h.device.Touch(presses[next].x, presses[next].y);
            touchDowns.push_back(Now());
            return;
        }
        if (!down) return;
        if (action == "LIFT-OFF") {
            h.device.Lift();
            down = false;
            ++next;
            return;
        }
        const int k = static_cast<int>((Now() - downAt) / 20);
        if (k == step) return;
        step = k;
        h.device.Touch(presses[next].x, presses[next].y);
    }

    std::uint32_t Now() const { return h.backend.TickCount(); }
    std::vector<int> Phases() const {
        std::vector<int> v;
        for (const auto& [t, p] : phases) v.push_back(p);
        return v;
    }
    int Count(std::uint32_t code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }
    void Touch4(std::initializer_list<std::pair<int, int>> points) {
        for (auto [x, y] : points) presses.push_back({x, y});
    }
    Calibration StoredCalibration() const {
        return {stored.CalXMin, stored.CalXMid, stored.CalXMax, stored.CalYMin,
                stored.CalYMid, stored.CalYMax, stored.PanelDirection};
    }

    std::vector<Press> presses;
    std::size_t next = 0;
    bool down = false;
    std::uint32_t downAt = 0, start = 0;
    int step = 0;
    std::vector<std::uint32_t> touchDowns;
    std::vector<std::pair<std::uint32_t, int>> phases;
    std::vector<std::uint32_t> codes;
    std::vector<Calibration> sentCalibrations;
    std::vector<int> autoModes;
    std::vector<std::string> captions;  // LabelAction, each change once
    std::function<void(ui::Form&, std::uint32_t sinceStart)> script;
    ui::Form* form = nullptr;
    const Calibration old{11, 22, 33, 44, 55, 66, 5};
};

TEST_F(CalibrationTest, CornerRunAppliesTheResultAndYesKeepsIt) {
    Touch4({{50, 50}, {970, 50}, {970, 970}, {50, 970}});
    bool cursorHidden = true;
    script = [&](ui::Form&, std::uint32_t) { cursorHidden = cursorHidden && h.backend.CursorCount() < 0; };
    ui::Form& f = Run(0);
    EXPECT_TRUE(cursorHidden);
    EXPECT_TRUE(f.Borderless());
    EXPECT_TRUE(f.Maximized());
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(Main().Visible());
    EXPECT_EQ(StoredCalibration(), (Calibration{35, 510, 985, 30, 510, 990, 0}));
    EXPECT_EQ(Phases(), (std::vector<int>{5, 5, 5, 5, 0}));
    // Each point is taken when its 500 ms hold period ends, give or take a poll.
    ASSERT_EQ(touchDowns.size(), 4u);
    const std::uint32_t taken = phases[3].first - touchDowns.back();
    EXPECT_GE(taken, 500u);
    EXPECT_LE(taken, 500u + 3 * frmCalibration::kPollWaitMs);
    EXPECT_EQ(Count(KESMA_SET_CALIBRATION), 1);
    ASSERT_EQ(h.MsgBoxes().size(), 1u);
    EXPECT_EQ(h.MsgBoxes()[0].text, kCompletion);
    EXPECT_EQ(h.MsgBoxes()[0].flags, kQuestion);
    EXPECT_EQ(h.MsgBoxes()[0].caption, "TouchScreen Calibration");
    EXPECT_FALSE(f.Ctl<ui::PictureBox>("picCalibration").Visible());
    EXPECT_GE(h.backend.CursorCount(), 0);
    EXPECT_EQ(captions, (std::vector<std::string>{"TOUCH", "HOLD", "LIFT-OFF", "TOUCH", "HOLD", "LIFT-OFF",
                                                  "TOUCH", "HOLD", "LIFT-OFF", "TOUCH", "HOLD", "LIFT-OFF"}));
}

TEST_F(CalibrationTest, EdgeRunWithNoRestoresTheOldCalibration) {
    Touch4({{511, 60}, {960, 383}, {511, 700}, {60, 383}});
    h.backend.ScriptAnswer(ui::kIdNo);
    Run(1);
    // The new words went first; No sent back exactly the old ones.
    ASSERT_EQ(sentCalibrations.size(), 2u);
    EXPECT_EQ(sentCalibrations[0].CalXMid, 511);
    EXPECT_EQ(sentCalibrations[0].PanelDirection, 0);
    EXPECT_EQ(sentCalibrations[1], old);
    EXPECT_EQ(StoredCalibration(), old);
    EXPECT_EQ(h.backend.CurrentPointer(), ui::Pointer::Default);
}

TEST_F(CalibrationTest, ARefusalShowsTheErrorAndSendsNothing) {
    Touch4({{40, 40}, {40, 40}, {40, 40}, {40, 40}});
    Run(0);
    ASSERT_EQ(h.MsgBoxes().size(), 1u);
    EXPECT_EQ(h.MsgBoxes()[0].text.substr(0, 26), "Incorrect Panel Direction!");
    EXPECT_EQ(h.MsgBoxes()[0].flags, kError);
    EXPECT_EQ(h.MsgBoxes()[0].caption, "Touchscreen Calibration");
    EXPECT_EQ(h.backend.BeepCount(), 1);
    EXPECT_EQ(Count(KESMA_SET_CALIBRATION), 0);
    EXPECT_EQ(Phases(), (std::vector<int>{5, 5, 5, 5}));
    EXPECT_EQ(StoredCalibration(), old);
}

TEST_F(CalibrationTest, UnsupportedModeAndTinyScreenAreRefusedBeforeAnyTarget) {
    h.cp.Store.CalibrationMode = 5;
    Main();
    h.cp.Store.CalibrationMode = 5;
    h.device.ClearJournal();
    Main().Ctl<ui::Button>("cmdCalibration").UserClick();
    ASSERT_EQ(h.MsgBoxes().size(), 1u);
    EXPECT_EQ(h.MsgBoxes()[0].text, "Fail to calibration! ( mode 5 not support )");
    EXPECT_EQ(h.MsgBoxes()[0].flags, ui::kMbOk);
    EXPECT_EQ(h.MsgBoxes()[0].caption, kAppTitle);

    stored.ScreenWidth = 32;
    h.cp.Link.Settings.ScreenWidth = 32;
    ui::Form& f = Run(1);
    ASSERT_EQ(h.MsgBoxes().size(), 2u);
    EXPECT_EQ(h.MsgBoxes()[1].text,
              "Invalid Screen Resolution! (32 X 768)\r\n\r\nThe screen must be more than 32 pixels wide and high to "
              "calibrate.");
    EXPECT_TRUE(f.Ctl<ui::PictureBox>("picCalibration").DrawOps().empty());
    EXPECT_TRUE(Phases().empty());
    EXPECT_EQ(Count(KESMA_SET_CALIBRATION), 0);
    EXPECT_GE(h.backend.CursorCount(), 0);
}

TEST_F(CalibrationTest, EscWithNoRestartsTheCountdownAndYesBreaks) {
    // Esc at 15 s on the first target, answered No: the countdown starts again, so the
    // run is still there at 30 s; at 31 s Esc again, answered Yes.
    h.backend.ScriptAnswer(ui::kIdNo);
    h.backend.ScriptAnswer(ui::kIdYes);
    int escs = 0;
    std::size_t opsBefore = 0;
    script = [&](ui::Form& f, std::uint32_t t) {
        if ((escs == 0 && t >= 15000) || (escs == 1 && t >= 31000)) {
            ++escs;
            // The main window's hourglass stays over the main window.
            EXPECT_EQ(h.backend.PointerOver(f), ui::Pointer::Default);
            opsBefore = f.Ctl<ui::PictureBox>("picCalibration").DrawOps().size();
            f.UserKeyPress(27);
            // The cross was erased and drawn again: box and two lines each time.
            const auto& ops = f.Ctl<ui::PictureBox>("picCalibration").DrawOps();
            ASSERT_EQ(ops.size(), opsBefore + 6);
            EXPECT_EQ(ops[opsBefore].color, ui::kWhite);
            EXPECT_EQ(ops[opsBefore + 3].color, kRed);
        }
    };
    Run(0);
    EXPECT_EQ(escs, 2);
    EXPECT_EQ(Phases(), (std::vector<int>{0, 0, 4}));
    ASSERT_EQ(h.MsgBoxes().size(), 2u);
    EXPECT_EQ(h.MsgBoxes()[0].text, "Are you sure you want to break calibration?");
    EXPECT_EQ(h.MsgBoxes()[0].flags, kQuestion | ui::kMbDefButton2);
    EXPECT_EQ(h.MsgBoxes()[0].caption, "TouchScreen Calibration");
    EXPECT_EQ(Count(KESMA_SET_CALIBRATION), 0);
    EXPECT_GE(h.backend.CursorCount(), 0);
}

TEST_F(CalibrationTest, TwentyIdleSecondsEndTheRunWithTwentyRedBlocks) {
    ui::Form& f = Run(0);
    EXPECT_EQ(Phases(), std::vector<int>{4});
    EXPECT_GE(phases[0].first - start, 20000u);
    EXPECT_LT(phases[0].first - start, 20100u);
    EXPECT_TRUE(h.MsgBoxes().empty());
    std::vector<ui::DrawOp> blocks;
    const auto& ops = f.Ctl<ui::PictureBox>("picHome").DrawOps();
    for (const auto& op : ops) {
        if (op.type == ui::DrawOp::Type::FilledBox && op.color == kRed) blocks.push_back(op);
    }
    // The bar is centred under the message panel: 377 / 2 + 16 - 100 = 104.5 -> 104.
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops[0], (ui::DrawOp{ui::DrawOp::Type::Box, 103, 192, 305, 206, ui::kBlack, 1, {}, {}}));
    ASSERT_EQ(blocks.size(), 20u);
    EXPECT_EQ(blocks[0], (ui::DrawOp{ui::DrawOp::Type::FilledBox, 106, 194, 113, 204, kRed, 1, {}, {}}));
    EXPECT_EQ(blocks[19].x1, 296);
    EXPECT_EQ(blocks[19].x2, 303);
}

TEST_F(CalibrationTest, RightButtonIsPausedOrItsAutomaticModeSwitchedOff) {
    const Hwnd rb = h.windows.Add("rb");
    h.device.state().Sim.RightButtonSlot.Window = static_cast<std::int32_t>(rb);
    stored.RightButton = 1;
    stored.TouchMode = 4;
    stored.RbAutoMode = 1;
    Run(0);  // idles out
    EXPECT_EQ(autoModes, (std::vector<int>{0, 1}));
    EXPECT_TRUE(h.windows.sent.empty());

    h.cp.Link.Settings.TouchMode = 2;
    Main().Ctl<ui::Button>("cmdCalibration").UserClick();
    using M = test::FakeWindows::Message;
    EXPECT_EQ(h.windows.sent, (std::vector<M>{{rb, kWmUser, kRequestHide, 0}, {rb, kWmUser, kRequestShow, 0}}));
}

TEST_F(CalibrationTest, CrossesAreDrawnErasedWhiteAndLabelled) {
    std::vector<std::pair<int, int>> placed;  // LabelAction left and right at each HOLD, in pixels
    std::vector<ui::Align> aligns;
    std::vector<std::string> prompts;  // the visible prompt lines at each change of state
    script = [&](ui::Form& f, std::uint32_t) {
        const ui::Label& a = f.Ctl<ui::Label>("LabelAction");
        if (a.Caption() == "HOLD" && placed.size() < next + 1) {
            placed.push_back({a.Left() / 15, (a.Left() + a.Width()) / 15});
            aligns.push_back(a.Alignment());
            EXPECT_EQ(f.Ctl<ui::PictureBox>("picStat").BackColor(), kYellow);
        }
        const ui::Label& mesg3 = f.Ctl<ui::Label>("lblMesg3");
        std::string prompt = mesg3.Visible() ? mesg3.Caption() : f.Ctl<ui::Label>("lblMesg2").Caption();
        if (prompts.empty() || prompts.back() != prompt) prompts.push_back(prompt);
    };
    Touch4({{50, 50}, {970, 50}, {970, 970}, {50, 970}});
    ui::Form& f = Run(0);
    const auto& ops = f.Ctl<ui::PictureBox>("picCalibration").DrawOps();
    ASSERT_GE(ops.size(), 6u);
    using T = ui::DrawOp::Type;
    EXPECT_EQ(ops[0], (ui::DrawOp{T::Box, 0, 0, 31, 31, kRed, 1, {}, {}}));
    EXPECT_EQ(ops[1], (ui::DrawOp{T::Line, 0, 15, 31, 15, ui::kBlack, 1, {}, {}}));
    EXPECT_EQ(ops[2], (ui::DrawOp{T::Line, 15, 0, 15, 31, ui::kBlack, 1, {}, {}}));
    EXPECT_EQ(ops[3], (ui::DrawOp{T::Box, 0, 0, 31, 31, ui::kWhite, 1, {}, {}}));
    EXPECT_EQ(ops[5].color, ui::kWhite);
    // The headless font is 7 x 13 pixels a character: "X" is 7 wide.
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_EQ(placed[0].first, 31 + 7);                          // TOP-LEFT: left edge beside the box
    EXPECT_EQ(placed[1].second, 1023 - 33);                      // TOP-RIGHT: right edge at the box
    EXPECT_EQ(aligns, (std::vector<ui::Align>{ui::Align::Left, ui::Align::Right, ui::Align::Right, ui::Align::Left}));
    EXPECT_EQ(f.Ctl<ui::Label>("LabelAction").Top() / 15, 767 - 33);        // DOWN-LEFT: level with the box top
    EXPECT_EQ(prompts, (std::vector<std::string>{
                           "show on the TOP-LEFT of the screen", "PLEASE LIFT OFF TO NEXT STEP!",
                           "show on the TOP-RIGHT of the screen", "PLEASE LIFT OFF TO NEXT STEP!",
                           "show on the DOWN-RIGHT of the screen", "PLEASE LIFT OFF TO NEXT STEP!",
                           "show on the DOWN-LEFT of the screen", "PLEASE LIFT OFF TO NEXT STEP!"}));
}

}  // namespace
}  // namespace kesma::controlpanel
