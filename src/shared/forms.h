// The helpers every program's forms share: placement on the screen and the error reports.
#pragma once

#include <string>

#include "ui/ui.h"

namespace kesma {

void CentreWindow(ui::Form& window);
// cmdOK of a dialog that only shows something: "&OK", the default and the cancel button
// (Enter and Esc), and a click closes the dialog.
ui::Button& AddCloseButton(ui::Form& dialog, int left, int top, int width, int height);
// The picture (an icon) centred in the box.
void CentreIn(const ui::PictureBox& box, ui::Image& picture);

// A beep, then a system-modal error box with OK (MB_SYSTEMMODAL | MB_ICONERROR).
void ShowError(ui::App& app, const std::string& text, const std::string& caption);
// "Fail to open KESMADRV.sys!" with the application title as caption.
void ReportOpenFailure(ui::App& app, const std::string& title);
// The driver has no COM port for the controller (ComPort 0).
void ReportControllerNotFound(ui::App& app, const std::string& caption);

}  // namespace kesma
