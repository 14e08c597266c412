#include <gtest/gtest.h>

#include "ui/headless/headless.h"

namespace ui {
namespace {

class HeadlessTest : public ::testing::Test {
protected:
    HeadlessBackend backend;
    App app{backend, "Title"};
    Form& form = app.Create<Form>("frmCalibration", 3000, 2000);
    std::vector<std::pair<std::string, std::uint32_t>> ticks;

    Timer& AddTimer(const std::string& name, int interval) {
        Timer& t = form.Add<Timer>(name, 0, 0, 0, 0);
        t.SetInterval(interval);
        t.OnTimer = [this, name] { ticks.emplace_back(name, backend.TickCount()); };
        return t;
    }
};

TEST_F(HeadlessTest, TimersFireInTimeOrderFromTheirStart) {
    AddTimer("TimerHOLD", 500);
    Timer& idle = AddTimer("TimerIDEL", 1000);
    form.Show();  // both start at 1000
    backend.Advance(1500);
    EXPECT_EQ(ticks, (std::vector<std::pair<std::string, std::uint32_t>>{
                         {"TimerHOLD", 1500}, {"TimerHOLD", 2000}, {"TimerIDEL", 2000}, {"TimerHOLD", 2500}}));
    EXPECT_EQ(backend.TickCount(), 2500u);

    ticks.clear();
    idle.SetEnabled(false);
    backend.Advance(100);
    idle.SetEnabled(true);  // the period restarts at 2600
    backend.Advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::pair<std::string, std::uint32_t>>{
                         {"TimerHOLD", 3000}, {"TimerHOLD", 3500}, {"TimerIDEL", 3600}}));
}

TEST_F(HeadlessTest, TimersStopWithTheirFormAndAreNotReentered) {
    Timer& hold = AddTimer("TimerHOLD", 10);
    int depth = 0, maxDepth = 0, runs = 0;
    hold.OnTimer = [&] {
        ++runs;
        maxDepth = std::max(maxDepth, ++depth);
        for (int i = 0; i < 50; ++i) app.DoEvents();  // a wait loop inside the handler
        --depth;
        if (runs == 3) form.Unload();
    };
    form.Show();
    backend.Advance(1000);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(runs, 3);
    EXPECT_FALSE(backend.TimerRunning(hold));
}

TEST_F(HeadlessTest, DoEventsRunsPostsOnceThenTheHook) {
    std::vector<std::string> order;
    backend.Post([&] {
        order.push_back("post");
        backend.Post([&] { order.push_back("next pass"); });
    });
    backend.OnDoEvents = [&] { order.push_back("hook"); };
    const auto before = app.TickCount();
    app.DoEvents();
    app.DoEvents();
    EXPECT_EQ(app.TickCount(), before + 2);
    EXPECT_EQ(order, (std::vector<std::string>{"post", "hook", "next pass", "hook"}));
}

TEST_F(HeadlessTest, MessageBoxesAnswerFromScriptHookOrFirstButton) {
    EXPECT_EQ(app.MsgBox("q", kMbYesNo | kMbDefButton2), kIdYes);
    EXPECT_EQ(app.MsgBox("q", kMbOkCancel), kIdOk);
    backend.ScriptAnswer(kIdNo);
    EXPECT_EQ(app.MsgBox("Keep?", kMbYesNo | kMbIconQuestion), kIdNo);
    backend.OnMsgBox = [](const std::string& text, unsigned, const std::string&) {
        return text == "cancel me" ? kIdCancel : kIdOk;
    };
    EXPECT_EQ(app.MsgBox("cancel me", kMbOkCancel), kIdCancel);
    ASSERT_EQ(backend.MsgBoxes().size(), 4u);
    EXPECT_EQ(backend.MsgBoxes()[2].text, "Keep?");
    EXPECT_EQ(backend.MsgBoxes()[2].flags, kMbYesNo | kMbIconQuestion);
    EXPECT_EQ(backend.MsgBoxes()[2].answer, kIdNo);
}

TEST_F(HeadlessTest, RunEndsWithTheLastFormOrGivesUp) {
    Timer& t = AddTimer("TimerEnd", 250);
    t.OnTimer = [&] { form.Unload(); };
    form.Show();
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(backend.TickCount(), 1250u);
    EXPECT_TRUE(app.Forms().empty());

    Form& idle = app.Create<Form>("frmIdle", 100, 100);
    idle.Show();
    app.Run();
    EXPECT_TRUE(backend.RunStalled());  // nothing could ever end it
    backend.RunLimit = 100;
    backend.OnDoEvents = [] {};
    app.Run();
    EXPECT_TRUE(backend.RunLimitHit());
}

TEST_F(HeadlessTest, HandlesAreUniquePerLoad) {
    Form& other = app.Create<Form>("frmOther", 100, 100);
    form.Show();
    other.Show();
    const auto first = form.Handle();
    EXPECT_NE(first, 0);
    EXPECT_NE(first, other.Handle());
    form.Unload();
    EXPECT_EQ(form.Handle(), 0);
    form.Load();
    EXPECT_NE(form.Handle(), first);
}

}  // namespace
}  // namespace ui
