// The control panel over whatever the driver hands back: an 82-byte device record, the
// right-button and SMI window slots, and the port records of COM1..COM9. Every dialog
// is loaded, and OK pressed, on the headless backend.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "harness.h"

namespace {

struct Input {
    DeviceSettings settings;
    WindowSlot rightButton;
    WindowSlot smi;
    PortResources ports[9];
};

template <typename Record>
void Take(const std::uint8_t*& data, std::size_t& size, Record& record) {
    const std::size_t n = size < sizeof record ? size : sizeof record;
    std::memcpy(&record, data, n);
    data += n;
    size -= n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(DeviceSettings)) return 0;
    kesma::test::ControlPanelHarness h;
    KesmaCoreState& state = h.device.state();
    Take(data, size, state.Sim.Settings);
    Take(data, size, state.Sim.RightButtonSlot);
    Take(data, size, state.Sim.SmiSlot);
    auto* main = h.Start();
    if (main == nullptr) return 0;
    for (PortResources& record : h.cp.PortRecords) Take(data, size, record);

    const char* const dialogs[][2] = {{"cmdSerialPort", "frmSerialPort"},       {"cmdVirtualButton", "frmVirtualButton"},
                                      {"cmdFeedbackSound", "frmFeedbackSound"}, {"cmdSleepTime", "frmSleepTime"},
                                      {"cmdMouseSpeed", "frmMouseSpeed"}};
    for (const auto& [button, form] : dialogs) {
        if (!main->Loaded()) break;
        main->Ctl(button).SetVisible(true);
        main->Ctl(button).UserClick();
        if (ui::Form* dialog = h.Form(form)) {
            if (ui::Control* apply = dialog->Find("cmdApply")) apply->UserClick();
            dialog->Ctl<ui::Button>("cmdOK").UserClick();
        }
    }
    return 0;
}
