#include "controlpanel/calibration.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "shared/device_link.h"
#include "shared/forms.h"
#include "shared/records.h"

namespace kesma::controlpanel {

namespace {

constexpr ui::Color kLightGrey = ui::Rgb(192, 192, 192);
constexpr ui::Color kRed = ui::Rgb(255, 0, 0);
constexpr ui::Color kGreen = ui::Rgb(0, 255, 0);
constexpr ui::Color kBlue = ui::Rgb(0, 0, 255);
constexpr ui::Color kSystemWindow = 0x80000005;  // COLOR_WINDOW

const ui::Font kPromptFont{"MS Sans Serif", 9.75, true, false};
const ui::Font kSmallBoldFont{"MS Sans Serif", 8.25, true, false};

constexpr int kSteadyRange = 4;   // raw units around the reference
constexpr int kSamplesNeeded = 4;

constexpr const char* kQuestionTitle = "TouchScreen Calibration";
constexpr const char* kErrorTitle = "Touchscreen Calibration";

struct Target {
    int index;
    const char* name;
};
constexpr Target kCornerTargets[] = {{1, "TOP-LEFT"}, {2, "TOP-RIGHT"}, {3, "DOWN-RIGHT"}, {4, "DOWN-LEFT"}};
constexpr Target kEdgeTargets[] = {{5, "TOP"}, {6, "RIGHT"}, {7, "DOWN"}, {8, "LEFT"}};

// A cross coordinate anchored at the low edge, the high edge or the centre.
void AtLow(int e, int& a, int& c, int& b) { a = e, c = e + kCrossHalfSize - 1, b = e + 2 * kCrossHalfSize - 1; }
void AtHigh(int e, int& a, int& c, int& b) { a = e - 2 * kCrossHalfSize - 1, c = e - kCrossHalfSize - 1, b = e; }
void AtCentre(int m, int& a, int& c, int& b) { a = m - kCrossHalfSize - 1, c = m, b = m + kCrossHalfSize - 1; }

Calibration CalibrationOf(const DeviceSettings& s) {
    return {s.CalXMin, s.CalXMid, s.CalXMax, s.CalYMin, s.CalYMid, s.CalYMax, s.PanelDirection};
}

void WriteCalibration(DeviceSettings& s, const Calibration& c) {
    s.CalXMin = c.CalXMin, s.CalXMid = c.CalXMid, s.CalXMax = c.CalXMax;
    s.CalYMin = c.CalYMin, s.CalYMid = c.CalYMid, s.CalYMax = c.CalYMax;
    s.PanelDirection = c.PanelDirection;
}

}  // namespace

CrossBox CrossMarkBox(int index, int scaleWidth, int scaleHeight) {
    const int r = scaleWidth - 1, b = scaleHeight - 1;
    const int cx = RoundHalfEven(scaleWidth / 2.0 - 1), cy = RoundHalfEven(scaleHeight / 2.0 - 1);
    CrossBox box{};
    // Columns: left, right or centre; rows: top, bottom or centre.
    const bool left = index == 1 || index == 4 || index == 8, right = index == 2 || index == 3 || index == 6;
    const bool top = index == 1 || index == 2 || index == 5, bottom = index == 3 || index == 4 || index == 7;
    if (left) AtLow(0, box.x1, box.xc, box.x2);
    else if (right) AtHigh(r, box.x1, box.xc, box.x2);
    else AtCentre(cx, box.x1, box.xc, box.x2);
    if (top) AtLow(0, box.y1, box.yc, box.y2);
    else if (bottom) AtHigh(b, box.y1, box.yc, box.y2);
    else AtCentre(cy, box.y1, box.yc, box.y2);
    return box;
}

frmCalibration::frmCalibration(ui::App& app, ControlPanel& cp)
    : ui::Form(app, "frmCalibration", app.Screen().widthTwips, app.Screen().heightTwips), cp_(cp) {
    SetCaption("Calibration");
    SetBackColor(kLightGrey);
    SetBorderless(true);
    SetMaximized(true);
    // No other always-on-top window (the taskbar, an on-screen keyboard) may cover the
    // crosses at the screen's edges.
    SetTopMost(true);
    SetKeyPreview(true);

    ui::Control& cal = Add(ui::Kind::PictureBox, "picCalibration", 0, 0, ScaleWidth(), ScaleHeight());
    cal.SetBackColor(kSystemWindow);
    ui::Control& home = Add(ui::Kind::PictureBox, "picHome", 0, 0, 6135, 3255, &cal);
    ui::Control& stat = Add(ui::Kind::PictureBox, "picStat", 1620, 0, 2895, 975, &home);
    stat.SetBackColor(ui::kWhite);
    ui::Control& resolution = Add(ui::Kind::Label, "lblResolution", 360, 360, 0, 0, &stat);
    resolution.SetCaption("Resolution: 1280 X 1024");
    resolution.SetFont(kSmallBoldFont);
    resolution.SetForeColor(ui::kBlack);
    resolution.SetAlignment(ui::Align::Center);

    ui::Control& mesg = Add(ui::Kind::PictureBox, "picMesg", 240, 1320, 5655, 975, &home);
    mesg.SetBackColor(ui::kBlack);
    struct LabelDesign {
        const char* name;
        int left, top;
        ui::Color color;
        ui::Align align;
        const char* caption;
    };
    for (const LabelDesign& d :
         {LabelDesign{"lblMesg3", 195, 0, ui::kYellow, ui::Align::Center, "Please lift off from TouchScreen to start calibration"},
          LabelDesign{"lblMesg1", 480, 240, kGreen, ui::Align::Center, "Please touch on the center of Cross Mark that"},
          LabelDesign{"lblMesg2", 480, 480, kGreen, ui::Align::Left, "show on the TOP-LEFT coner of the screen"}}) {
        ui::Control& label = Add(ui::Kind::Label, d.name, d.left, d.top, 0, 0, &mesg);
        label.SetCaption(d.caption);
        label.SetFont(kPromptFont);
        label.SetForeColor(d.color);
        label.SetAlignment(d.align);
    }
    ui::Control& help = Add(ui::Kind::Label, "lblHelp", 0, 2520, 0, 195, &home);
    help.SetCaption("Press ESC key to break calibration");
    help.SetFont(kSmallBoldFont);
    help.SetForeColor(kBlue);
    help.SetAlignment(ui::Align::Center);

    ui::Control& action = Add(ui::Kind::Label, "LabelAction", 0, 0, 0, 0, &cal);
    action.SetForeColor(ui::kBlack);
    action.SetAlignment(ui::Align::Center);
    ui::Control& title = Add(ui::Kind::Label, "lblTitle", 0, 0, 0, 0, &cal);
    title.SetCaption("TouchScreen Calibration");
    title.SetFont({"Times New Roman", 21.75, true, false});
    title.SetForeColor(kRed);
    for (ui::Control* label : {&resolution, &help, &action, &title, &Ctl("lblMesg1"), &Ctl("lblMesg2"),
                               &Ctl("lblMesg3")}) {
        label->SetBackTransparent(true);
    }

    ui::Control& hold = Add(ui::Kind::Timer, "TimerHOLD", 0, 0, 0, 0);
    hold.SetInterval(500);
    hold.SetEnabled(false);
    hold.OnTimer = [this] { TimerHOLD_Timer(); };
    ui::Control& idle = Add(ui::Kind::Timer, "TimerIDEL", 0, 0, 0, 0);
    idle.SetInterval(1000);
    idle.SetEnabled(false);
    idle.OnTimer = [this] { TimerIDEL_Timer(); };

    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnKeyPress = [this](int ascii) { Form_KeyPress(ascii); };
    OnUnload = [this] { Form_Unload(); };
    OnResize = [this] { Form_Resize(); };
}

int frmCalibration::Px(int twips) const { return app().Screen().TwipsToPixelsX(twips); }
int frmCalibration::Tw(int px) const { return app().Screen().PixelsToTwipsX(px); }

void frmCalibration::FitLabel(ui::Control& label) {
    const ui::TextExtent extent = app().MeasureText(label.GetFont(), label.Caption());
    label.SetWidth(Tw(extent.widthPx));
    label.SetHeight(Tw(extent.heightPx));
}

void frmCalibration::SetLabelCaption(ui::Control& label, const std::string& text) {
    const int oldWidth = label.Width();
    label.SetCaption(text);
    FitLabel(label);
    const int grown = label.Width() - oldWidth;
    if (label.Alignment() == ui::Align::Right) label.SetLeft(label.Left() - grown);
    if (label.Alignment() == ui::Align::Center) label.SetLeft(label.Left() - grown / 2);
}

void frmCalibration::Form_Load() {
    DeviceSettings& s = cp_.Link.Settings;
    ResolutionX = static_cast<std::int16_t>(s.ScreenWidth);
    ResolutionY = static_cast<std::int16_t>(s.ScreenHeight);
    SavedRbAutoMode = s.RbAutoMode;
    if (s.RightButton == 1) {
        if (s.TouchMode == KESMA_DRAG_DROP_MODE && s.RbAutoMode != 0) {
            s.RbAutoMode = 0;
            cp_.Link.SetTouchMode();
        } else {
            cp_.Programs.NotifyCalibrationStart();
        }
    }
    ui::Control& resolution = Ctl("lblResolution");
    resolution.SetCaption("Resolution: " + std::to_string(ResolutionX) + " X " + std::to_string(ResolutionY));
    // Every label takes the size of its caption, from its design position.
    for (const char* name : {"lblResolution", "lblMesg1", "lblMesg2", "lblMesg3", "lblHelp", "lblTitle", "LabelAction"}) {
        FitLabel(Ctl(name));
    }
    Form_Resize();
}

void frmCalibration::Form_Resize() {
    ui::Control& cal = Ctl("picCalibration");
    cal.Move(0, 0, ScaleWidth(), ScaleHeight());
    ui::Control& home = Ctl("picHome");
    ui::Control& mesg = Ctl("picMesg");
    ui::Control& stat = Ctl("picStat");
    const int scaleW = Px(cal.ScaleWidth()), scaleH = Px(cal.ScaleHeight());
    home.SetWidth(mesg.Width() + 2 * mesg.Left());
    home.SetTop(Tw((scaleH - Px(home.Height())) / 2));
    home.SetLeft(Tw((scaleW - Px(home.Width())) / 2));
    ui::Control& title = Ctl("lblTitle");
    title.SetTop(home.Top() - title.Height() * 3 / 2);
    title.SetLeft(Tw((scaleW - Px(title.Width())) / 2));
    stat.SetLeft((home.Width() - stat.Width()) / 2);
    mesg.SetLeft((home.Width() - mesg.Width()) / 2);
    ui::Control& mesg3 = Ctl("lblMesg3");
    mesg3.SetTop((stat.Height() - mesg3.Height()) / 2);
    ui::Control& help = Ctl("lblHelp");
    help.SetLeft((home.Width() - help.Width()) / 2);
}

void frmCalibration::Form_Activate() {
    RunCalibration();
    Unload();
}

void frmCalibration::Form_Unload() {
    SetTopMost(false);  // the main window comes back above it while it closes
    DeviceSettings& s = cp_.Link.Settings;
    if (s.RightButton == 1) {
        if (s.TouchMode == KESMA_DRAG_DROP_MODE && SavedRbAutoMode != 0) {
            s.RbAutoMode = 1;
            cp_.Link.SetTouchMode();
        } else {
            cp_.Programs.NotifyCalibrationEnd();
        }
    }
    cp_.ReturnToMainWindow();
    ShowCursor();
}

void frmCalibration::Form_KeyPress(int ascii) { ConfirmBreak(ascii); }

void frmCalibration::TimerHOLD_Timer() { Ctl("TimerHOLD").SetEnabled(false); }

void frmCalibration::TimerIDEL_Timer() {
    FillIdleBlock(IdleCount);
    ++IdleCount;
    if (IdleCount >= IdleSteps) {
        Ctl("TimerIDEL").SetEnabled(false);
        BreakRequested = true;
    }
}

// ---- the run ----

bool frmCalibration::PenDown() const { return (cp_.Link.Touch.Status & KESMA_PEN_DOWN) != 0; }

// The driver is polled between short waits for input, so a waiting target costs
// almost no CPU and a new report is still seen within a few milliseconds.
void frmCalibration::Pump() { app().DoEvents(kPollWaitMs); }

bool frmCalibration::Broken() const { return BreakRequested || !Loaded() || app().Ended(); }

void frmCalibration::HideCursor() {
    while (app().ShowCursor(false) >= 0) {
    }
}

void frmCalibration::ShowCursor() {
    while (app().ShowCursor(true) < 0) {
    }
}

int frmCalibration::AskYesNo(const std::string& text, unsigned extraFlags) {
    return app().MsgBox(text, ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbSystemModal | extraFlags, kQuestionTitle);
}

void frmCalibration::RunCalibration() {
    DeviceLink& link = cp_.Link;
    RawX.fill(0);
    RawY.fill(0);
    link.GetSmiWindow();
    OldCalibration = CalibrationOf(link.Settings);
    HideCursor();
    running_ = true;

    // A panel that never reports lift-off would hold the run here for ever: Esc
    // answered with Yes ends the run from this wait too.
    link.ReadTouchPoint();
    if (PenDown()) {
        ShowLiftOffPrompt("START CALIBRATION!");
        SetTouchIndicator(true);
        link.SetCalibrationPhase(3);
        while (PenDown()) {
            Pump();
            if (Broken()) {
                running_ = false;
                ShowCursor();
                return;
            }
            link.ReadTouchPoint();
        }
    }
    SetTouchIndicator(false);
    BreakRequested = false;

    const std::int32_t mode = cp_.Store.CalibrationMode;
    int result = 1;
    if (mode != 0 && mode != 1) {
        running_ = false;
        ShowCursor();
        app().MsgBox("Fail to calibration! ( mode " + std::to_string(mode) + " not support )");
    } else if (!ScreenCanBeCalibrated(ResolutionX, ResolutionY)) {
        // The extrapolation scales by the screen less the crosses: nothing to scale by.
        running_ = false;
        ShowCursor();
        ShowError(app(),
                  "Invalid Screen Resolution! (" + std::to_string(ResolutionX) + " X " + std::to_string(ResolutionY) +
                      ")\r\n\r\nThe screen must be more than 32 pixels wide and high to calibrate.",
                  kErrorTitle);
    } else {
        result = Calibrate(mode == 0 ? CalibrationKind::Corners : CalibrationKind::Edges);
    }
    running_ = false;
    if (result == 0) ValidateApplyAndAsk();
    ShowCursor();
}

int frmCalibration::Calibrate(CalibrationKind kind) {
    const Target* targets = kind == CalibrationKind::Corners ? kCornerTargets : kEdgeTargets;
    for (int i = 0; i < 4; ++i) {
        if (AcquireTarget(targets[i].index, targets[i].name) != 0) return 1;
    }
    running_ = false;
    TargetPoints points;
    for (int i = 0; i < 4; ++i) points[i] = {RawX[targets[i].index], RawY[targets[i].index]};
    WindowSlot& smi = cp_.Link.SmiSlot;
    smi.Word = static_cast<std::uint16_t>(NormalRotation(smi.Word));
    const CalibrationOutcome outcome = ComputeCalibration(kind, points, smi.Word, ResolutionX, ResolutionY);
    if (!outcome.direction.ok) {
        ShowCursor();
        ShowError(app(),
                  "Incorrect Panel Direction! (" + outcome.direction.firstCode + "-" + outcome.direction.secondCode +
                      ")\r\n\r\nPlease checkout the pinout of your touch panel.",
                  kErrorTitle);
        HideCursor();
        return 1;
    }
    pending_ = outcome.result;
    return 0;
}

int frmCalibration::AcquireTarget(int index, const std::string& name) {
    DeviceLink& link = cp_.Link;
    ui::Control& hold = Ctl("TimerHOLD");
    CurrentTarget = index;
    std::array<RawPoint, kSamplesNeeded> samples{};
    for (;;) {
        DrawCrossMark(index, true);
        ShowTouchPrompt(name);
        SetLabelCaption(Ctl("LabelAction"), "TOUCH");
        SetTouchIndicator(false);
        StartIdleCountdown();
        Pump();

        do {
            link.ReadTouchPoint();
            Pump();
            if (Broken()) return Abandon();
        } while (!PenDown());
        int refX = link.Touch.X, refY = link.Touch.Y;
        std::uint16_t lastSeq = link.Touch.Sequence;

        SetTouchIndicator(true);
        SetLabelCaption(Ctl("LabelAction"), "HOLD");
        StopIdleCountdown();
        int n = 0;
        // Each touch-down gets a whole period, also right after an early lift.
        hold.SetEnabled(false);
        hold.SetEnabled(true);
        Pump();

        bool lifted = false;
        for (;;) {
            link.ReadTouchPoint();
            const TouchPoint report = link.Touch;
            Pump();
            if (Broken()) return Abandon();
            if ((report.Status & KESMA_PEN_DOWN) == 0) {
                lifted = true;
                break;
            }
            if (hold.Enabled()) {
                if (report.Sequence == lastSeq) continue;
                lastSeq = report.Sequence;
                if (n >= kSamplesNeeded) continue;
                if (std::abs(refX - report.X) <= kSteadyRange && std::abs(refY - report.Y) <= kSteadyRange) {
                    samples[n++] = {report.X, report.Y};
                } else {
                    n = 0;
                    refX = report.X, refY = report.Y;
                }
            } else {
                if (n >= kSamplesNeeded) break;
                link.SetCalibrationPhase(3);
                hold.SetEnabled(true);
            }
        }
        if (!lifted) break;
    }

    std::int16_t sumX = 0, sumY = 0;
    for (const RawPoint& p : samples) {
        sumX = static_cast<std::int16_t>(sumX + p.X);
        sumY = static_cast<std::int16_t>(sumY + p.Y);
    }
    RawX[index] = static_cast<std::int16_t>(std::floor(sumX / static_cast<double>(kSamplesNeeded)));
    RawY[index] = static_cast<std::int16_t>(std::floor(sumY / static_cast<double>(kSamplesNeeded)));

    DrawCrossMark(index, false);
    ShowLiftOffPrompt("NEXT STEP!");
    SetLabelCaption(Ctl("LabelAction"), "LIFT-OFF");
    link.SetCalibrationPhase(5);

    Pump();
    for (;;) {
        link.ReadTouchPoint();
        if (!PenDown()) break;
        Pump();
        if (Broken()) return Abandon();
    }
    SetTouchIndicator(false);
    return 0;
}

int frmCalibration::Abandon() {
    cp_.Link.SetCalibrationPhase(4);
    return 1;
}

void frmCalibration::ConfirmBreak(int keyCode) {
    if (keyCode != ui::kKeyEsc || !running_) return;
    cp_.Link.SetCalibrationPhase(0);
    // A No puts back exactly what was there: the cross is gone once its point is taken, and
    // the countdown runs only while a target waits for its touch.
    const bool crossShown = crossShown_;
    const bool counting = Ctl("TimerIDEL").Enabled();
    DrawCrossMark(CurrentTarget, false);
    StopIdleCountdown();
    for (const char* name : {"picMesg", "lblHelp", "LabelAction"}) Ctl(name).SetVisible(false);
    ShowCursor();
    BreakRequested = AskYesNo("Are you sure you want to break calibration?", ui::kMbDefButton2) == ui::kIdYes;
    if (!Loaded() || app().Ended()) return;
    HideCursor();
    for (const char* name : {"lblHelp", "picMesg", "LabelAction"}) Ctl(name).SetVisible(true);
    if (counting) StartIdleCountdown();
    if (crossShown) DrawCrossMark(CurrentTarget, true);
}

void frmCalibration::ValidateApplyAndAsk() {
    const std::string code = ValidateCalibration(pending_);
    if (!code.empty()) {
        ShowCursor();
        ShowError(app(),
                  "Invalid Result of Calibration! (" + code +
                      ")\r\n\r\nIt may be cause by that you have calibrated with touch on invalid position.",
                  kErrorTitle);
        HideCursor();
        return;
    }
    ApplyNewCalibration();
    Ctl("picCalibration").SetVisible(false);
    ShowCursor();
    cp_.Link.SetCalibrationPhase(0);
    const int answer = AskYesNo(
        "CALIBRATION IS COMPLETE.\r\rFor test, touch on the screen and check cursor position.\r"
        "To save new calibration, click Yes button.\rTo restore old calibration, click No button.",
        0);
    if (answer == ui::kIdNo) {
        app().SetPointer(ui::Pointer::Hourglass);
        RestoreOldCalibration();
        app().SetPointer(ui::Pointer::Default);
    }
}

void frmCalibration::ApplyNewCalibration() {
    WriteCalibration(cp_.Link.Settings, pending_);
    cp_.Link.SetCalibration();
}

void frmCalibration::RestoreOldCalibration() {
    WriteCalibration(cp_.Link.Settings, OldCalibration);
    cp_.Link.SetCalibration();
}

// Each countdown starts on an empty bar: blocks left by an earlier one would not count.
void frmCalibration::StartIdleCountdown() {
    IdleSteps = 20;
    IdleStepWidth = 10;
    DrawIdleFrame();
    ClearIdleBar();
    Ctl("TimerIDEL").SetEnabled(true);
}

void frmCalibration::StopIdleCountdown() {
    Ctl("TimerIDEL").SetEnabled(false);
    ClearIdleBar();
}

// ---- drawing ----

void frmCalibration::DrawCrossMark(int index, bool visible) {
    ui::Control& action = Ctl("LabelAction");
    const std::string caption = action.Caption();
    SetLabelCaption(action, "X");
    const int wX = Px(action.Width()), h = Px(action.Height());
    if (index >= 1 && index <= 8) {
        ui::Control& cal = Ctl("picCalibration");
        const CrossBox b = CrossMarkBox(index, Px(cal.ScaleWidth()), Px(cal.ScaleHeight()));
        if (visible) {
            struct Place {
                int left, top;
                ui::Align align;
            };
            const Place places[] = {{b.x2 + wX, b.y2 - h, ui::Align::Left},   {b.x1 - wX, b.y2 - h, ui::Align::Right},
                                    {b.x1 - wX, b.y1, ui::Align::Right},       {b.x2 + wX, b.y1, ui::Align::Left},
                                    {b.xc - wX, b.y2 + h, ui::Align::Center},  {b.x1 - wX, b.yc - h, ui::Align::Right},
                                    {b.xc - wX, b.y1 - h, ui::Align::Center},  {b.x2 + wX, b.yc - h, ui::Align::Left}};
            const Place& p = places[index - 1];
            action.SetLeft(Tw(p.left));
            action.SetTop(Tw(p.top));
            action.SetAlignment(p.align);
        }
        crossShown_ = visible;
        const ui::Color boxColor = visible ? kRed : ui::kWhite;
        const ui::Color lineColor = visible ? ui::kBlack : ui::kWhite;
        cal.Box(b.x1, b.y1, b.x2, b.y2, false, boxColor);
        cal.SetForeColor(lineColor);
        cal.Line(b.x1, b.yc, b.x2, b.yc);
        cal.Line(b.xc, b.y1, b.xc, b.y2);
    }
    // Also for an index outside 1..8, so the label never keeps the measuring "X".
    SetLabelCaption(action, caption);
}

void frmCalibration::ShowTouchPrompt(const std::string& name) {
    Ctl("lblMesg3").SetVisible(false);
    ui::Control& first = Ctl("lblMesg1");
    ui::Control& second = Ctl("lblMesg2");
    SetLabelCaption(first, "Please touch on the center of Cross Mark that");
    SetLabelCaption(second, "show on the " + name + " of the screen");
    second.SetLeft(first.Left());
    first.SetVisible(true);
    second.SetVisible(true);
}

void frmCalibration::ShowLiftOffPrompt(const std::string& text) {
    Ctl("lblMesg1").SetVisible(false);
    Ctl("lblMesg2").SetVisible(false);
    ui::Control& prompt = Ctl("lblMesg3");
    SetLabelCaption(prompt, "PLEASE LIFT OFF TO " + text);
    prompt.SetVisible(true);
}

void frmCalibration::SetTouchIndicator(bool touched) {
    Ctl("picStat").SetBackColor(touched ? ui::kYellow : ui::kWhite);
}

void frmCalibration::DrawIdleFrame() {
    const ui::Control& help = Ctl("lblHelp");
    const ui::Control& mesg = Ctl("picMesg");
    const int barWidth = IdleSteps * IdleStepWidth;
    IdleBarTop = RoundHalfEven(Px(help.Top()) + 2.0 * Px(help.Height()));
    IdleBarBottom = IdleBarTop + 10;
    IdleBarLeft = RoundHalfEven(Px(mesg.Width()) / 2.0 + Px(mesg.Left()) - barWidth / 2.0);
    IdleBarRight = IdleBarLeft + barWidth;
    Ctl("picHome").Box(IdleBarLeft - 1, IdleBarTop - 2, IdleBarRight + 1, IdleBarBottom + 2, false, ui::kBlack);
}

void frmCalibration::FillIdleBlock(int n) {
    const int x = n * IdleStepWidth + IdleBarLeft;
    Ctl("picHome").Box(x + 2, IdleBarTop, x + 2 + IdleStepWidth - 3, IdleBarBottom, true, kRed);
}

void frmCalibration::ClearIdleBar() {
    IdleCount = 0;
    ui::Control& home = Ctl("picHome");
    home.Box(IdleBarLeft, IdleBarTop, IdleBarRight, IdleBarBottom, true, home.BackColor());
}

}  // namespace kesma::controlpanel
