// The pauses of the start-up and removal programs.
#pragma once

namespace ui { class App; }

namespace kesma {

// Reads the time of day rounded to the nearest whole second (t0) and handles window
// input until the clock reads t0 + seconds: the pause lasts between seconds - 0.5 and
// seconds + 0.5. The length is fixed at the start and then measured on the tick count,
// so a pause that spans midnight (where the clock restarts) ends after it too; the
// wait sleeps until input comes or the time is up.
void Pause(ui::App& app, int seconds);

}  // namespace kesma
