// The way through the dialogs by keyboard, as a user takes it: real key input through the
// programs' pumps (Tab order, option groups, Apply, Esc), the right-button window that takes
// no activation and arms on Enter, a hung right-button program, and the dialogs' copy of the
// main window's header picture.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "../unit/fakes/bitmap_bytes.h"
#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kRightButtonCaption = " C-RBF";

std::string Upper(std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

// The design name (upper case) of the control with the keyboard focus in the form's thread;
// "(FORM)" for the form itself, empty for none or a window of another form.
std::string Focused(HWND form) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info) || !info.hwndFocus) return {};
    if (info.hwndFocus == form) return "(FORM)";
    return IsChild(form, info.hwndFocus) ? Upper(ax::ReadControl(form, info.hwndFocus).name) : std::string();
}

// A key, and the control that must have the focus after it.
struct Step {
    const char* key;
    unsigned modifiers;
    const char* focus;
};

class KeyboardE2e : public E2eTest {
protected:
    HWND StartMain() {
        EXPECT_TRUE(programs.Start("Kesmapan.exe").has_value());
        return ax::WaitTopWindow("frmMain");
    }

    HWND Open(HWND main, const char* form, const char* button) {
        EXPECT_EQ(button ? ax::Click(main, ax::FindControl(main, button)) : ax::Key(main, "M", ax::kAlt), "");
        return ax::WaitTopWindow(form);
    }

    void Walk(HWND form, const std::vector<Step>& steps) {
        for (const Step& s : steps) {
            const std::string trace = std::string(s.modifiers ? "Shift+" : "") + s.key + " -> " + s.focus;
            ASSERT_EQ(ax::Key(form, s.key, s.modifiers), "") << trace;
            ASSERT_TRUE(Eventually([&] { return Focused(form) == Upper(s.focus); }, 3000))
                << trace << ", focus on " << Focused(form);
            // An option reached by Tab or an arrow is the chosen one.
            if (Upper(s.focus).rfind("OPT", 0) == 0) {
                EXPECT_EQ(ReadNamedControl(form, s.focus).value, 1) << trace;
            }
        }
    }

    static void Command(HWND window, std::uintptr_t request) {
        DWORD_PTR ignored = 0;
        EXPECT_NE(SendMessageTimeoutA(window, WM_USER, request, 0, SMTO_ABORTIFHUNG, 5000, &ignored), 0);
    }
};

// ---------------------------------------------------------------------------------------
// Every settings dialog: Tab in creation order, Shift+Tab back, an option group is one stop
// and its arrows wrap inside it, choosing; Apply from the keyboard hands the focus on to OK.

struct DialogKeys {
    const char* form;
    const char* button;  // nullptr: Alt+M
    std::vector<Step> steps;  // from the focus the dialog opens with
    const char* first;
};

void PrintTo(const DialogKeys& d, std::ostream* os) { *os << d.form; }

class DialogKeysE2e : public KeyboardE2e, public ::testing::WithParamInterface<DialogKeys> {};

const unsigned kShift = ax::kShift;

const DialogKeys kDialogs[] = {
    {"frmFeedbackSound", "cmdFeedbackSound",
     {{"Tab", 0, "hscTone"}, {"Tab", 0, "hscDuration"}, {"Tab", 0, "cmdSoundTest"}, {"Tab", 0, "cmdOK"},
      {"Tab", 0, "cmdCandel"}, {"Tab", 0, "optFeedbackSound(1)"}, {"Tab", kShift, "cmdCandel"},
      {"Tab", 0, "optFeedbackSound(1)"}, {"Up", 0, "optFeedbackSound(4)"}, {"Down", 0, "optFeedbackSound(1)"},
      {"Down", 0, "optFeedbackSound(2)"}, {"Right", 0, "optFeedbackSound(3)"}, {"Tab", 0, "hscTone"},
      {"Tab", 0, "hscDuration"}, {"Tab", 0, "cmdSoundTest"}, {"Tab", 0, "cmdApply"}, {"Space", 0, "cmdOK"},
      {"Tab", kShift, "hscDuration"}},  // the sound test is for silence only
     "optFeedbackSound(1)"},
    {"frmVirtualButton", "cmdVirtualButton",
     {{"Down", 0, "optVirtualButton(1)"}, {"Left", 0, "optVirtualButton(4)"}, {"Tab", 0, "optRBFunction(0)"},
      {"Down", 0, "optRBFunction(1)"}, {"Down", 0, "optRBFunction(0)"}, {"Up", 0, "optRBFunction(1)"},
      {"Tab", kShift, "optVirtualButton(4)"}, {"Tab", kShift, "cmdCandel"}, {"Tab", kShift, "cmdOK"},
      {"Tab", kShift, "cmdApply"}, {"Down", 0, "cmdApply"}},
     "optVirtualButton(4)"},
    {"frmMouseSpeed", nullptr,
     {{"Tab", 0, "chkBoth"}, {"Tab", 0, "hscMouseHSpeed"}, {"Tab", 0, "hscMouseVSpeed"},
      {"Tab", 0, "optAcceleration(2)"}, {"Down", 0, "optAcceleration(3)"}, {"Tab", 0, "cmdApply"},
      {"Tab", 0, "cmdOK"}, {"Tab", kShift, "cmdApply"}},
     "chkBypass"},
    {"frmSleepTime", "cmdSleepTime",
     {{"Tab", 0, "cmdOK"}, {"Tab", 0, "cmdCandel"}, {"Tab", 0, "hscSleepTime"}, {"Tab", kShift, "cmdCandel"}},
     "hscSleepTime"},
};

TEST_P(DialogKeysE2e, TabAndArrowsFollowTheDesignOrderAndTheGroups) {
    const DialogKeys& d = GetParam();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND dialog = Open(main, d.form, d.button);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Eventually([&] { return Focused(dialog) == Upper(d.first); }, 3000)) << Focused(dialog);
    Walk(dialog, d.steps);
    // Esc still answers: Cancel closes the dialog.
    ASSERT_EQ(ax::Key(dialog, "Esc", 0), "");
    EXPECT_TRUE(Eventually([&] { return !IsWindow(dialog) && IsWindowVisible(main); }));
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogKeysE2e, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogKeys>& param) { return std::string(param.param.form); });

// ---------------------------------------------------------------------------------------
// Dialogs whose way out is one button: Esc does what it does.

TEST_F(KeyboardE2e, EscClosesEveryDialogThatOnlyShowsSomething) {
    InstallFile supportPicture("TSVender.Bmp", test::BitmapBytes(200, 100));
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    const auto right = [&](const char* button) {
        return ax::MouseDown(ax::FindControl(main, button), ax::MouseButton::Right, ax::kShift | ax::kCtrl | ax::kAlt);
    };
    const struct {
        const char* form;
        std::function<std::string()> open;
    } kWindows[] = {
        {"frmAbout", [&] { return ax::DoubleClick(main, ax::FindControl(main, "imgIcon")); }},
        {"frmSupport", [&] { return ax::Click(main, ax::FindControl(main, "cmdSupport")); }},
        {"frmSerialPort", [&] { return ax::Click(main, ax::FindControl(main, "cmdSerialPort")); }},
        {"frmMcuInfo", [&] { return right("cmdSerialPort"); }},
        {"frmTest", [&] { return right("cmdExit"); }},
    };
    for (const auto& w : kWindows) {
        SCOPED_TRACE(w.form);
        ASSERT_EQ(w.open(), "");
        HWND window = ax::WaitTopWindow(w.form);
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(ax::Key(window, "Esc", 0), "");
        EXPECT_TRUE(Eventually([&] { return !IsWindow(window) && IsWindowVisible(main); }));
    }
}

// ---------------------------------------------------------------------------------------
// The right-button window: started by Apply and brought back by the show request without
// taking the activation; Enter arms it.

TEST_F(KeyboardE2e, RightButtonWindowTakesNoActivationAndArmsOnEnter) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND dialog = Open(main, "frmVirtualButton", "cmdVirtualButton");
    ASSERT_NE(dialog, nullptr);
    Walk(dialog, {{"Tab", 0, "optRBFunction(0)"}, {"Down", 0, "optRBFunction(1)"}, {"Tab", kShift, "optVirtualButton(4)"},
                  {"Tab", kShift, "cmdCandel"}, {"Tab", kShift, "cmdOK"}, {"Tab", kShift, "cmdApply"}});
    ASSERT_EQ(ax::Key(dialog, "Space", 0), "");
    HWND rightButton = nullptr;
    ASSERT_TRUE(Eventually([&] {
        rightButton = ax::FindTopWindow(kRightButtonCaption);
        return rightButton && IsWindowVisible(rightButton) && driver.State().RightButtonSlot.Window != KESMA_NO_WINDOW;
    })) << "the right-button program did not come up";
    Sleep(500);  // time to take the activation, were it to
    EXPECT_EQ(GetForegroundWindow(), dialog);
    // The user's next key still goes to the dialog (without bringing it to the front first).
    INPUT tab[2]{};
    tab[0].type = tab[1].type = INPUT_KEYBOARD;
    tab[0].ki.wVk = tab[1].ki.wVk = VK_TAB;
    tab[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, tab, sizeof(INPUT)), 2u);
    EXPECT_TRUE(Eventually([&] { return Focused(dialog) == "CMDCANDEL"; }, 3000)) << Focused(dialog);

    // Enter arms one right click, as Space does; the character it makes cancels nothing.
    ASSERT_EQ(ax::Key(rightButton, "Enter", 0), "");
    ASSERT_TRUE(Eventually([&] { return driver.State().RightButtonSlot.Word == 1; })) << "not armed";
    Sleep(500);
    EXPECT_EQ(driver.State().RightButtonSlot.Word, 1) << "the wait was cancelled";
    driver.PerformRightClick();
    EXPECT_TRUE(Eventually([&] {
        return driver.State().RightButtonSlot.Word == 0 && IsWindowVisible(ax::FindControl(rightButton, "cmdAction"));
    }));

    // The show request restores the minimised window, still without the activation.
    SetForegroundWindow(dialog);
    ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == dialog; }));
    ShowWindow(rightButton, SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(Eventually([&] { return IsIconic(rightButton) != FALSE; }));
    Command(rightButton, 0x1001);
    EXPECT_TRUE(Eventually([&] { return !IsIconic(rightButton) && IsWindowVisible(rightButton); }));
    EXPECT_EQ(GetForegroundWindow(), dialog);
}

// A right-button program that does not answer (its thread suspended) holds up the control
// panel's close request a few seconds at most.
TEST_F(KeyboardE2e, AHungRightButtonProgramDoesNotFreezeApply) {
    KesmaSimState state = driver.State();
    state.Settings.RightButton = 1;
    driver.WriteState(state);
    HWND main = StartMain();  // first: the right-button window is a frmMain too
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(programs.Start("Kesmarbtn.exe").has_value());
    HWND rightButton = nullptr;
    ASSERT_TRUE(Eventually([&] {
        const std::int32_t slot = driver.State().RightButtonSlot.Window;
        rightButton = reinterpret_cast<HWND>(static_cast<std::intptr_t>(slot));
        return slot != KESMA_NO_WINDOW && IsWindowVisible(rightButton);
    }));
    HWND dialog = Open(main, "frmVirtualButton", "cmdVirtualButton");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ax::Click(dialog, ax::FindControl(dialog, "optRBFunction(0)")), "");

    Handle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(rightButton, nullptr)));
    ASSERT_TRUE(thread);
    ASSERT_NE(SuspendThread(thread.get()), static_cast<DWORD>(-1));
    const DWORD start = GetTickCount();
    const std::string clicked = ax::Click(dialog, ax::FindControl(dialog, "cmdApply"), 10000);
    const bool answered = Eventually([&] { return !ReadNamedControl(dialog, "cmdApply").enabled; }, 10000);
    const DWORD took = GetTickCount() - start;
    ResumeThread(thread.get());
    EXPECT_EQ(clicked, "");
    EXPECT_TRUE(answered) << "Apply did not finish";
    EXPECT_LT(took, 6000u);
}

// ---------------------------------------------------------------------------------------
// A dialog shows the header picture the main window loaded: the file is not read again.

TEST_F(KeyboardE2e, DialogsCopyTheMainWindowsHeaderPicture) {
    std::vector<unsigned char> black = test::BitmapBytes(316, 52), white = black;
    std::fill(white.begin() + 54, white.end(), 0xFF);
    InstallFile logo("TSLogo.Bmp", black);
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    test::WriteBytes(InstallDir() + "\\TSLogo.Bmp", white);
    ASSERT_EQ(ax::DoubleClick(main, ax::FindControl(main, "imgIcon")), "");
    HWND about = ax::WaitTopWindow("frmAbout");
    ASSERT_NE(about, nullptr);
    RECT r = ReadNamedControl(about, "picLogo").rect;
    MapWindowPoints(about, nullptr, reinterpret_cast<POINT*>(&r), 2);
    COLORREF centre = CLR_INVALID;
    EXPECT_TRUE(Eventually([&] {
        const auto capture = ax::CaptureScreen(r);
        centre = capture ? capture->At(capture->width / 2, capture->height / 2) : CLR_INVALID;
        return centre == RGB(0, 0, 0);
    })) << std::hex << centre;
}

}  // namespace
}  // namespace kesma::e2e
