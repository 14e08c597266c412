// The full-screen four-point calibration window: it drives a CalibrationRun with the
// driver's touch reports and its timers, and draws the crosses, prompts and idle bar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "controlpanel/calibration_math.h"
#include "controlpanel/calibration_run.h"
#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

// Screen corner of the cross of a target, in pixels of picCalibration.
struct CrossBox {
    int x1, xc, x2, y1, yc, y2;
    bool operator==(const CrossBox&) const = default;
};
// Target 1..8 on a picture of the given scale size.
CrossBox CrossMarkBox(int index, int scaleWidth, int scaleHeight);

class frmCalibration : public ui::Form {
public:
    frmCalibration(ui::App& app, ControlPanel& cp);

    // Between polls a wait loop sleeps this long at most, unless input comes first: about
    // ten polls fall into a 500 ms hold period, which needs four new reports, and a cross
    // waiting for a touch costs next to no CPU. The hold period itself is timed by its timer.
    static constexpr int kPollWaitMs = 50;

    ui::PictureBox& picCalibration;
    ui::PictureBox& picHome;
    ui::PictureBox& picStat;
    ui::Label& lblResolution;
    ui::PictureBox& picMesg;
    ui::Label& lblMesg3;
    ui::Label& lblMesg1;
    ui::Label& lblMesg2;
    ui::Label& lblHelp;
    ui::Label& LabelAction;
    ui::Label& lblTitle;
    ui::Timer& TimerHOLD;
    ui::Timer& TimerIDEL;

private:
    void Form_Load();
    void Form_Activate();
    void Form_KeyPress(int ascii);
    void Form_Unload();
    void Form_Resize();
    void TimerHOLD_Timer();
    void TimerIDEL_Timer();

    // Feeds the run the driver's readings between waits for input, until it stops polling.
    void RunCalibration();
    // Carries out what the run answered, in its order.
    void Render(const RunOutputs& outputs);
    void Ask(const RunOutput& question);
    void SendCalibration(const Calibration& words);

    // Drawing.
    void DrawCrossMark(int index, bool visible);
    void ShowTouchPrompt(const std::string& name);
    void ShowLiftOffPrompt(const std::string& text);
    void SetTouchIndicator(bool touched);
    void DrawIdleFrame();
    void FillIdleBlock(int n);
    void ClearIdleBar();
    void FitLabel(ui::Label& label);
    // A label that sizes itself to its caption, keeping the side its alignment names.
    void SetLabelCaption(ui::Label& label, const std::string& text);

    bool Gone() const;  // the window unloaded or the program ending
    void HideCursor();
    void ShowCursor();
    int Px(int twips) const;
    int Tw(int px) const;

    ControlPanel& cp_;
    std::int16_t ResolutionX = 0, ResolutionY = 0;
    std::optional<CalibrationRun> run_;  // while RunCalibration runs
    std::uint8_t SavedRbAutoMode = 0;
    static constexpr int kIdleStepWidth = 10;  // pixels a second of the idle bar
    int IdleBarLeft = 0, IdleBarTop = 0, IdleBarRight = 0, IdleBarBottom = 0;
};

}  // namespace kesma::controlpanel
