#include "controlpanel/calibration.h"

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

constexpr const char* kQuestionTitle = "TouchScreen Calibration";
constexpr const char* kErrorTitle = "Touchscreen Calibration";

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

void frmCalibration::Form_KeyPress(int ascii) {
    if (ascii == ui::kKeyEsc && run_) Render(run_->Esc());
}

// The period is one-shot: the run decides at its next reading what follows.
void frmCalibration::TimerHOLD_Timer() {
    TimerHOLD.SetEnabled(false);
    if (run_) run_->HoldPeriodEnded();
}

void frmCalibration::TimerIDEL_Timer() {
    if (run_) Render(run_->IdleTick());
}

// ---- the run ----

bool frmCalibration::Gone() const { return !Loaded() || app().Ended(); }

void frmCalibration::HideCursor() {
    while (app().ShowCursor(false) >= 0) {}
}

void frmCalibration::ShowCursor() {
    while (app().ShowCursor(true) < 0) {}
}

void frmCalibration::RunCalibration() {
    DeviceLink& link = cp_.Link;
    link.GetSmiWindow();
    run_.emplace(RunSetup{cp_.Store.CalibrationMode, ResolutionX, ResolutionY, link.SmiSlot.Word,
                          CalibrationOf(link.Settings)});
    HideCursor();
    link.ReadTouchPoint();
    Render(run_->Start(link.Touch));
    // The driver is polled between short waits for input, so a waiting target costs almost
    // no CPU and a new report is still seen within a few milliseconds.
    while (run_->Polling()) {
        app().DoEvents(kPollWaitMs);
        if (Gone()) {
            Render(run_->Abandon());
        } else if (run_->Polling()) {  // not ended by a break or the idle time-out in the wait
            link.ReadTouchPoint();
            Render(run_->Report(link.Touch));
        }
    }
    run_.reset();
    ShowCursor();
}

void frmCalibration::Render(const RunOutputs& outputs) {
    using K = RunOutput::Kind;
    for (const RunOutput& o : outputs) {
        switch (o.kind) {
        case K::Phase: cp_.Link.SetCalibrationPhase(o.value); break;
        case K::Cross: DrawCrossMark(o.value, o.on); break;
        case K::TouchPrompt: ShowTouchPrompt(o.text); break;
        case K::LiftOffPrompt: ShowLiftOffPrompt(o.text); break;
        case K::Action: SetLabelCaption(LabelAction, o.text); break;
        case K::Indicator: SetTouchIndicator(o.on); break;
        case K::CountdownStart:  // on an empty bar: blocks left by an earlier one would not count
            DrawIdleFrame();
            ClearIdleBar();
            TimerIDEL.SetEnabled(true);
            break;
        case K::CountdownStop:
            TimerIDEL.SetEnabled(false);
            ClearIdleBar();
            break;
        case K::CountdownBlock: FillIdleBlock(o.value); break;
        case K::CountdownEnd: TimerIDEL.SetEnabled(false); break;
        case K::HoldStart:
            TimerHOLD.SetEnabled(false);
            TimerHOLD.SetEnabled(true);
            break;
        case K::Panels:
            for (ui::Control* c : std::initializer_list<ui::Control*>{&picMesg, &lblHelp, &LabelAction}) {
                c->SetVisible(o.on);
            }
            break;
        case K::Ask: Ask(o); break;
        case K::Notice:
            ShowCursor();
            app().MsgBox(o.text);
            break;
        case K::Error:
            ShowCursor();
            ShowError(app(), o.text, kErrorTitle);
            break;
        case K::Apply: SendCalibration(o.words); break;
        case K::HideScreen: picCalibration.SetVisible(false); break;
        case K::Restore:
            app().SetPointer(ui::Pointer::Hourglass);
            SendCalibration(o.words);
            app().SetPointer(ui::Pointer::Default);
            break;
        }
    }
}

// The cursor shows while a question is open, and hides again when the run goes on waiting.
void frmCalibration::Ask(const RunOutput& question) {
    ShowCursor();
    const unsigned flags = ui::kMbYesNo | ui::kMbIconQuestion | ui::kMbSystemModal;
    const int answer = app().MsgBox(question.text, flags | (question.on ? ui::kMbDefButton2 : 0), kQuestionTitle);
    // Gone while polling, the loop abandons the run; a No to the last question still restores.
    if (Gone() && run_->Polling()) return;
    const RunOutputs outputs = run_->Reply(answer == ui::kIdYes  ? CalibrationRun::Answer::Yes
                                           : answer == ui::kIdNo ? CalibrationRun::Answer::No
                                                                 : CalibrationRun::Answer::None);
    if (run_->Polling()) HideCursor();
    Render(outputs);
}

void frmCalibration::SendCalibration(const Calibration& words) {
    WriteCalibration(cp_.Link.Settings, words);
    cp_.Link.SetCalibration();
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
    const int barWidth = CalibrationRun::kIdleSeconds * kIdleStepWidth;
    IdleBarTop = RoundHalfEven(Px(lblHelp.Top()) + 2.0 * Px(lblHelp.Height()));
    IdleBarBottom = IdleBarTop + 10;
    IdleBarLeft = RoundHalfEven(Px(picMesg.Width()) / 2.0 + Px(picMesg.Left()) - barWidth / 2.0);
    IdleBarRight = IdleBarLeft + barWidth;
    picHome.Box(IdleBarLeft - 1, IdleBarTop - 2, IdleBarRight + 1, IdleBarBottom + 2, false, ui::kBlack);
}

void frmCalibration::FillIdleBlock(int n) {
    const int x = n * kIdleStepWidth + IdleBarLeft;
    picHome.Box(x + 2, IdleBarTop, x + 2 + kIdleStepWidth - 3, IdleBarBottom, true, kRed);
}

void frmCalibration::ClearIdleBar() {
    picHome.Box(IdleBarLeft, IdleBarTop, IdleBarRight, IdleBarBottom, true, picHome.BackColor());
}

}  // namespace kesma::controlpanel
