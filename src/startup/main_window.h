// Kesmaboot's main window: the double-click configuration window with /SDC, a splash
// cut to its header otherwise.
#pragma once

#include "shared/vendor.h"
#include "startup/startup.h"
#include "ui/ui.h"

namespace kesma::startup {

class frmMain : public VendorForm {
public:
    frmMain(ui::App& app, Startup& program);

    ui::Shape& Shape1;
    ui::Frame& Frame1;
    ui::Label& lblTT;
    ui::HScrollBar& hscTT;
    ui::Label& lblWW;
    ui::HScrollBar& hscWW;
    ui::Label& lblHH;
    ui::HScrollBar& hscHH;
    ui::ControlArray<ui::Label> Label1;  // the bars' end values, 0..5
    ui::Frame& Frame2;
    ui::Label& Label2;
    ui::Label& Label4;
    ui::Label& Label3;
    ui::Label& lblSiTT;
    ui::Label& lblSiWW;
    ui::Label& lblSiHH;
    ui::Frame& Frame4;
    ui::PictureBox& picTest;
    ui::Image& imgOFF;
    ui::Image& imgON;
    ApplyButtons buttons;

    void Form_Load();
    void Form_Unload();
    void hscTT_Change();
    void hscWW_Change();
    void hscHH_Change();
    void imgOFF_DblClick();
    void imgON_DblClick();
    void imgIcon_DblClick();

    bool DoubleClickDiffers() const;

private:
    // False when the settings key refused the values.
    bool Store();
    void UpdateApplyButton();
    void ShowSystemValues();
    void SetTestArea(bool on);
    void ReturnFromAbout();

    Startup& program_;
};

}  // namespace kesma::startup
