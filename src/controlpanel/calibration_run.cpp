#include "controlpanel/calibration_run.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace kesma::controlpanel {

namespace {

using K = RunOutput::Kind;

struct Target {
    int index;
    const char* name;
};
constexpr Target kTargets[2][4] = {{{1, "TOP-LEFT"}, {2, "TOP-RIGHT"}, {3, "DOWN-RIGHT"}, {4, "DOWN-LEFT"}},
                                   {{5, "TOP"}, {6, "RIGHT"}, {7, "DOWN"}, {8, "LEFT"}}};

constexpr const char* kBreakQuestion = "Are you sure you want to break calibration?";
constexpr const char* kKeepQuestion =
    "CALIBRATION IS COMPLETE.\r\rFor test, touch on the screen and check cursor position.\r"
    "To save new calibration, click Yes button.\rTo restore old calibration, click No button.";

bool PenDown(const TouchPoint& reading) { return (reading.Status & KESMA_PEN_DOWN) != 0; }

RunOutput Do(K kind, int value = 0) { return {kind, value}; }
RunOutput Switch(K kind, bool on, int value = 0) { return {kind, value, on}; }
RunOutput Say(K kind, std::string text, bool on = false) { return {kind, 0, on, std::move(text)}; }
RunOutput Send(K kind, const Calibration& words) { return {kind, 0, false, {}, words}; }

}  // namespace

RunOutputs CalibrationRun::Start(const TouchPoint& first) {
    RunOutputs out;
    if (state_ != State::Idle) return out;
    if (PenDown(first)) {
        // Nothing is shown before the panel is free.
        state_ = State::FirstLiftOff;
        out = {Say(K::LiftOffPrompt, "START CALIBRATION!"), Switch(K::Indicator, true), Do(K::Phase, 3)};
    } else {
        Begin(out);
    }
    return out;
}

void CalibrationRun::Begin(RunOutputs& out) {
    out.push_back(Switch(K::Indicator, false));
    if (setup_.mode != 0 && setup_.mode != 1) {
        out.push_back(Say(K::Notice, "Fail to calibration! ( mode " + std::to_string(setup_.mode) + " not support )"));
        state_ = State::Done;
    } else if (!ScreenCanBeCalibrated(setup_.resolutionX, setup_.resolutionY)) {
        // The extrapolation scales by the screen less the crosses: nothing to scale by.
        out.push_back(Say(K::Error, "Invalid Screen Resolution! (" + std::to_string(setup_.resolutionX) + " X " +
                                        std::to_string(setup_.resolutionY) +
                                        ")\r\n\r\nThe screen must be more than 32 pixels wide and high to calibrate."));
        state_ = State::Done;
    } else {
        kind_ = setup_.mode == 0 ? CalibrationKind::Corners : CalibrationKind::Edges;
        Present(out);
    }
}

// The target waits for its touch, also when it starts over after an early lift.
void CalibrationRun::Present(RunOutputs& out) {
    const Target& t = kTargets[static_cast<int>(kind_)][target_];
    currentIndex_ = t.index;
    state_ = State::Touch;
    crossShown_ = true;
    counting_ = true;
    idleCount_ = 0;
    out.insert(out.end(), {Switch(K::Cross, true, t.index), Say(K::TouchPrompt, t.name), Say(K::Action, "TOUCH"),
                           Switch(K::Indicator, false), Do(K::CountdownStart)});
}

RunOutputs CalibrationRun::Report(const TouchPoint& reading) {
    RunOutputs out;
    const bool down = PenDown(reading);
    switch (state_) {
    case State::FirstLiftOff:
        if (!down) Begin(out);
        break;
    case State::Touch:
        if (!down) break;
        // The touch-down reading is the reference, never a sample.
        reference_ = {reading.X, reading.Y};
        lastSequence_ = reading.Sequence;
        sampleCount_ = 0;
        state_ = State::Hold;
        holding_ = true;
        counting_ = false;
        // Each touch-down gets a whole period, also right after an early lift.
        out = {Switch(K::Indicator, true), Say(K::Action, "HOLD"), Do(K::CountdownStop), Do(K::HoldStart)};
        break;
    case State::Hold:
        if (!down) {
            Present(out);  // lifted too early: the target starts over
        } else if (holding_) {
            // Only a new report counts; once four are in, the rest of the period is waited out.
            if (reading.Sequence == lastSequence_) break;
            lastSequence_ = reading.Sequence;
            if (sampleCount_ >= kSamplesNeeded) break;
            const bool steady = std::abs(reference_.X - reading.X) <= kSteadyRange &&
                                std::abs(reference_.Y - reading.Y) <= kSteadyRange;
            if (steady) {
                samples_[sampleCount_++] = {reading.X, reading.Y};
            } else {
                sampleCount_ = 0;  // the finger moved: the count starts again from here
                reference_ = {reading.X, reading.Y};
            }
        } else if (sampleCount_ >= kSamplesNeeded) {
            TakePoint(out);
        } else {
            holding_ = true;
            out = {Do(K::Phase, 3), Do(K::HoldStart)};
        }
        break;
    case State::LiftOff:
        if (!down) {
            out.push_back(Switch(K::Indicator, false));
            if (++target_ < 4) Present(out);
            else Compute(out);
        }
        break;
    default: break;
    }
    return out;
}

void CalibrationRun::TakePoint(RunOutputs& out) {
    // The mean rounded down, over 16-bit sums as the driver's raw values were always added.
    std::int16_t sumX = 0, sumY = 0;
    for (const RawPoint& p : samples_) {
        sumX = static_cast<std::int16_t>(sumX + p.X);
        sumY = static_cast<std::int16_t>(sumY + p.Y);
    }
    points_[target_] = {static_cast<std::int16_t>(std::floor(sumX / static_cast<double>(kSamplesNeeded))),
                        static_cast<std::int16_t>(std::floor(sumY / static_cast<double>(kSamplesNeeded)))};
    state_ = State::LiftOff;
    crossShown_ = false;
    out = {Switch(K::Cross, false, currentIndex_), Say(K::LiftOffPrompt, "NEXT STEP!"), Say(K::Action, "LIFT-OFF"),
           Do(K::Phase, 5)};
}

void CalibrationRun::Compute(RunOutputs& out) {
    const CalibrationOutcome outcome =
        ComputeCalibration(kind_, points_, setup_.screenRotation, setup_.resolutionX, setup_.resolutionY);
    if (!outcome.direction.ok) {
        out.push_back(Say(K::Error, "Incorrect Panel Direction! (" + outcome.direction.firstCode + "-" +
                                        outcome.direction.secondCode +
                                        ")\r\n\r\nPlease checkout the pinout of your touch panel."));
        state_ = State::Done;
        return;
    }
    const std::string failed = ValidateCalibration(outcome.result);
    if (!failed.empty()) {
        out.push_back(Say(K::Error, "Invalid Result of Calibration! (" + failed +
                                        ")\r\n\r\nIt may be cause by that you have calibrated with touch on invalid "
                                        "position."));
        state_ = State::Done;
        return;
    }
    // The new calibration is in the driver while the user tries it.
    state_ = State::KeepQuestion;
    out.insert(out.end(),
               {Send(K::Apply, outcome.result), Do(K::HideScreen), Do(K::Phase, 0), Say(K::Ask, kKeepQuestion)});
}

void CalibrationRun::HoldPeriodEnded() { holding_ = false; }

RunOutputs CalibrationRun::IdleTick() {
    RunOutputs out;
    if (!counting_) return out;
    out.push_back(Do(K::CountdownBlock, idleCount_));
    if (++idleCount_ < kIdleSeconds) return out;
    // Twenty seconds without a touch end the run without a word.
    counting_ = false;
    out.push_back(Do(K::CountdownEnd));
    Stop(out);
    return out;
}

RunOutputs CalibrationRun::Esc() {
    if (!Polling() || asking_) return {};
    asking_ = true;
    crossBeforeQuestion_ = crossShown_;
    countingBeforeQuestion_ = counting_;
    crossShown_ = counting_ = false;
    return {Do(K::Phase, 0), Switch(K::Cross, false, currentIndex_), Do(K::CountdownStop), Switch(K::Panels, false),
            Say(K::Ask, kBreakQuestion, true)};
}

RunOutputs CalibrationRun::Reply(Answer answer) {
    RunOutputs out;
    if (asking_) {
        // Whatever the answer, the screen comes back as it was: the cross only if it was shown,
        // the countdown, from its start, only if it ran.
        asking_ = false;
        out.push_back(Switch(K::Panels, true));
        if (countingBeforeQuestion_) {
            counting_ = true;
            idleCount_ = 0;
            out.push_back(Do(K::CountdownStart));
        }
        if (crossBeforeQuestion_) {
            crossShown_ = true;
            out.push_back(Switch(K::Cross, true, currentIndex_));
        }
        if (answer == Answer::Yes) Stop(out);
    } else if (state_ == State::KeepQuestion) {
        if (answer == Answer::No) out.push_back(Send(K::Restore, setup_.old));
        state_ = State::Done;
    }
    return out;
}

RunOutputs CalibrationRun::Abandon() {
    RunOutputs out;
    if (Polling()) Stop(out);
    return out;
}

// A run that ends while it waits for the panel abandons its target; the first lift-off
// wait has none yet.
void CalibrationRun::Stop(RunOutputs& out) {
    if (state_ >= State::Touch && state_ <= State::LiftOff) out.push_back(Do(K::Phase, 4));
    state_ = State::Done;
    asking_ = false;
}

}  // namespace kesma::controlpanel
