// The restart of Windows that the setup and removal programs request as their last step.
#pragma once

#include "platform/setup_ports.h"
#include "ui/ui.h"

namespace kesma::setup {

// Enables the shutdown privilege and asks Windows to restart. True when Windows took
// the request; otherwise the user has been told why in a box titled with the program's
// title. The token handle stays open: the callers end right afterwards.
bool RestartWindows(ui::App& app, RestartPort& port);

}  // namespace kesma::setup
