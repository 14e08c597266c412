// The drawing test: a full-screen pad on which touches draw lines in a chosen pen
// width and colour, with indicators of the mouse buttons the driver reports. The
// driver is in drag-and-drop mode while the test runs.
#pragma once

#include <cstdint>

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmTest : public ui::Form {
public:
    frmTest(ui::App& app, ControlPanel& cp);

    ui::PictureBox& picHead;
    ui::Image& imgIcon;
    ui::Label& lblTitle;
    ui::Button& cmdClear;
    ui::Button& cmdExit;
    ui::PictureBox& picHome;
    ui::PictureBox& picMesg;
    ui::Label& lblHelpBox;
    ui::Label& lblHelp;
    ui::Label& lblWidthName;
    ui::ControlArray<ui::Label> lblWidth;  // 0..3: pen widths 1..4
    ui::Label& lblColorName;
    ui::ControlArray<ui::Label> lblColor;  // 0..4
    ui::Label& lblButtonName;
    ui::ControlArray<ui::Label> lblButton;  // 0..2: L, M, R

private:
    void Form_Activate();
    void Form_Unload();
    void Form_Resize();
    void picHead_Resize();
    void picMesg_Resize();
    void lblWidth_Click(int index);
    void lblColor_Click(int index);
    void picHome_MouseDown(int button, int x, int y);
    void picHome_MouseMove(int x, int y);
    void picHome_MouseUp(int button);
    void ShowButton(int button, bool down);

    ControlPanel& cp_;
    // Set once the test has put the driver into drag-and-drop mode.
    bool activated_ = false;
    std::uint8_t savedTouchMode_ = 0;
    bool penDown_ = false;
    int currentWidthIndex_ = 0;
    int currentColorIndex_ = 0;
};

}  // namespace kesma::controlpanel
