// Kesmarbtn's only window: a topmost picture button in the bottom-right corner of the
// work area. A press asks the driver to turn the next touch into a right click and
// waits until the driver has done it or the user cancels. The window is registered in
// the driver's right-button slot, where the other programs find it to send it the
// hide, show and close requests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ports.h"
#include "platform/system_port.h"
#include "shared/device_link.h"
#include "ui/ui.h"

namespace kesma::rightbutton {

inline constexpr const char* kAppTitle = " TouchScreen Right-Button #Velorix";

// The box text for a WM_USER request this window does not know; hexadecimal in upper
// case without leading zeros, each parameter as the unsigned bit pattern of its low 32 bits.
std::string UnknownRequestText(std::uintptr_t wParam, std::intptr_t lParam);

class frmMain : public ui::Form {
public:
    // link, windows and system must outlive the form; the click handler's wait keeps
    // using the link after a close request has unloaded the form.
    frmMain(ui::App& app, DeviceLink& link, WindowPort& windows, SystemPort& system);

    ui::Button& cmdAction;

    // 1 while a requested right click has been neither performed nor cancelled.
    std::int16_t WaitingForTouch = 0;

private:
    void Form_Initialize();
    void PlaceOnTop();
    void Form_Load();
    bool IsRightButtonWindow(Hwnd window);
    void Form_Unload();
    void cmdAction_Click();
    std::intptr_t RBF_WndProc(std::uintptr_t wParam, std::intptr_t lParam);

    bool enterArms_ = false;  // the Enter being pressed arms the wait: its character is no cancel
    DeviceLink& link_;
    WindowPort& windows_;
    SystemPort& system_;
    // Set by the unload. Shared so that a wait running when a close request unloads
    // (and the app may free) the form can tell without touching the form.
    std::shared_ptr<bool> unloaded_ = std::make_shared<bool>(false);
};

}  // namespace kesma::rightbutton
