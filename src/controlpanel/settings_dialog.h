// What the settings dialogs share: the vendor header, the Apply / OK / Cancel row
// with its hourglass handling, the teal/black option arrays, and the return to the
// main window on unload. Each dialog edits one group of the device record and
// writes it in ApplyChanges.
#pragma once

#include <string>

#include "controlpanel/control_panel.h"
#include "ui/ui.h"

namespace kesma::controlpanel {

class SettingsDialog : public ui::Form {
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
    void AddButtonRow(int top);
    // One option of a control array inside frame, with teal text.
    ui::Control& AddOption(ui::Control& frame, const std::string& name, int index, int left, int top,
                           int width, const std::string& caption);
    // Moves the checked mark and the black text from option(from) to option(to);
    // an index without an option (-1 for none, or a value out of range in the record)
    // is skipped.
    void MoveOptionMark(const std::string& name, int from, int to);
    void SetApplyEnabled(bool enabled);
    // Unloads under the hourglass; nothing is sent.
    void CloseDialog();
    // The main window's summary label.
    void SetMainSummary(const std::string& label, const std::string& text);

    ControlPanel& cp_;
};

// A record field shown by a control whose range may not hold it (a scroll bar, a check
// box). The control shows the nearest value it can; the load never counts as a change,
// so the field keeps the driver's value until the user moves that control.
class LoadedPosition {
public:
    // Remembers what the control shows once the load has set it.
    void Take(const ui::Control& control) { shown_ = control.Value(); }
    bool Moved(const ui::Control& control) const { return control.Value() != shown_; }
    // Writes the control's value into the field only when the user has moved it.
    template <class Field>
    void Store(const ui::Control& control, Field& field) {
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
// Label1(endLabel + 1), and the centred value label underneath.
void AddLabelledScrollBar(ui::Form& form, ui::Control& frame, const std::string& bar,
                          const std::string& valueLabel, int endLabel, const std::string& low,
                          const std::string& high);

}  // namespace kesma::controlpanel
