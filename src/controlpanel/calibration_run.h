// One calibration run as a state machine: the first lift-off wait, the four targets of a
// mode (touch, hold, steady samples, lift-off), Esc and its question, the idle countdown,
// the computation and the save-or-restore question. It reads nothing and draws nothing:
// the calibration window feeds it the driver's readings, its timers' ticks and the answers,
// and carries out what each call answers, in order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "controlpanel/calibration_math.h"
#include "shared/records.h"

namespace kesma::controlpanel {

// One thing the window does for the run.
struct RunOutput {
    enum class Kind {
        Phase,           // send the calibration phase `value`
        Cross,           // draw (on) or erase the cross of target `value` (0: none yet)
        TouchPrompt,     // the touch prompt for the target named `text`
        LiftOffPrompt,   // "PLEASE LIFT OFF TO " & `text`
        Action,          // the caption of the action label beside the cross
        Indicator,       // the touch indicator on (touched) or off
        CountdownStart,  // an empty idle bar in its frame, and its one-second ticks
        CountdownStop,   // no more ticks, the bar emptied
        CountdownBlock,  // fill block `value` of the idle bar
        CountdownEnd,    // the last block is filled: no more ticks, the full bar stays
        HoldStart,       // a whole new hold period
        Panels,          // the message panel, the help line and the action label shown (on) or hidden
        Ask,             // a yes/no question `text`, No the default when on; answer with Answer()
        Notice,          // a plain message `text`
        Error,           // an error report `text`
        Apply,           // send `words` as the device's calibration
        HideScreen,      // hide the crosses' picture with everything on it
        Restore,         // send `words`, the calibration the run started with, under the busy pointer
    };
    Kind kind;
    int value = 0;
    bool on = false;
    std::string text = {};
    Calibration words = {};
    bool operator==(const RunOutput&) const = default;
};
using RunOutputs = std::vector<RunOutput>;

// What a run starts from.
struct RunSetup {
    std::int32_t mode = 0;  // CalibrationMode: 0 corners, 1 edges, others not supported
    int resolutionX = 0, resolutionY = 0;
    int screenRotation = 0;  // the SMI slot's word
    Calibration old;         // the device's calibration before the run
};

class CalibrationRun {
public:
    static constexpr int kSteadyRange = 4;  // raw units around the reference
    static constexpr int kSamplesNeeded = 4;
    static constexpr int kIdleSeconds = 20;  // one block of the idle bar a second

    enum class Answer { Yes, No, None };  // None: the question went without an answer

    explicit CalibrationRun(const RunSetup& setup) : setup_(setup) {}

    // The first reading of the run.
    RunOutputs Start(const TouchPoint& first);
    // A reading of the driver taken after a wait.
    RunOutputs Report(const TouchPoint& reading);
    // The hold timer's period has ended (the window switches the timer off).
    void HoldPeriodEnded();
    // A tick of the idle countdown's one-second timer.
    RunOutputs IdleTick();
    // Esc was pressed: answered only while the run waits for the panel.
    RunOutputs Esc();
    // The answer to the open question: the break, or keeping the new calibration.
    RunOutputs Reply(Answer answer);
    // The window is gone: the run ends where it is.
    RunOutputs Abandon();

    // The window reads the driver, with a wait before each reading, while this holds.
    bool Polling() const { return state_ >= State::FirstLiftOff && state_ <= State::LiftOff; }

private:
    // The waits for the panel are FirstLiftOff to LiftOff, in this order.
    enum class State { Idle, FirstLiftOff, Touch, Hold, LiftOff, KeepQuestion, Done };

    void Begin(RunOutputs& out);
    void Present(RunOutputs& out);
    void TakePoint(RunOutputs& out);
    void Compute(RunOutputs& out);
    void Stop(RunOutputs& out);  // abandons the run where it is

    RunSetup setup_;
    State state_ = State::Idle;
    CalibrationKind kind_ = CalibrationKind::Corners;
    int target_ = 0;         // 0..3 within the mode
    int currentIndex_ = 0;   // the target's index 1..8 once one is shown
    TargetPoints points_{};
    RawPoint reference_{};
    std::uint16_t lastSequence_ = 0;
    std::array<RawPoint, kSamplesNeeded> samples_{};
    int sampleCount_ = 0;
    bool holding_ = false;   // a hold period is running
    bool crossShown_ = false;
    bool counting_ = false;  // the idle countdown runs
    int idleCount_ = 0;
    bool asking_ = false;    // the break question is open
    bool crossBeforeQuestion_ = false, countingBeforeQuestion_ = false;
};

}  // namespace kesma::controlpanel
