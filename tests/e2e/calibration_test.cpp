// Kesmapan's calibration against the simulated driver: whole runs in both modes with the
// words they give, the save and restore answer, the refusals, the break, what a No leaves on
// the screen and the idle end, the right-button program stepping aside, and the round trip
// over every panel wiring, also at 200 %.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kProgram = "Kesmapan.exe";
constexpr const char* kMainCaption = " TouchScreen Control Panel #Velorix";  // Kesmarbtn has a frmMain too
constexpr const char* kRightButtonCaption = " C-RBF";
constexpr DWORD kRunTimeoutMs = 15000;

struct Words {
    int xMin, xMid, xMax, yMin, yMid, yMax, direction;
    bool operator==(const Words&) const = default;
};

Words WordsOf(const DeviceSettings& s) {
    return {s.CalXMin, s.CalXMid, s.CalXMax, s.CalYMin, s.CalYMid, s.CalYMax, s.PanelDirection};
}

std::pair<int, int> ParsePoint(const std::string& json) {
    int x = -1, y = -1;
    std::sscanf(json.c_str(), " {\"X\": %d, \"Y\": %d}", &x, &y);
    return {x, y};
}

class CalibrationE2e : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        Kesmasim("set CalXMin=11 CalXMid=22 CalXMax=33 CalYMin=44 CalYMid=55 CalYMax=66 PanelDirection=5");
        old = WordsOf(driver.State().Settings);
    }

    HWND StartMain() {
        EXPECT_TRUE(programs.Start(kProgram).has_value());
        return ax::WaitTopWindow(kMainCaption);
    }

    // Chooses the mode and presses Calibration; returns the calibration window.
    HWND Open(int mode) {
        EXPECT_EQ(ax::SetValue(main, ax::FindControl(main, "cboCalibration"), mode), "");
        EXPECT_EQ(ax::Click(main, ax::FindControl(main, "cmdCalibration")), "");
        return ax::WaitTopWindow("frmCalibration");
    }

    // Starts the control panel (into `main`) and a run in `mode`; returns the calibration
    // window once it asks for its first touch, or nullptr.
    HWND StartRun(int mode) {
        main = StartMain();
        if (main == nullptr) return nullptr;
        HWND form = Open(mode);
        return form != nullptr && WaitForTouchPrompt(form) ? form : nullptr;
    }

    // Waits until the window asks for a touch on its next cross.
    bool WaitForTouchPrompt(HWND form) {
        return Eventually([&] { return IsWindow(form) && ReadNamedControl(form, "LabelAction").text == "TOUCH"; },
                          kRunTimeoutMs);
    }

    // One touch per target: `touch(i)` holds the finger on target i and lifts it.
    void TouchTargets(HWND form, const std::function<void(int)>& touch) {
        for (int i = 0; i < 4; ++i) {
            ASSERT_TRUE(WaitForTouchPrompt(form)) << "target " << i;
            touch(i);
        }
    }

    void HoldRaw(HWND form, const std::vector<std::pair<int, int>>& points) {
        TouchTargets(form, [&](int i) {
            Kesmasim("hold " + std::to_string(points[i].first) + " " + std::to_string(points[i].second) + " --ms 700");
        });
    }

    // Answers the box the run ends with and waits for the main window.
    ax::MessageBoxInfo Answer(const std::string& button) {
        const auto box = ax::WaitMessageBox(kRunTimeoutMs);
        EXPECT_TRUE(box.has_value());
        if (!box) return {};
        EXPECT_EQ(ax::PressMessageBoxButton(*box, button), "");
        EXPECT_TRUE(Eventually([&] { return IsWindowVisible(main) != FALSE; }, kRunTimeoutMs));
        return *box;
    }

    // Presses Esc and answers the break question with No; returns once the window shows
    // its prompts again and the question has gone from the screen.
    void BreakAnsweredNo(HWND form) {
        ASSERT_EQ(ax::Key(form, "Esc", 0), "");
        const auto box = ax::WaitMessageBox();
        ASSERT_TRUE(box.has_value());
        ASSERT_EQ(ax::PressMessageBoxButton(*box, "No"), "");
        ASSERT_TRUE(Eventually([&] { return !ax::FindMessageBox() && ReadNamedControl(form, "lblHelp").visible; }));
    }

    // Keeps a finger down at raw (x, y), with fresh reports, until LabelAction reads `action`.
    bool HoldUntil(HWND form, int x, int y, const std::string& action) {
        return Eventually(
            [&] {
                driver.PostTouch(x, y, true);
                return ReadNamedControl(form, "LabelAction").text == action;
            },
            kRunTimeoutMs);
    }

    // The red blocks of the idle bar on the screen: the only red inside picHome.
    int IdleBlocks(HWND form) {
        RECT r{};
        GetWindowRect(ax::FindControl(form, "picHome"), &r);
        const auto shot = ax::CaptureScreen(r);
        if (!shot) return -1;
        int blocks = 0;
        bool inBlock = false;
        for (int x = 0; x < shot->width; ++x) {
            bool red = false;
            for (int y = 0; y < shot->height && !red; ++y) red = shot->At(x, y) == RGB(255, 0, 0);
            blocks += red && !inBlock;
            inBlock = red;
        }
        return blocks;
    }

    // The red and black pixels (a cross's box and lines) in the TOP-LEFT cross's box.
    int FirstCrossPixels() {
        const auto shot = ax::CaptureScreen(RECT{0, 0, 32, 32});
        if (!shot) return -1;
        int marked = 0;
        for (int y = 0; y < shot->height; ++y) {
            for (int x = 0; x < shot->width; ++x) {
                const COLORREF c = shot->At(x, y);
                marked += c == RGB(255, 0, 0) || c == RGB(0, 0, 0);
            }
        }
        return marked;
    }

    // Calibrates in `mode` on the open calibration window by tapping the cross centres through
    // the simulated panel, keeps the result, then taps a grid of pixels: the worst distance
    // between a tapped pixel and where the driver puts it.
    int CalibrateAndMeasure(HWND form, int mode) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        const int r = w - 1, b = h - 1, cx = w / 2 - 1, cy = h / 2 - 1;
        const std::pair<int, int> centres[2][4] = {{{15, 15}, {r - 17, 15}, {r - 17, b - 17}, {15, b - 17}},
                                                   {{cx, 15}, {r - 17, cy}, {cx, b - 17}, {15, cy}}};
        const std::pair<int, int> grid[] = {{0, 0}, {r, 0}, {r, b}, {0, b}, {w / 2, h / 2}, {w / 4, 3 * h / 4}};
        TouchTargets(form, [&](int i) {
            Kesmasim("tap " + std::to_string(centres[mode][i].first) + " " + std::to_string(centres[mode][i].second) +
                     " --ms 700");
        });
        Answer("Yes");
        int worst = 0;
        for (auto [px, py] : grid) {
            const auto raw = ParsePoint(Kesmasim("tap " + std::to_string(px) + " " + std::to_string(py) + " --ms 0").out);
            const auto got = ParsePoint(Kesmasim("map " + std::to_string(raw.first) + " " + std::to_string(raw.second)).out);
            worst = std::max({worst, std::abs(got.first - px), std::abs(got.second - py)});
        }
        return worst;
    }

    Words old{};
    HWND main = nullptr;
};

bool TopMost(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST_F(CalibrationE2e, CornerRunKeepsTheNewCalibrationOnYes) {
    HWND form = StartRun(0);
    ASSERT_NE(form, nullptr);
    // Above every other always-on-top window while it runs, and no more once it closes.
    EXPECT_TRUE(TopMost(form));
    Shot(form, "frmCalibration");
    HoldRaw(form, {{50, 50}, {970, 50}, {970, 970}, {50, 970}});
    const ax::MessageBoxInfo box = Answer("Yes");
    EXPECT_TRUE(!IsWindow(form) || !TopMost(form));
    EXPECT_EQ(box.caption, "TouchScreen Calibration");
    EXPECT_EQ(box.icon, "question");
    EXPECT_EQ(box.text.substr(0, 26), "CALIBRATION IS COMPLETE.\r\r");
    EXPECT_EQ(WordsOf(driver.State().Settings), (Words{35, 510, 985, 30, 510, 990, 0}));
    EXPECT_EQ(driver.State().CalibrationPhase, 0);
}

TEST_F(CalibrationE2e, EdgeRunOnAnExchangedPanelRestoresTheOldCalibrationOnNo) {
    HWND form = StartRun(1);
    ASSERT_NE(form, nullptr);
    // TOP, RIGHT, DOWN, LEFT with the raw axes exchanged.
    HoldRaw(form, {{60, 511}, {383, 960}, {700, 511}, {383, 60}});
    ASSERT_TRUE(ax::WaitMessageBox(kRunTimeoutMs).has_value());
    // The new words are in the driver while the question is open.
    // Exchanged: TOP (511, 60), RIGHT (960, 383), DOWN (511, 700), LEFT (60, 383); on
    // halves of 496 and 368 pixels, offLeft = 452 * 16 / 496 = 14.58, offRight = 14.52,
    // offTop = 324 * 16 / 368 = 14.09, offBottom = 13.83.
    EXPECT_EQ(WordsOf(driver.State().Settings), (Words{45, 511, 975, 46, 383, 714, 4}));
    Answer("No");
    EXPECT_EQ(WordsOf(driver.State().Settings), old);
}

TEST_F(CalibrationE2e, WrongDirectionAndShortSpansAreRefused) {
    main = StartMain();
    ASSERT_NE(main, nullptr);
    struct Case {
        std::vector<std::pair<int, int>> points;
        const char* start;
    };
    const Case cases[] = {{{{40, 40}, {40, 40}, {40, 40}, {40, 40}}, "Incorrect Panel Direction! (00000000-00000000)"},
                          {{{400, 400}, {600, 400}, {600, 600}, {400, 600}}, "Invalid Result of Calibration! (1234)"}};
    for (const Case& c : cases) {
        HWND form = Open(0);
        ASSERT_NE(form, nullptr);
        HoldRaw(form, c.points);
        const ax::MessageBoxInfo box = Answer("OK");
        EXPECT_EQ(box.caption, "Touchscreen Calibration");
        EXPECT_EQ(box.icon, "error");
        EXPECT_EQ(box.text.substr(0, std::string(c.start).size()), c.start);
        EXPECT_EQ(WordsOf(driver.State().Settings), old);
    }
}

// Esc answered Yes ends the run; the right-button program hides for the run and comes back.
TEST_F(CalibrationE2e, EscWithYesBreaksAndTheRightButtonProgramStepsAside) {
    Kesmasim("set TouchMode=2 RightButton=1");
    ASSERT_TRUE(programs.Start("Kesmarbtn.exe").has_value());
    HWND rightButton = ax::WaitTopWindow(kRightButtonCaption);
    ASSERT_NE(rightButton, nullptr);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(rightButton) != FALSE; }));
    HWND form = StartRun(0);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(Eventually([&] { return !IsWindowVisible(rightButton); }));
    EXPECT_EQ(ax::Key(form, "Esc", 0), "");
    const auto box = ax::WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Are you sure you want to break calibration?");
    EXPECT_EQ(box->caption, "TouchScreen Calibration");
    EXPECT_EQ(ax::PressMessageBoxButton(*box, "Yes"), "");
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(main) != FALSE; }, kRunTimeoutMs));
    EXPECT_EQ(driver.State().CalibrationPhase, 4);
    EXPECT_EQ(WordsOf(driver.State().Settings), old);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(rightButton) != FALSE; }));
}

// Esc answered No puts back exactly what the screen showed: no countdown where none ran (the
// first lift-off wait, the lift-off after a point), no cross once its point is taken; and the
// next target starts on an empty idle bar.
TEST_F(CalibrationE2e, EscAnsweredNoLeavesTheScreenAsItWas) {
    driver.PostTouch(500, 500, true);  // a finger on the panel when the run starts
    main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND form = Open(0);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(Eventually([&] { return ReadNamedControl(form, "lblMesg3").visible; }));
    BreakAnsweredNo(form);
    // Long enough for three blocks of a countdown.
    Eventually([&] { return IdleBlocks(form) >= 3; }, 3500);
    EXPECT_EQ(IdleBlocks(form), 0) << "a countdown in the first lift-off wait";
    driver.PostTouch(500, 500, false);
    ASSERT_TRUE(WaitForTouchPrompt(form));
    EXPECT_LE(IdleBlocks(form), 1) << "the first target's bar did not start empty";

    ASSERT_TRUE(HoldUntil(form, 50, 50, "LIFT-OFF"));
    EXPECT_TRUE(Eventually([&] { return FirstCrossPixels() == 0; }));  // the point is taken: erased
    BreakAnsweredNo(form);
    Eventually([&] { return IdleBlocks(form) > 0 || FirstCrossPixels() > 0; }, 2500);
    EXPECT_EQ(IdleBlocks(form), 0) << "a countdown while waiting for the lift-off";
    EXPECT_EQ(FirstCrossPixels(), 0) << "the taken target's cross came back";
    driver.PostTouch(50, 50, false);
    EXPECT_TRUE(WaitForTouchPrompt(form));  // the run goes on with the next target
}

TEST_F(CalibrationE2e, TwentySecondsWithoutATouchEndTheRunSilently) {
    HWND form = StartRun(1);
    ASSERT_NE(form, nullptr);
    const DWORD shown = GetTickCount();
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(main) != FALSE; }, 30000));
    EXPECT_GE(GetTickCount() - shown, 19000u);
    EXPECT_FALSE(ax::FindMessageBox().has_value());
    EXPECT_EQ(driver.State().CalibrationPhase, 4);
}

// For every wiring of a panel with a narrower raw range, and both modes: calibrate by
// touching the cross centres, then touch a grid of pixels; the driver puts each within
// 2 pixels of the touch. The table of worst errors is printed.
TEST_F(CalibrationE2e, RoundTripOverEveryPanelWiring) {
    main = StartMain();
    ASSERT_NE(main, nullptr);
    std::string table = "worst error in pixels (wiring x mode)\n  wiring                        mode 1  mode 2\n";
    int worstOfAll = 0;
    for (int wiring = 0; wiring < 8; ++wiring) {
        std::string wires;
        if (wiring & 1) wires += " --invert-x";
        if (wiring & 2) wires += " --invert-y";
        if (wiring & 4) wires += " --swap";
        const std::string flags = " --raw-min 40 --raw-max 990" + wires;
        Kesmasim("panel" + flags);
        char row[80];
        int worst[2] = {0, 0};
        for (int mode = 0; mode < 2; ++mode) {
            HWND form = Open(mode);
            ASSERT_NE(form, nullptr);
            worst[mode] = CalibrateAndMeasure(form, mode);
            EXPECT_LE(worst[mode], 2) << "wiring" << flags << " mode " << mode + 1;
            worstOfAll = std::max(worstOfAll, worst[mode]);
        }
        std::snprintf(row, sizeof row, "  %-28s  %6d  %6d\n", wires.empty() ? "normal" : wires.c_str() + 1, worst[0],
                      worst[1]);
        table += row;
    }
    std::printf("%s  worst of all: %d\n", table.c_str(), worstOfAll);
    std::fflush(stdout);
}

// At 200 % the calibration window covers the whole screen, and a wired panel calibrated by
// touching the crosses puts touches within 2 pixels, in both modes.
TEST_F(CalibrationE2e, At200PercentTheRunCoversTheScreenAndLandsTouches) {
    SystemDpi dpi(192);
    main = StartMain();
    ASSERT_NE(main, nullptr);
    Kesmasim("panel --raw-min 40 --raw-max 990 --invert-y --swap");
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    for (int mode = 0; mode < 2; ++mode) {
        HWND form = Open(mode);
        ASSERT_NE(form, nullptr);
        ASSERT_TRUE(WaitForTouchPrompt(form));
        for (HWND w : {form, ax::FindControl(form, "picCalibration")}) {
            RECT r{};
            GetWindowRect(w, &r);
            EXPECT_TRUE(EqualRect(&r, &screen)) << r.left << "," << r.top << " " << r.right << "x" << r.bottom;
        }
        if (mode == 0) Shot(form, "frmCalibration-200");
        EXPECT_LE(CalibrateAndMeasure(form, mode), 2) << "mode " << mode + 1;
    }
}

}  // namespace
}  // namespace kesma::e2e
