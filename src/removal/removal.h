// Kesmawipe's main window: asks once, then closes the companions, runs the
// installation's uninstaller, has its own file deleted at the next start of Windows and
// restarts Windows.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "shared/services.h"
#include "shared/vendor.h"
#include "ui/ui.h"

namespace kesma::removal {

inline constexpr const char* kRemovalTitle = "TouchScreen Software Removal";

// Closes the running companions as the removal does before it starts the uninstaller:
// the right-button program, then Kesmasmi. Nothing when the device does not open.
void CloseCompanions(ProgramServices& services);

// What the wait for the uninstaller came to.
enum class WaitResult { Ended, Failed, Abandoned, TimedOut };
// Ten waits of a second each on the process, with the window input handled before each.
WaitResult WaitForUninstaller(ui::App& app, ProcessControlPort& processes, Handle process);

class frmMain : public VendorForm {
public:
    frmMain(ui::App& app, Platform& platform);

    ui::Shape& shpRemoval;
    ui::Image& imgRemoval;
    ui::Label& lblAsk;
    ui::Label& lblText;
    ui::Shape& linEtchShadow;
    ui::Shape& linEtchHighlight;
    ui::Button& cmdYes;
    ui::Button& cmdNo;

private:
    void Form_Load();
    void LayOut();
    void cmdYes_Click();
    void cmdNo_Click();
    void imgIcon_DblClick();
    // Starts the uninstaller and waits for it. Empty when it ended with exit status 0, else
    // what failed, for the warning.
    std::string RunUninstaller();

    Platform& platform_;
    ProgramServices services_;
};

}  // namespace kesma::removal
