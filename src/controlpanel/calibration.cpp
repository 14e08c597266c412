#include "controlpanel/calibration.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
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

namespace {

// A prompt line inside picMesg.
ui::Label& AddPrompt(ui::Form& form, ui::PictureBox& mesg, const char* name, int left, int top, ui::Color color,
                     ui::Align align, const char* caption) {
    ui::Label& label = form.Add<ui::Label>(name, left, top, 0, 0, &mesg);
    label.SetCaption(caption);
    label.SetFont(kPromptFont);
    label.SetForeColor(color);
    label.SetAlignment(align);
    return label;
}

}  // namespace

frmCalibration::frmCalibration(ui::App& app, ControlPanel& cp)
    : ui::Form(app, "frmCalibration", app.Screen().widthTwips, app.Screen().heightTwips),
      picCalibration(Add<ui::PictureBox>("picCalibration", 0, 0, ScaleWidth(), ScaleHeight())),
      picHome(Add<ui::PictureBox>("picHome", 0, 0, 6135, 3255, &picCalibration)),
      picStat(Add<ui::PictureBox>("picStat", 1620, 0, 2895, 975, &picHome)),
      lblResolution(Add<ui::Label>("lblResolution", 360, 360, 0, 0, &picStat)),
      picMesg(Add<ui::PictureBox>("picMesg", 240, 1320, 5655, 975, &picHome)),
      lblMesg3(AddPrompt(*this, picMesg, "lblMesg3", 195, 0, ui::kYellow, ui::Align::Center,
                         "Please lift off from TouchScreen to start calibration")),
      lblMesg1(AddPrompt(*this, picMesg, "lblMesg1", 480, 240, kGreen, ui::Align::Center,
                         "Please touch on the center of Cross Mark that")),
      lblMesg2(AddPrompt(*this, picMesg, "lblMesg2", 480, 480, kGreen, ui::Align::Left,
                         "show on the TOP-LEFT coner of the screen")),
      lblHelp(Add<ui::Label>("lblHelp", 0, 2520, 0, 195, &picHome)),
      LabelAction(Add<ui::Label>("LabelAction", 0, 0, 0, 0, &picCalibration)),
      lblTitle(Add<ui::Label>("lblTitle", 0, 0, 0, 0, &picCalibration)),
      TimerHOLD(Add<ui::Timer>("TimerHOLD", 0, 0, 0, 0)),
      TimerIDEL(Add<ui::Timer>("TimerIDEL", 0, 0, 0, 0)),
      cp_(cp) {
    SetCaption("Calibration");
    SetBackColor(kLightGrey);
    SetBorderless(true);
    SetMaximized(true);
    // No other always-on-top window (the taskbar, an on-screen keyboard) may cover the
    // crosses at the screen's edges.
    SetTopMost(true);
    SetKeyPreview(true);

    picCalibration.SetBackColor(kSystemWindow);
    picStat.SetBackColor(ui::kWhite);
    lblResolution.SetCaption("Resolution: 1280 X 1024");
    lblResolution.SetFont(kSmallBoldFont);
    lblResolution.SetForeColor(ui::kBlack);
    lblResolution.SetAlignment(ui::Align::Center);
    picMesg.SetBackColor(ui::kBlack);
    lblHelp.SetCaption("Press ESC key to break calibration");
    lblHelp.SetFont(kSmallBoldFont);
    lblHelp.SetForeColor(kBlue);
    lblHelp.SetAlignment(ui::Align::Center);
    LabelAction.SetForeColor(ui::kBlack);
    LabelAction.SetAlignment(ui::Align::Center);
    lblTitle.SetCaption("TouchScreen Calibration");
    lblTitle.SetFont({"Times New Roman", 21.75, true, false});
    lblTitle.SetForeColor(kRed);
    for (ui::Label* label : {&lblResolution, &lblHelp, &LabelAction, &lblTitle, &lblMesg1, &lblMesg2, &lblMesg3}) {
        label->SetBackTransparent(true);
    }

    TimerHOLD.SetInterval(500);
    TimerHOLD.SetEnabled(false);
    TimerHOLD.OnTimer = [this] { TimerHOLD_Timer(); };
    TimerIDEL.SetInterval(1000);
    TimerIDEL.SetEnabled(false);
    TimerIDEL.OnTimer = [this] { TimerIDEL_Timer(); };

    OnLoad = [this] { Form_Load(); };
    OnActivate = [this] { Form_Activate(); };
    OnKeyPress = [this](int ascii) { Form_KeyPress(ascii); };
    OnUnload = [this] { Form_Unload(); };
    OnResize = [this] { Form_Resize(); };
}

int frmCalibration::Px(int twips) const { return app().Screen().TwipsToPixelsX(twips); }
int frmCalibration::Tw(int px) const { return app().Screen().PixelsToTwipsX(px); }

void frmCalibration::FitLabel(ui::Label& label) {
    const ui::TextExtent extent = app().MeasureText(label.GetFont(), label.Caption());
    label.SetWidth(Tw(extent.widthPx));
    label.SetHeight(Tw(extent.heightPx));
}

void frmCalibration::SetLabelCaption(ui::Label& label, const std::string& text) {
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
    lblResolution.SetCaption("Resolution: " + std::to_string(ResolutionX) + " X " + std::to_string(ResolutionY));
    // Every label takes the size of its caption, from its design position.
    for (ui::Label* label : {&lblResolution, &lblMesg1, &lblMesg2, &lblMesg3, &lblHelp, &lblTitle, &LabelAction}) {
        FitLabel(*label);
    }
    Form_Resize();
}

void frmCalibration::Form_Resize() {
    picCalibration.Move(0, 0, ScaleWidth(), ScaleHeight());
    const int scaleW = Px(picCalibration.ScaleWidth()), scaleH = Px(picCalibration.ScaleHeight());
    picHome.SetWidth(picMesg.Width() + 2 * picMesg.Left());
    picHome.SetTop(Tw((scaleH - Px(picHome.Height())) / 2));
    picHome.SetLeft(Tw((scaleW - Px(picHome.Width())) / 2));
    lblTitle.SetTop(picHome.Top() - lblTitle.Height() * 3 / 2);
    lblTitle.SetLeft(Tw((scaleW - Px(lblTitle.Width())) / 2));
    picStat.SetLeft((picHome.Width() - picStat.Width()) / 2);
    picMesg.SetLeft((picHome.Width() - picMesg.Width()) / 2);
    lblMesg3.SetTop((picStat.Height() - lblMesg3.Height()) / 2);
    lblHelp.SetLeft((picHome.Width() - lblHelp.Width()) / 2);
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

void frmCalibration::TimerHOLD_Timer() { TimerHOLD.SetEnabled(false); }

void frmCalibration::TimerIDEL_Timer() {
    FillIdleBlock(IdleCount);
    ++IdleCount;
    if (IdleCount >= IdleSteps) {
        TimerIDEL.SetEnabled(false);
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
    CurrentTarget = index;
    std::array<RawPoint, kSamplesNeeded> samples{};
    for (;;) {
        DrawCrossMark(index, true);
        ShowTouchPrompt(name);
        SetLabelCaption(LabelAction, "TOUCH");
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
        SetLabelCaption(LabelAction, "HOLD");
        StopIdleCountdown();
        int n = 0;
        // Each touch-down gets a whole period, also right after an early lift.
        TimerHOLD.SetEnabled(false);
        TimerHOLD.SetEnabled(true);
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
            if (TimerHOLD.Enabled()) {
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
                TimerHOLD.SetEnabled(true);
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
    SetLabelCaption(LabelAction, "LIFT-OFF");
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
    const bool counting = TimerIDEL.Enabled();
    DrawCrossMark(CurrentTarget, false);
    StopIdleCountdown();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&picMesg, &lblHelp, &LabelAction}) c->SetVisible(false);
    ShowCursor();
    BreakRequested = AskYesNo("Are you sure you want to break calibration?", ui::kMbDefButton2) == ui::kIdYes;
    if (!Loaded() || app().Ended()) return;
    HideCursor();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&lblHelp, &picMesg, &LabelAction}) c->SetVisible(true);
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
    picCalibration.SetVisible(false);
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
    TimerIDEL.SetEnabled(true);
}

void frmCalibration::StopIdleCountdown() {
    TimerIDEL.SetEnabled(false);
    ClearIdleBar();
}

// ---- drawing ----

void frmCalibration::DrawCrossMark(int index, bool visible) {
    const std::string caption = LabelAction.Caption();
    SetLabelCaption(LabelAction, "X");
    const int wX = Px(LabelAction.Width()), h = Px(LabelAction.Height());
    if (index >= 1 && index <= 8) {
        const CrossBox b = CrossMarkBox(index, Px(picCalibration.ScaleWidth()), Px(picCalibration.ScaleHeight()));
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
            LabelAction.SetLeft(Tw(p.left));
            LabelAction.SetTop(Tw(p.top));
            LabelAction.SetAlignment(p.align);
        }
        crossShown_ = visible;
        const ui::Color boxColor = visible ? kRed : ui::kWhite;
        const ui::Color lineColor = visible ? ui::kBlack : ui::kWhite;
        picCalibration.Box(b.x1, b.y1, b.x2, b.y2, false, boxColor);
        picCalibration.SetForeColor(lineColor);
        picCalibration.Line(b.x1, b.yc, b.x2, b.yc);
        picCalibration.Line(b.xc, b.y1, b.xc, b.y2);
    }
    // Also for an index outside 1..8, so the label never keeps the measuring "X".
    SetLabelCaption(LabelAction, caption);
}

void frmCalibration::ShowTouchPrompt(const std::string& name) {
    lblMesg3.SetVisible(false);
    SetLabelCaption(lblMesg1, "Please touch on the center of Cross Mark that");
    SetLabelCaption(lblMesg2, "show on the " + name + " of the screen");
    lblMesg2.SetLeft(lblMesg1.Left());
    lblMesg1.SetVisible(true);
    lblMesg2.SetVisible(true);
}

void frmCalibration::ShowLiftOffPrompt(const std::string& text) {
    lblMesg1.SetVisible(false);
    lblMesg2.SetVisible(false);
    SetLabelCaption(lblMesg3, "PLEASE LIFT OFF TO " + text);
    lblMesg3.SetVisible(true);
}

void frmCalibration::SetTouchIndicator(bool touched) {
    picStat.SetBackColor(touched ? ui::kYellow : ui::kWhite);
}

void frmCalibration::DrawIdleFrame() {
    const int barWidth = IdleSteps * IdleStepWidth;
    IdleBarTop = RoundHalfEven(Px(lblHelp.Top()) + 2.0 * Px(lblHelp.Height()));
    IdleBarBottom = IdleBarTop + 10;
    IdleBarLeft = RoundHalfEven(Px(picMesg.Width()) / 2.0 + Px(picMesg.Left()) - barWidth / 2.0);
    IdleBarRight = IdleBarLeft + barWidth;
    picHome.Box(IdleBarLeft - 1, IdleBarTop - 2, IdleBarRight + 1, IdleBarBottom + 2, false, ui::kBlack);
}

void frmCalibration::FillIdleBlock(int n) {
    const int x = n * IdleStepWidth + IdleBarLeft;
    picHome.Box(x + 2, IdleBarTop, x + 2 + IdleStepWidth - 3, IdleBarBottom, true, kRed);
}

void frmCalibration::ClearIdleBar() {
    IdleCount = 0;
    picHome.Box(IdleBarLeft, IdleBarTop, IdleBarRight, IdleBarBottom, true, picHome.BackColor());
}

}  // namespace kesma::controlpanel
