#include "shared/pause.h"

#include <cmath>

#include "ui/ui.h"

namespace kesma {

void Pause(ui::App& app, int seconds) {
    if (seconds <= 0) return;
    const double now = app.SecondsSinceMidnight();
    const double t0 = std::floor(now + 0.5);
    const double left = (t0 + seconds - now) * 1000.0;
    app.Wait(left > 0 ? static_cast<std::uint32_t>(std::lround(left)) : 0);
}

}  // namespace kesma
