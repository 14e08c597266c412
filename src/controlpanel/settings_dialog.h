// What the settings dialogs share: the vendor header, the Apply / OK / Cancel row
// with its hourglass handling, the teal/black option arrays, and the return to the
// main window on unload. Each dialog edits one group of the device record and
// writes it in ApplyChanges.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controlpanel/control_panel.h"
#include "controlpanel/main_window.h"
#include "shared/vendor.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class SettingsDialog : public VendorForm {
public:
    // Design width of the settings dialogs; the header spans 480..6060 twips.
    static constexpr int kClientWidth = 6540;

    SettingsDialog(ui::App& app, ControlPanel& cp, const std::string& name, int clientHeight);

    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCandel_Click();

protected:
    // Copies the dialog's values into the record, sends its request and rewrites the
    // main window's summary line. Runs under the hourglass; Apply is disabled afterwards.
    virtual void ApplyChanges() = 0;

    // Apply, OK (Enter) and Cancel (Esc) along the bottom, at the given top.
    struct ButtonRow {
        ui::Button& cmdApply;
        ui::Button& cmdOK;
        ui::Button& cmdCandel;
    };
    ButtonRow AddButtonRow(int top);
    // Options first..last of a control array inside frame, one under the other `pitch`
    // apart, with teal text; captions[0] is the first one's (none: empty).
    ui::ControlArray<ui::OptionButton> AddOptions(ui::Frame& frame, const std::string& name, int first, int last,
                                                  int left, int top, int pitch, int width,
                                                  const std::vector<std::string>& captions = {});
    // Moves the checked mark and the black text from options(from) to options(to); an
    // index without an option (-1 for none, or a value out of range in the record) is
    // skipped.
    static void MoveOptionMark(const ui::ControlArray<ui::OptionButton>& options, int from, int to);
    // A click on options(index): the pending value and the mark move to it; false when it
    // is the pending choice already.
    static bool ChooseOption(const ui::ControlArray<ui::OptionButton>& options, std::uint8_t& pending, int index);
    void SetApplyEnabled(bool enabled);
    // Unloads under the hourglass; nothing is sent.
    void CloseDialog();

    ControlPanel& cp_;

private:
    ui::Button* apply_ = nullptr;  // the button row's
};

// A record field shown by a control whose range may not hold it (a scroll bar, a check
// box). The control shows the nearest value it can; the load never counts as a change,
// so the field keeps the driver's value until the user moves that control.
class LoadedPosition {
public:
    // Remembers what the control shows once the load has set it.
    template <class C>
    void Take(const C& control) {
        shown_ = control.Value();
    }
    template <class C>
    bool Moved(const C& control) const {
        return control.Value() != shown_;
    }
    // Writes the control's value into the field only when the user has moved it.
    template <class C, class Field>
    void Store(const C& control, Field& field) {
        if (!Moved(control)) return;
        field = static_cast<Field>(control.Value());
        shown_ = control.Value();
    }

private:
    int shown_ = 0;
};

// Options show black text while selected, teal otherwise.
inline constexpr ui::Color kSelectedOptionText = ui::kBlack;
inline constexpr ui::Color kOptionText = ui::kTeal;

// Inside a frame: a scroll bar between its end labels Label1(endLabel) and
// Label1(endLabel + 1); its value label goes underneath (AddValueLabel).
ui::HScrollBar& AddLabelledScrollBar(ui::Form& form, ui::Frame& frame, const std::string& bar, int endLabel,
                                     const std::string& low, const std::string& high);
ui::Label& AddValueLabel(ui::Form& form, ui::Frame& frame, const std::string& name);

}  // namespace kesma::controlpanel
