#include <gtest/gtest.h>

#include "shared/pause.h"
#include "ui/headless/headless.h"

namespace kesma {
namespace {

TEST(Pause, LastsFromTheRoundedSecondAlsoAcrossMidnight) {
    struct Case {
        double timeOfDay;
        int seconds;
        std::uint32_t expectedMs;
    } const cases[] = {
        {100.2, 1, 800},     // rounded down: shorter
        {100.6, 1, 1400},    // rounded up: longer
        {100.0, 10, 10000},
        {86399.7, 1, 1300},  // the clock restarts at midnight during the pause
        {86399.2, 3, 2800},
        {50.0, 0, 0},
    };
    for (const Case& c : cases) {
        ui::HeadlessBackend backend;
        ui::App app(backend, "Title");
        app.Create<ui::Form>("frmMain", 1000, 1000).Show();
        backend.SetTimeOfDay(c.timeOfDay);
        const std::uint32_t start = backend.TickCount();
        Pause(app, c.seconds);
        EXPECT_EQ(backend.TickCount() - start, c.expectedMs) << c.timeOfDay << " + " << c.seconds;
    }
}

TEST(Pause, EndsWhenTheProgramEnds) {
    ui::HeadlessBackend backend;
    ui::App app(backend, "Title");
    app.Create<ui::Form>("frmMain", 1000, 1000).Show();
    backend.Post([&] { app.End(); });
    const std::uint32_t start = backend.TickCount();
    Pause(app, 10);
    EXPECT_LT(backend.TickCount() - start, 10000u);
}

}  // namespace
}  // namespace kesma
