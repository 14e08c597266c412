// The progress message window of the setup and removal programs: an icon and a text
// that tells the user what is being done while the program works without pumping.
#pragma once

#include <string>

#include "platform/setup_ports.h"
#include "ui/ui.h"

namespace kesma::setup {

class frmMessage : public ui::Form {
public:
    // hourglassWhilePlacing: the pointer is the hourglass while the window is placed
    // (the setup program), through a nesting counter.
    frmMessage(ui::App& app, bool hourglassWhilePlacing);

    // Puts the text in the window, lays it out, places and shows it, painted at once. A
    // second call on a shown window replaces the text and places it again.
    void ShowProgressMessage(const std::string& text);

    ui::Image& imgMsg;
    ui::Label& lblMsg;

private:
    void Form_Load();
    void LayOut();
    void Place();

    bool hourglassWhilePlacing_;
    int hourglass_ = 0;  // placements running; the pointer is the hourglass while above 0
};

}  // namespace kesma::setup
