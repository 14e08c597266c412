// The control panel's main window: its load handler is the program's start-up, and
// afterwards it is the hub from which each button opens one dialog.
#pragma once

#include "controlpanel/control_panel.h"
#include "shared/vendor.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class frmMain : public VendorForm {
public:
    frmMain(ui::App& app, ControlPanel& cp);

    // One row a setting: the button opening its dialog and the summary in its box.
    ui::Button& cmdSerialPort;
    ui::Shape& shpUsingDevice;
    ui::Label& lblUsingDevice;
    ui::Button& cmdVirtualButton;
    ui::Shape& shpVirtualButton;
    ui::Label& lblVirtualButton;
    ui::Button& cmdFeedbackSound;
    ui::Shape& shpFeedbackSound;
    ui::Label& lblFeedbackSound;
    ui::Button& cmdMouseSpeed;
    ui::Shape& shpMouseSpeed;
    ui::Label& lblMouseSpeed;
    ui::Button& cmdSleepTime;
    ui::Shape& shpSleepTime;
    ui::Label& lblSleepTime;
    ui::Button& cmdCalibration;
    ui::Shape& shpCalibration;
    ui::ComboBox& cboCalibration;
    ui::Button& cmdSupport;
    ui::Button& cmdExit;

    void Form_Load();
    void Form_Unload();
    void Form_KeyDown(int keyCode, int shift);
    void cmdSerialPort_Click();
    void cmdSerialPort_MouseDown(int button, int shift);
    void cmdVirtualButton_Click();
    void cmdFeedbackSound_Click();
    void cmdMouseSpeed_Click();
    void cmdSleepTime_Click();
    void cmdCalibration_Click();
    void cmdSupport_Click();
    void cmdExit_Click();
    void cmdExit_MouseDown(int button, int shift);
    void imgIcon_DblClick();
    void cboCalibration_Click();

private:
    // A fatal start-up condition: the program ends without unload handlers.
    void EndProgram();
    void HideMouseSpeedRow();
    void ChooseSupportButton();
    void FillSummaryLines();
    void FillCalibrationModes();
    // The two orders in which a button swaps the main window for its dialog.
    template <class Dialog, class... Args>
    void ShowThenHide(Args&&... args);
    template <class Dialog, class... Args>
    void HideThenShow(Args&&... args);

    ControlPanel& cp_;
};

}  // namespace kesma::controlpanel
