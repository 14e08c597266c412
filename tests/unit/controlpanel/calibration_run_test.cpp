#include "controlpanel/calibration_run.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kesma::controlpanel {
namespace {

using Answer = CalibrationRun::Answer;
using Lines = std::vector<std::string>;

// An output in a few words: "phase 3", "cross 1 on", "action HOLD".
std::string Str(const RunOutput& o) {
    using K = RunOutput::Kind;
    const std::string on = o.on ? " on" : " off";
    switch (o.kind) {
    case K::Phase: return "phase " + std::to_string(o.value);
    case K::Cross: return "cross " + std::to_string(o.value) + on;
    case K::TouchPrompt: return "touch " + o.text;
    case K::LiftOffPrompt: return "lift-off " + o.text;
    case K::Action: return "action " + o.text;
    case K::Indicator: return "indicator" + on;
    case K::CountdownStart: return "countdown start";
    case K::CountdownStop: return "countdown stop";
    case K::CountdownBlock: return "block " + std::to_string(o.value);
    case K::CountdownEnd: return "countdown end";
    case K::HoldStart: return "hold";
    case K::Panels: return "panels" + on;
    case K::Ask: return o.on ? "ask break" : "ask keep";
    case K::Notice: return "notice " + o.text;
    case K::Error: return "error " + o.text;
    case K::Apply: return "apply";
    case K::HideScreen: return "hide screen";
    case K::Restore: return "restore";
    }
    return "?";
}

const Calibration kOld{11, 22, 33, 44, 55, 66, 5};
const Lines kPresentFirst{"cross 1 on", "touch TOP-LEFT", "action TOUCH", "indicator off", "countdown start"};
const Lines kTouchDown{"indicator on", "action HOLD", "countdown stop", "hold"};
const Lines kPointTaken{"cross 1 off", "lift-off NEXT STEP!", "action LIFT-OFF", "phase 5"};

TouchPoint Down(int x, int y, int sequence) {
    return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), KESMA_PEN_DOWN, 0,
            static_cast<std::uint16_t>(sequence)};
}
const TouchPoint kUp{};

// One event the window feeds the run.
struct Event {
    enum { Reading, HoldEnd, Tick, Esc, Reply } type;
    TouchPoint reading = {};
    Answer answer = Answer::None;
};
Event R(const TouchPoint& p) { return {Event::Reading, p}; }
const Event kHoldEnd{Event::HoldEnd};
const Event kTick{Event::Tick};
const Event kEsc{Event::Esc};
const Event kYes{Event::Reply, {}, Answer::Yes};
const Event kNo{Event::Reply, {}, Answer::No};

class RunTest : public ::testing::Test {
protected:
    // Starts a run on a 1024 x 768 screen with the panel free.
    void StartRun(std::int32_t mode = 0, const TouchPoint& first = kUp, int width = 1024) {
        run.emplace(RunSetup{mode, width, 768, 0, kOld});
        Keep(run->Start(first));
    }
    // Feeds the events; `last` holds what the last one answered.
    Lines Feed(const std::vector<Event>& events) {
        Lines all;
        for (const Event& e : events) {
            switch (e.type) {
            case Event::Reading: Keep(run->Report(e.reading)); break;
            case Event::HoldEnd:
                run->HoldPeriodEnded();
                Keep({});
                break;
            case Event::Tick: Keep(run->IdleTick()); break;
            case Event::Esc: Keep(run->Esc()); break;
            case Event::Reply: Keep(run->Reply(e.answer)); break;
            }
            all.insert(all.end(), last.begin(), last.end());
        }
        return all;
    }
    // Takes the waiting target at raw (x, y) and lifts: four reports that average to
    // x + 0.75 and y + 0.5, which round down to (x, y).
    void Take(int x, int y) {
        Feed({R(Down(x, y, ++seq)), R(Down(x, y, ++seq)), R(Down(x + 1, y + 1, ++seq)), R(Down(x + 1, y, ++seq)),
              R(Down(x + 1, y + 1, ++seq)), kHoldEnd, R(Down(x, y, seq)), R(kUp)});
    }
    void Keep(RunOutputs outputs) {
        lastOutputs = std::move(outputs);
        last = Strs(lastOutputs);
    }
    static Lines Strs(const RunOutputs& outputs) {
        Lines s;
        for (const RunOutput& o : outputs) s.push_back(Str(o));
        return s;
    }

    std::optional<CalibrationRun> run;
    RunOutputs lastOutputs;  // what the last event answered
    Lines last;
    int seq = 0;
};

// The hold on the first target, from a touch-down at raw (100, 100) with Sequence 1: the
// phases and hold periods it gives, and whether its point is taken.
TEST_F(RunTest, SteadySampleRule) {
    struct Case {
        const char* name;
        std::vector<Event> events;
        Lines outputs;
    } const cases[] = {
        {"FourWithinFourUnitsThenThePeriodEnds",
                 {R(Down(104, 96, 2)), R(Down(96, 104, 3)), R(Down(100, 100, 4)), R(Down(101, 99, 5)), kHoldEnd,
                  R(Down(101, 99, 5))},
                 kPointTaken},
        {"ThreeWhenThePeriodEndsAskForAnotherPeriod",
                 {R(Down(100, 100, 2)), R(Down(100, 100, 3)), R(Down(100, 100, 4)), kHoldEnd, R(Down(100, 100, 4)),
                  R(Down(100, 100, 5)), kHoldEnd, R(Down(100, 100, 5))},
                 {"phase 3", "hold", "cross 1 off", "lift-off NEXT STEP!", "action LIFT-OFF", "phase 5"}},
        // A drift of 5 after two samples: the count starts again around the drifted reading.
        {"ADriftOfFiveStartsTheCountAgain",
                 {R(Down(100, 100, 2)), R(Down(100, 100, 3)), R(Down(105, 100, 4)), R(Down(104, 101, 5)),
                  R(Down(104, 101, 6)), R(Down(109, 100, 7)), kHoldEnd, R(Down(109, 100, 7))},
                 {"phase 3", "hold"}},
        {"ARepeatedSequenceIsNoSample",
                 {R(Down(100, 100, 1)), R(Down(100, 100, 1)), R(Down(100, 100, 2)), R(Down(100, 100, 2)),
                  R(Down(100, 100, 2)), kHoldEnd, R(Down(100, 100, 2)), kHoldEnd, R(Down(100, 100, 2))},
                 {"phase 3", "hold", "phase 3", "hold"}},
        // Once four are in, the rest of the period is waited out: a far reading resets nothing.
        {"ReportsAfterTheFourthAreNotLookedAt",
                 {R(Down(100, 100, 2)), R(Down(100, 100, 3)), R(Down(100, 100, 4)), R(Down(100, 100, 5)),
                  R(Down(900, 900, 6)), kHoldEnd, R(Down(900, 900, 6))},
                 kPointTaken},
        {"ALiftBeforeThePeriodEndsStartsTheTargetOver",
                 {R(Down(100, 100, 2)), R(Down(100, 100, 3)), R(Down(100, 100, 4)), R(Down(100, 100, 5)), R(kUp)},
                 kPresentFirst},
        {"ALiftSeenWithThePeriodsEndStillStartsOver",
                 {R(Down(100, 100, 2)), R(Down(100, 100, 3)), R(Down(100, 100, 4)), R(Down(100, 100, 5)), kHoldEnd,
                  R(kUp)},
                 kPresentFirst},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartRun();
        ASSERT_EQ(last, (Lines{"indicator off", "cross 1 on", "touch TOP-LEFT", "action TOUCH", "indicator off",
                               "countdown start"}));
        ASSERT_EQ(Feed({R(Down(100, 100, 1))}), kTouchDown);
        EXPECT_EQ(Feed(c.events), c.outputs);
    }
}

TEST_F(RunTest, CornerRunAveragesDownAppliesAndNoRestores) {
    StartRun();
    Take(50, 50);
    EXPECT_EQ(last, (Lines{"indicator off", "cross 2 on", "touch TOP-RIGHT", "action TOUCH", "indicator off",
                           "countdown start"}));
    Take(970, 50);
    Take(970, 970);
    Take(50, 970);
    ASSERT_EQ(last, (Lines{"indicator off", "apply", "hide screen", "phase 0", "ask keep"}));
    EXPECT_EQ(lastOutputs[1].words, (Calibration{35, 510, 985, 30, 510, 990, 0}));
    EXPECT_EQ(lastOutputs[4].text,
              "CALIBRATION IS COMPLETE.\r\rFor test, touch on the screen and check cursor position.\r"
              "To save new calibration, click Yes button.\rTo restore old calibration, click No button.");
    EXPECT_FALSE(run->Polling());
    EXPECT_TRUE(Feed({kEsc}).empty());
    // No sends back what the run started from, once.
    ASSERT_EQ(Feed({kNo}), Lines{"restore"});
    EXPECT_EQ(lastOutputs[0].words, kOld);
    EXPECT_TRUE(Feed({kNo}).empty());
}

TEST_F(RunTest, AFingerOnThePanelAtTheStartIsWaitedOutFirst) {
    StartRun(0, Down(500, 500, 1));
    EXPECT_EQ(last, (Lines{"lift-off START CALIBRATION!", "indicator on", "phase 3"}));
    EXPECT_TRUE(Feed({R(Down(500, 500, 2)), kTick, kHoldEnd}).empty());
    EXPECT_EQ(Feed({R(kUp)}), (Lines{"indicator off", "cross 1 on", "touch TOP-LEFT", "action TOUCH",
                                     "indicator off", "countdown start"}));
}

// Esc in each wait of the run: what it hides, what No puts back, and what Yes ends with.
TEST_F(RunTest, EscHidesAsksAndPutsBack) {
    struct Case {
        const char* name;
        TouchPoint first;
        std::vector<Event> before;
        Lines esc, no, yes;
    } const cases[] = {
        {"FirstLiftOff", Down(500, 500, 1), {},
                {"phase 0", "cross 0 off", "countdown stop", "panels off", "ask break"},
                {"panels on"},
                {"panels on"}},
        {"Touch", kUp, {},
                {"phase 0", "cross 1 off", "countdown stop", "panels off", "ask break"},
                {"panels on", "countdown start", "cross 1 on"},
                {"panels on", "countdown start", "cross 1 on", "phase 4"}},
        {"Hold", kUp, {R(Down(50, 50, 1))},
                {"phase 0", "cross 1 off", "countdown stop", "panels off", "ask break"},
                {"panels on", "cross 1 on"},
                {"panels on", "cross 1 on", "phase 4"}},
        {"LiftOff", kUp,
                {R(Down(50, 50, 1)), R(Down(50, 50, 2)), R(Down(50, 50, 3)), R(Down(50, 50, 4)), R(Down(50, 50, 5)),
                 kHoldEnd, R(Down(50, 50, 5))},
                {"phase 0", "cross 1 off", "countdown stop", "panels off", "ask break"},
                {"panels on"},
                {"panels on", "phase 4"}},
    };
    for (const Case& c : cases) {
        for (Answer answer : {Answer::No, Answer::Yes}) {
            SCOPED_TRACE(c.name);
            StartRun(0, c.first);
            Feed(c.before);
            EXPECT_EQ(Feed({kEsc}), c.esc);
            EXPECT_TRUE(Feed({kEsc}).empty()) << "a second Esc while the question is open";
            EXPECT_EQ(Feed({{Event::Reply, {}, answer}}), answer == Answer::No ? c.no : c.yes);
            EXPECT_EQ(run->Polling(), answer == Answer::No);
        }
    }
}

TEST_F(RunTest, TwentyIdleSecondsEndTheRun) {
    StartRun();
    Lines ticks = Feed(std::vector<Event>(19, kTick));
    EXPECT_EQ(ticks.front(), "block 0");
    EXPECT_EQ(ticks.back(), "block 18");
    // Esc answered No starts the countdown again from its first block.
    Feed({kEsc, kNo});
    EXPECT_EQ(Feed({kTick}), Lines{"block 0"});
    Feed(std::vector<Event>(18, kTick));
    EXPECT_EQ(Feed({kTick}), (Lines{"block 19", "countdown end", "phase 4"}));
    EXPECT_FALSE(run->Polling());
    // The countdown does not run while the finger is down.
    StartRun();
    Feed({R(Down(50, 50, 1))});
    EXPECT_TRUE(Feed(std::vector<Event>(25, kTick)).empty());
    EXPECT_TRUE(run->Polling());
}

TEST_F(RunTest, TheWindowGoingAbandonsTheTarget) {
    StartRun();
    EXPECT_EQ(Strs(run->Abandon()), Lines{"phase 4"});
    EXPECT_FALSE(run->Polling());
    EXPECT_TRUE(run->Abandon().empty());
    StartRun(0, Down(500, 500, 1));
    EXPECT_TRUE(run->Abandon().empty());  // no target yet
    EXPECT_FALSE(run->Polling());
}

// Refused runs end with their message and send no calibration.
TEST_F(RunTest, RefusedRunsEndWithTheirMessage) {
    struct Case {
        std::int32_t mode;
        int width;
        std::vector<std::pair<int, int>> points;
        const char* message;
    } const cases[] = {
        {5, 1024, {}, "notice Fail to calibration! ( mode 5 not support )"},
        {1, 32, {},
                    "error Invalid Screen Resolution! (32 X 768)\r\n\r\nThe screen must be more than 32 pixels wide "
                    "and high to calibrate."},
        {0, 1024, {{40, 40}, {40, 40}, {40, 40}, {40, 40}},
                    "error Incorrect Panel Direction! (00000000-00000000)\r\n\r\n"
                    "Please checkout the pinout of your touch panel."},
        {0, 1024, {{400, 400}, {600, 400}, {600, 600}, {400, 600}},
                    "error Invalid Result of Calibration! (1234)\r\n\r\n"
                    "It may be cause by that you have calibrated with touch on invalid position."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        StartRun(c.mode, kUp, c.width);
        for (auto [x, y] : c.points) Take(x, y);
        EXPECT_EQ(last, (Lines{"indicator off", c.message}));
        EXPECT_FALSE(run->Polling());
    }
}

}  // namespace
}  // namespace kesma::controlpanel
