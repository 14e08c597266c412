#include "rightbutton/right_button.h"

#include <algorithm>

#include "shared/companions.h"
#include "shared/forms.h"
#include "shared/records.h"

namespace kesma::rightbutton {

namespace {

constexpr int kButtonSize = 600;  // twips; the window's inner area is exactly the button
constexpr int kPollIntervalMs = 30;  // the armed wait reads the driver's slot this often

std::string Hex(std::uintmax_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return text;
}

}  // namespace

std::string UnknownRequestText(std::uintptr_t wParam, std::intptr_t lParam) {
    // 32-bit values, as the message's parameters are in a 32-bit program.
    return "RBF_WndProc Fail! wParam=" + Hex(static_cast<std::uint32_t>(wParam)) + "h, lParam=" +
           Hex(static_cast<std::uint32_t>(lParam)) + "h";
}

frmMain::frmMain(ui::App& app, DeviceLink& link, WindowPort& windows, SystemPort& system)
    : ui::Form(app, "frmMain", kButtonSize, kButtonSize),
      cmdAction(Add<ui::Button>("cmdAction", 0, 0, kButtonSize, kButtonSize)),
      link_(link),
      windows_(windows),
      system_(system) {
    cmdAction.SetIconPicture();
    cmdAction.OnClick = [this] { cmdAction_Click(); };

    // Shown and brought back without taking the activation: the user's next key still goes
    // to the window they work in (the dialog that started this program, say).
    SetShowsInactive(true);
    // While waiting the button is hidden; the preview lets a key cancel wherever the
    // focus was left.
    SetKeyPreview(true);
    // Only a key that makes a character (Esc and Enter included) cancels; F5, the arrows,
    // Shift, Ctrl and Alt do not. Enter presses the button on its key-down, so the character
    // it makes afterwards is the arming key's own and cancels nothing.
    OnKeyDown = [this](int keyCode, int) { enterArms_ = keyCode == ui::kKeyEnter && WaitingForTouch == 0; };
    OnKeyPress = [this](int ascii) {
        if (!(ascii == ui::kKeyEnter && enterArms_)) WaitingForTouch = 0;
        enterArms_ = false;
    };
    OnMouseDown = [this](int mouseButton, int, int, int) {
        if (mouseButton & (ui::kLeftButton | ui::kRightButton)) WaitingForTouch = 0;
    };
    OnLoad = [this] { Form_Load(); };
    OnUnload = [this] { Form_Unload(); };
    OnUserMessage = [this](std::uintptr_t wParam, std::intptr_t lParam) { return RBF_WndProc(wParam, lParam); };

    Form_Initialize();
}

void frmMain::Form_Initialize() {
    SetCaption(" C-RBF");
    SetBackColor(ui::kButtonFace);
    WaitingForTouch = 0;
}

// The window's bottom-right corner on the work area's, always on top. Windows widens a
// captioned window this narrow to its minimum tracking width, so the corner is placed
// by the window's real size, known once the window exists.
void frmMain::PlaceOnTop() {
    PixelRect work;
    system_.SystemParametersInfoA(kSpiGetWorkArea, 0, &work, 0);
    const PixelRect window = windows_.GetWindowRect(Handle());
    const ui::ScreenInfo screen = app().Screen();
    SetTop(screen.PixelsToTwipsY(work.bottom - (window.bottom - window.top)));
    SetLeft(screen.PixelsToTwipsX(work.right - (window.right - window.left)));
    // Without the activation: placing a window activates it, even a hidden one.
    windows_.SetWindowPos(Handle(), kHwndTopMost, kSwpNoMove | kSwpNoSize | kSwpNoActivate);
}

void frmMain::Form_Load() {
    PlaceOnTop();
    if (!link_.OpenTouchDevice()) {
        ReportOpenFailure(app(), kAppTitle);
        app().End();
        return;
    }

    WindowSlot& slot = link_.RightButtonSlot;
    link_.GetRightButtonWindow();
    if (slot.Window == KESMA_NO_WINDOW || !IsRightButtonWindow(slot.Window)) {
        // Empty, or left behind by a copy that ended without its unload (killed, crashed):
        // a dead registration must not disable the button until the driver restarts.
        slot.Word = 0;
        slot.Window = static_cast<std::int32_t>(Handle());
        link_.SetRightButtonWindow();
        return;
    }
    // Another copy is registered: bring it back and give way to it.
    SendRequest(windows_, slot.Window, kRequestShow);
    link_.CloseTouchDevice();
    app().End();
}

// A window of another copy: one of the toolkit's forms with this program's caption.
bool frmMain::IsRightButtonWindow(Hwnd window) {
    if (!app().IsForm(window)) return false;
    constexpr int kCapacity = 64;
    char text[kCapacity] = {};
    const int copied = windows_.GetWindowTextA(window, text, kCapacity);
    return std::string(text, static_cast<std::size_t>(std::clamp(copied, 0, kCapacity - 1))) == Caption();
}

void frmMain::Form_Unload() {
    *unloaded_ = true;
    WindowSlot& slot = link_.RightButtonSlot;
    slot.Window = KESMA_NO_WINDOW;
    slot.Word = 0;
    link_.SetRightButtonWindow();
    link_.CloseTouchDevice();
}

void frmMain::cmdAction_Click() {
    // A close request may unload the form, and the app may free it, inside any
    // DoEvents below: from the first DoEvents on, only locals are touched until the
    // form is known to be still loaded. The unload has deregistered the window and
    // closed the device; disarming afterwards would register a dead window again.
    ui::App& app = this->app();
    DeviceLink& link = link_;
    const std::shared_ptr<const bool> unloaded = unloaded_;
    const auto gone = [&] { return *unloaded || app.Ended(); };
    WindowSlot& slot = link.RightButtonSlot;

    ui::Button& button = cmdAction;
    button.SetVisible(false);
    slot.Word = 1;
    link.SetRightButtonWindow();
    WaitingForTouch = 1;

    // The driver clears RightClickArmed once the click is done; a key or mouse press
    // on the window clears WaitingForTouch. Between two reads the loop waits for input
    // a poll interval at most: a person cannot tell, and the wait costs next to no CPU.
    do {
        app.DoEvents(kPollIntervalMs);
        if (gone()) return;
        link.GetRightButtonWindow();
        app.DoEvents(0);
        if (gone()) return;
    } while (slot.Word != 0 && WaitingForTouch == 1);

    slot.Word = 0;
    link.SetRightButtonWindow();
    WaitingForTouch = 0;
    button.SetVisible(true);
}

std::intptr_t frmMain::RBF_WndProc(std::uintptr_t wParam, std::intptr_t lParam) {
    switch (wParam) {
    case kRequestHide:
        Hide();
        break;
    case kRequestShow:
        Show();
        break;
    case kRequestClose:
        Unload();  // the form may be gone from here on
        break;
    default:
        app().MsgBox(UnknownRequestText(wParam, lParam), ui::kMbOk, kAppTitle);
        break;
    }
    return 0;
}

}  // namespace kesma::rightbutton
