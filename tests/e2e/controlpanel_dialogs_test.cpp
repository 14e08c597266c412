// Kesmapan's dialogs against the simulated driver: what each settings dialog sends, the
// right-button program it starts and ends, records with values out of range, and a
// screenshot of every window.
#include <cctype>
#include <cstdint>
#include <functional>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kProgram = "Kesmapan.exe";
constexpr const char* kRightButtonCaption = " C-RBF";

void Press(HWND form, const std::string& control) {
    EXPECT_EQ(ax::Click(form, ax::FindControl(form, control)), "") << control;
}

void Set(HWND form, const std::string& control, int value) {
    EXPECT_EQ(ax::SetValue(form, ax::FindControl(form, control), value), "") << control;
}

std::string Upper(std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

std::vector<std::uint8_t> Bytes(const DeviceSettings& s) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&s);
    return {p, p + sizeof s};
}

class ControlPanelDialogsE2e : public E2eTest {
protected:
    HWND StartMain() {
        EXPECT_TRUE(programs.Start(kProgram).has_value());
        return ax::WaitTopWindow("frmMain");
    }

    // Opens a dialog by its main window button, or by Alt+M for the mouse speed dialog,
    // whose button stays hidden.
    HWND Open(HWND main, const std::string& form, const char* button) {
        EXPECT_EQ(button != nullptr ? ax::Click(main, ax::FindControl(main, button)) : ax::Key(main, "M", ax::kAlt),
                  "");
        HWND dialog = ax::WaitTopWindow(form);
        EXPECT_TRUE(dialog != nullptr && Eventually([&] { return !IsWindowVisible(main); })) << form;
        return dialog;
    }

    // Presses a button that closes its dialog and waits for the main window to return.
    void Close(HWND main, HWND dialog, const std::string& button) {
        ax::Click(dialog, ax::FindControl(dialog, button));  // the window it clicks goes away
        EXPECT_TRUE(Eventually([&] { return !IsWindow(dialog) && IsWindowVisible(main); }))
            << "the main window did not come back";
    }
};

// ---------------------------------------------------------------------------------------
// The four settings dialogs: one change each, what Apply sends, OK and Cancel.

struct SettingsCase {
    const char* form;
    const char* button;  // nullptr: Alt+M
    std::uint32_t code;
    void (*change)(HWND dialog);
    void (*expected)(DeviceSettings& record);  // the change, as the record carries it
    const char* summaryLabel;
    const char* summary;
};

void PrintTo(const SettingsCase& c, std::ostream* os) { *os << c.form; }

class SettingsDialogE2e : public ControlPanelDialogsE2e, public ::testing::WithParamInterface<SettingsCase> {};

const SettingsCase kSettingsCases[] = {
    {"frmFeedbackSound", "cmdFeedbackSound", KESMA_SET_FEEDBACK_SOUND,
     [](HWND d) {
         Press(d, "optFeedbackSound(3)");
         Set(d, "hscTone", 2500);
     },
     [](DeviceSettings& s) {
         s.SoundMode = 3;
         s.SoundTone = 2500;
     },
     "lblFeedbackSound", "Lift Off Only"},
    {"frmVirtualButton", "cmdVirtualButton", KESMA_SET_TOUCH_MODE,
     [](HWND d) { Press(d, "optVirtualButton(2)"); },
     [](DeviceSettings& s) { s.TouchMode = 2; }, "lblVirtualButton", "Lift Off Mode, RBF Disable"},
    {"frmMouseSpeed", nullptr, KESMA_SET_MOUSE_SPEED,
     [](HWND d) {
         // Equal stored speeds start coupled: the vertical bar follows.
         Set(d, "hscMouseHSpeed", 14);
         Press(d, "optAcceleration(3)");
     },
     [](DeviceSettings& s) {
         s.SpeedH = s.SpeedV = 14;
         s.Acceleration = 3;
     },
     "lblMouseSpeed", "HS=70%, VS=70%, Acceleration=Fast"},
    {"frmSleepTime", "cmdSleepTime", KESMA_SET_POWER_SAVE,
     [](HWND d) { Set(d, "hscSleepTime", 9); },
     [](DeviceSettings& s) { s.IdleTime = 9; }, "lblSleepTime", "Power Down When Idle  1 Min.  30 Sec."},
};

TEST_P(SettingsDialogE2e, ApplySendsOnlyTheChangeAndOkThenNothingMore) {
    const SettingsCase& c = GetParam();
    const DeviceSettings before = driver.State().Settings;
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND dialog = Open(main, c.form, c.button);
    ASSERT_NE(dialog, nullptr);
    driver.ClearJournal();

    c.change(dialog);
    EXPECT_TRUE(ReadNamedControl(dialog, "cmdApply").enabled);
    EXPECT_TRUE(driver.Journal().empty()) << "sent before Apply";
    Press(dialog, "cmdApply");
    EXPECT_FALSE(ReadNamedControl(dialog, "cmdApply").enabled);

    DeviceSettings expected = before;
    c.expected(expected);
    std::vector<KesmaJournalEntry> sent;
    for (const KesmaJournalEntry& e : driver.Journal())
        if (e.Code == c.code) sent.push_back(e);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].Size, sizeof(DeviceSettings));
    DeviceSettings carried;
    std::memcpy(&carried, sent[0].In, sizeof carried);
    EXPECT_EQ(Bytes(carried), Bytes(expected));
    EXPECT_EQ(Bytes(driver.State().Settings), Bytes(expected));

    // Nothing is left to apply: OK just closes.
    driver.ClearJournal();
    Close(main, dialog, "cmdOK");
    EXPECT_TRUE(driver.Journal().empty());
    EXPECT_EQ(ReadNamedControl(main, c.summaryLabel).text, c.summary);
}

TEST_P(SettingsDialogE2e, CancelAfterAChangeSendsNothing) {
    const SettingsCase& c = GetParam();
    const DeviceSettings before = driver.State().Settings;
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    const std::string summary = ReadNamedControl(main, c.summaryLabel).text;
    HWND dialog = Open(main, c.form, c.button);
    ASSERT_NE(dialog, nullptr);
    driver.ClearJournal();

    c.change(dialog);
    EXPECT_TRUE(ReadNamedControl(dialog, "cmdApply").enabled);
    Close(main, dialog, "cmdCandel");
    EXPECT_TRUE(driver.Journal().empty());
    EXPECT_EQ(Bytes(driver.State().Settings), Bytes(before));
    EXPECT_EQ(ReadNamedControl(main, c.summaryLabel).text, summary);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, SettingsDialogE2e, ::testing::ValuesIn(kSettingsCases),
                         [](const ::testing::TestParamInfo<SettingsCase>& param) {
                             return std::string(param.param.form);
                         });

// ---------------------------------------------------------------------------------------

std::int32_t Registered(HWND hwnd) { return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd)); }

std::string ProcessImage(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (!process || !QueryFullProcessImageNameA(process.get(), 0, path, &size)) return {};
    return std::string(path, size);
}

TEST_F(ControlPanelDialogsE2e, RightButtonFunctionStartsAndEndsTheRightButtonProgram) {
    ASSERT_EQ(driver.State().Settings.TouchMode, 4);  // drag and drop, manual mode, right button off
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND dialog = Open(main, "frmVirtualButton", "cmdVirtualButton");
    ASSERT_NE(dialog, nullptr);

    Press(dialog, "optRBFunction(1)");
    const ax::ControlInfo autoMode = ReadNamedControl(dialog, "cboRBAutoMode");
    EXPECT_TRUE(autoMode.enabled);
    EXPECT_EQ(autoMode.selected, 0);
    Press(dialog, "cmdApply");
    HWND rightButton = nullptr;
    ASSERT_TRUE(Eventually([&] {
        rightButton = ax::FindTopWindow(kRightButtonCaption);
        return rightButton != nullptr && driver.State().RightButtonSlot.Window == Registered(rightButton);
    })) << "the right-button program did not register";
    EXPECT_EQ(Upper(ProcessImage(rightButton)), Upper(InstallDir() + "\\Kesmarbtn.exe"));
    // Started hidden, it shows its button all the same: the user has just switched it on.
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(rightButton) != FALSE; }));
    EXPECT_EQ(ReadNamedControl(main, "lblVirtualButton").text, "Drag Drop Mode, RBF Enable ( Manual Mode )");

    Press(dialog, "optRBFunction(0)");
    Press(dialog, "cmdApply");
    EXPECT_TRUE(Eventually([&] { return !IsWindow(rightButton); })) << "the right-button program still runs";
    EXPECT_EQ(driver.State().RightButtonSlot.Window, KESMA_NO_WINDOW);
}

// Values no dialog would write: the summaries fall back and every dialog still opens and
// closes.
TEST_F(ControlPanelDialogsE2e, OutOfRangeValuesShowFallbacksAndEveryDialogCopes) {
    Kesmasim("set TouchMode=9 RightButton=3 RbAutoMode=7 RbAutoStartTime=20 RbAutoEndTime=255 RbAutoBeep=9 "
             "SoundMode=0 SoundTone=65535 SoundDuration=0 SpeedH=0 SpeedV=200 Acceleration=7 IdleTime=255 "
             "BaudIndex=200 DeviceType=5 ComPort=12");
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ReadNamedControl(main, "lblVirtualButton").text, "Invalid#9,3,7");
    EXPECT_EQ(ReadNamedControl(main, "lblFeedbackSound").text, "Invalid#0");
    EXPECT_EQ(ReadNamedControl(main, "lblMouseSpeed").text, "HS=0%, VS=1000%, Acceleration=Invalid#7");
    EXPECT_EQ(ReadNamedControl(main, "lblSleepTime").text, "Power Down When Idle  42 Min.  30 Sec.");
    EXPECT_EQ(ReadNamedControl(main, "lblUsingDevice").text, "COM12, Port=03F8, IRQ=4, (,N,8,1) *");

    HWND serialPort = Open(main, "frmSerialPort", "cmdSerialPort");
    ASSERT_NE(serialPort, nullptr);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(ReadNamedControl(serialPort, "optDetected(" + std::to_string(n) + ")").value, 0) << "COM" << n;
    Close(main, serialPort, "cmdOK");
    for (const SettingsCase& c : kSettingsCases) {
        SCOPED_TRACE(c.form);
        HWND dialog = Open(main, c.form, c.button);
        ASSERT_NE(dialog, nullptr);
        Close(main, dialog, "cmdCandel");
    }
}

// ---------------------------------------------------------------------------------------
// Screenshots of every window, for looking at the forms as Wine draws them.

// A 24-bit bitmap file of the given size: a navy frame around yellow.
std::vector<std::uint8_t> SupportBitmap(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = static_cast<std::uint32_t>(stride * height), size = 54 + pixels;
    std::vector<std::uint8_t> file(size, 0);
    auto put = [&file](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, pixels, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool frame = x < 4 || y < 4 || x >= width - 4 || y >= height - 4;
            put(54 + static_cast<std::size_t>(y * stride + x * 3), frame ? 0x000080u : 0xFFFF00u, 3);
        }
    }
    return file;
}

bool NonEmptyFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
           (data.nFileSizeLow != 0 || data.nFileSizeHigh != 0);
}

TEST_F(ControlPanelDialogsE2e, ScreenshotsOfEveryWindow) {
    InstallFile supportBitmap("TSVender.Bmp", SupportBitmap(200, 100));
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    std::vector<std::string> shots{Shot(main, "frmMain")};

    struct Window {
        const char* form;
        std::function<std::string()> open;
        const char* close;
    };
    auto click = [&](const char* button) { return [=] { return ax::Click(main, ax::FindControl(main, button)); }; };
    auto gesture = [&](const char* button) {
        return [=] {
            const unsigned all = ax::kShift | ax::kCtrl | ax::kAlt;
            return ax::MouseDown(ax::FindControl(main, button), ax::MouseButton::Right, all);
        };
    };
    const Window windows[] = {
        {"frmSerialPort", click("cmdSerialPort"), "cmdOK"},
        {"frmVirtualButton", click("cmdVirtualButton"), "cmdCandel"},
        {"frmFeedbackSound", click("cmdFeedbackSound"), "cmdCandel"},
        {"frmMouseSpeed", [&] { return ax::Key(main, "M", ax::kAlt); }, "cmdCandel"},
        {"frmSleepTime", click("cmdSleepTime"), "cmdCandel"},
        {"frmMcuInfo", gesture("cmdSerialPort"), "cmdOK"},
        {"frmSupport", click("cmdSupport"), "cmdOK"},
        {"frmAbout", [&] { return ax::DoubleClick(main, ax::FindControl(main, "imgIcon")); }, "cmdOK"},
        {"frmTest", gesture("cmdExit"), "cmdExit"},
    };
    for (const Window& w : windows) {
        SCOPED_TRACE(w.form);
        EXPECT_EQ(w.open(), "");
        HWND window = ax::WaitTopWindow(w.form);
        ASSERT_NE(window, nullptr);
        shots.push_back(Shot(window, w.form));
        Close(main, window, w.close);
    }
    for (const std::string& path : shots) {
        if (path.empty()) continue;  // no folder for screenshots
        EXPECT_TRUE(NonEmptyFile(path)) << path;
    }
}

}  // namespace
}  // namespace kesma::e2e
