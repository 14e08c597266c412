// Kesmaboot's main window: the double-click configuration window with /SDC, a splash
// cut to its header otherwise.
#pragma once

#include "startup/startup.h"
#include "ui/ui.h"

namespace kesma::startup {

class frmMain : public ui::Form {
public:
    frmMain(ui::App& app, Startup& program);

    void Form_Load();
    void Form_Unload();
    void hscTT_Change();
    void hscWW_Change();
    void hscHH_Change();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCandel_Click();
    void imgOFF_DblClick();
    void imgON_DblClick();
    void imgIcon_DblClick();

    bool DoubleClickDiffers() const;

private:
    // False when the settings key refused the values (reported).
    bool Apply();
    void UpdateApplyButton();
    void ShowSystemValues();
    void SetTestArea(bool on);
    void ReturnFromAbout();

    Startup& program_;
};

}  // namespace kesma::startup
