// Kesmaboot against the simulated driver: the log-on run with its companions, a missing
// Kesmasmi, no controller, stored values out of range, the /SDC window, the /SAM dialog,
// both for a user who may not write the settings key, and a second copy.
#include <cstdint>
#include <ostream>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kProgram = "Kesmaboot.exe";
constexpr const char* kTitle = " TouchScreen System Startup #Velorix";
constexpr const char* kMouseKey = "Control Panel\\Mouse";

std::optional<std::string> ReadMouseValue(const char* name) {
    char text[64] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kMouseKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text);
}

// Puts the user's double-click settings back, in Windows and in the profile.
class MouseSettingsGuard {
public:
    MouseSettingsGuard()
        : time_(GetDoubleClickTime()), width_(GetSystemMetrics(SM_CXDOUBLECLK)), height_(GetSystemMetrics(SM_CYDOUBLECLK)) {}
    ~MouseSettingsGuard() {
        SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, width_, nullptr, SPIF_UPDATEINIFILE);
        SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, height_, nullptr, SPIF_UPDATEINIFILE);
        SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, time_, nullptr, SPIF_UPDATEINIFILE);
    }
    MouseSettingsGuard(const MouseSettingsGuard&) = delete;
    MouseSettingsGuard& operator=(const MouseSettingsGuard&) = delete;

private:
    UINT time_;
    int width_, height_;
};

// Takes Kesmasmi.exe out of the install folder for one test.
class SmiMissing {
public:
    SmiMissing() : path_(InstallDir() + "\\Kesmasmi.exe") { EXPECT_TRUE(MoveFileA(path_.c_str(), Aside().c_str())); }
    ~SmiMissing() { MoveFileA(Aside().c_str(), path_.c_str()); }
    SmiMissing(const SmiMissing&) = delete;
    SmiMissing& operator=(const SmiMissing&) = delete;

private:
    std::string Aside() const { return path_ + ".aside"; }
    std::string path_;
};

class StartupE2e : public E2eTest {
protected:
    VendorKeyGuard vendorKey;
    MouseSettingsGuard mouse;

    void StoreDoubleClick(DWORD speed, DWORD width, DWORD height) {
        WriteRegDword("DoubleClickSpeed", speed);
        WriteRegDword("DoubleClickWidth", width);
        WriteRegDword("DoubleClickHeight", height);
    }

    // What Windows uses now as a newly started program sees it: the /SDC window's System
    // Information. (Under Wine a process keeps the parameters it has read, so this test's own
    // GetSystemMetrics would not see another program's change.)
    std::vector<std::string> SystemValuesShown() {
        DWORD id = 0;
        HWND window = Open("/SDC", id);
        if (window == nullptr) return {};
        std::vector<std::string> values;
        for (const char* name : {"lblSiTT", "lblSiWW", "lblSiHH"}) values.push_back(ReadNamedControl(window, name).text);
        EXPECT_EQ(ax::Click(window, ax::FindControl(window, "cmdCandel")), "");
        EXPECT_TRUE(programs.WaitExit(id));
        return values;
    }

    // Starts the program and returns its window, found by caption.
    HWND Open(const std::string& args, DWORD& id) {
        const auto started = programs.Start(kProgram, args);
        EXPECT_TRUE(started.has_value());
        id = started.value_or(0);
        return ax::WaitTopWindow(kTitle, 10000);
    }
};

TEST_F(StartupE2e, LogOnRunAppliesTheStoredValuesAndStartsTheCompanions) {
    StoreDoubleClick(450, 10, 12);
    Kesmasim("set RightButton=1 RbAutoMode=0 TouchMode=1");
    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    ASSERT_TRUE(programs.WaitExit(*id, 15000));
    EXPECT_EQ(programs.ExitCode(*id), 0u);

    EXPECT_EQ(ReadMouseValue("DoubleClickSpeed"), "450");
    EXPECT_EQ(ReadMouseValue("DoubleClickWidth"), "10");
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "12");
    EXPECT_TRUE(Eventually([&] {
        const KesmaSimState state = driver.State();
        return state.SmiSlot.Window != KESMA_NO_WINDOW && state.RightButtonSlot.Window != KESMA_NO_WINDOW;
    })) << "Kesmasmi and Kesmarbtn not registered";
    // Kesmaboot's two requests, then Kesmarbtn registering itself.
    EXPECT_EQ(driver.JournalCodes(), (std::vector<std::uint32_t>{KESMA_GET_SETTINGS, KESMA_GET_RIGHT_BUTTON_WINDOW,
                                                                 KESMA_GET_RIGHT_BUTTON_WINDOW,
                                                                 KESMA_SET_RIGHT_BUTTON_WINDOW}));
    EXPECT_EQ(SystemValuesShown(), (std::vector<std::string>{"450", "10", "12"}));
}

TEST_F(StartupE2e, LogOnRunAppliesStoredValuesOnlyWithinTheWindowsRanges) {
    StoreDoubleClick(0xFFFFFFFF, 100000, 0x80000000);  // -1, huge, the lowest number
    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    ASSERT_TRUE(programs.WaitExit(*id, 15000));
    EXPECT_EQ(ReadMouseValue("DoubleClickSpeed"), "100");
    EXPECT_EQ(ReadMouseValue("DoubleClickWidth"), "64");
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "0");
    EXPECT_EQ(SystemValuesShown(), (std::vector<std::string>{"100", "64", "0"}));
}

TEST_F(StartupE2e, WithoutKesmasmiTheDriverGetsTheScreenSize) {
    SmiMissing smi;
    Kesmasim("set ScreenWidth=1 ScreenHeight=1");
    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    ASSERT_TRUE(programs.WaitExit(*id, 15000));
    const KesmaSimState state = driver.State();
    EXPECT_EQ(state.Settings.ScreenWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(state.Settings.ScreenHeight, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(driver.JournalCodes(), (std::vector<std::uint32_t>{KESMA_GET_SETTINGS, KESMA_SET_SCREEN_SIZE}));
    EXPECT_FALSE(ax::FindMessageBox().has_value());
}

TEST_F(StartupE2e, NoControllerIsReportedOverTheSplash) {
    Kesmasim("set ComPort=0");
    DWORD id = 0;
    HWND splash = Open("", id);
    ASSERT_NE(splash, nullptr);
    const auto box = ax::WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "TouchScreen Controller Not Found!");
    EXPECT_EQ(box->caption, kTitle);
    // The box aside, so the splash can be seen whole.
    SetWindowPos(box->hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Shot(splash, "Kesmaboot_splash");
    EXPECT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(programs.WaitExit(id));
    EXPECT_EQ(driver.JournalCodes(), (std::vector<std::uint32_t>{KESMA_GET_SETTINGS}));
}

TEST_F(StartupE2e, DoubleClickWindowInLowerCaseAppliesAMovedBarOnOk) {
    StoreDoubleClick(500, 32, 32);
    DWORD id = 0;
    HWND window = Open("/sdc", id);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ReadNamedControl(window, "lblSiTT").text, std::to_string(GetDoubleClickTime()));
    Shot(window, "Kesmaboot_frmMain");
    ASSERT_EQ(ax::SetValue(window, ax::FindControl(window, "hscHH"), 20), "");
    EXPECT_EQ(ReadNamedControl(window, "lblHH").text, "Hight: 20");
    EXPECT_TRUE(ReadNamedControl(window, "cmdApply").enabled);
    ASSERT_EQ(ax::Click(window, ax::FindControl(window, "cmdOK")), "");
    ASSERT_TRUE(programs.WaitExit(id));
    EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), "20");
    EXPECT_EQ(ReadRegDword("DoubleClickHeight"), 20u);
    EXPECT_TRUE(driver.JournalCodes().empty());
}

TEST_F(StartupE2e, AutoScanDialogStoresTheChoice) {
    DeleteRegValue("AutoScanCOM");
    DeleteRegValue("AutoScanDevice");
    const auto started = programs.Start(kProgram, "/SAM");
    ASSERT_TRUE(started.has_value());
    const DWORD id = *started;
    HWND dialog = ax::WaitTopWindow("frmAutoScan", 10000);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ReadNamedControl(dialog, "lblDetectMode").text, "Detect Mode");
    ASSERT_EQ(ax::SetValue(dialog, ax::FindControl(dialog, "cboCOM"), 3), "");
    ASSERT_EQ(ax::SetValue(dialog, ax::FindControl(dialog, "cboDevice"), 2), "");
    EXPECT_EQ(ReadNamedControl(dialog, "lblDetectMode").text, "Assign Mode");
    Shot(dialog, "Kesmaboot_frmAutoScan");
    ASSERT_EQ(ax::Click(dialog, ax::FindControl(dialog, "cmdOK")), "");
    ASSERT_TRUE(programs.WaitExit(id));
    EXPECT_EQ(ReadRegDword("AutoScanCOM"), 3u);
    EXPECT_EQ(ReadRegDword("AutoScanDevice"), 104u);
}

// A user who may not write the settings key changes a value in the /SDC window or the /SAM
// dialog and presses Apply, or OK that applies.
struct RefusedStore {
    const char* name;
    const char* args;
    const char* window;  // caption or form name
    const char* control;
    int value;
    const char* button;
    const char* stored;  // the value name the control's value goes to
    DWORD before;        // what it holds
};

class RefusedStoreE2e : public StartupE2e, public ::testing::WithParamInterface<RefusedStore> {};

void PrintTo(const RefusedStore& c, std::ostream* os) { *os << c.name; }

TEST_P(RefusedStoreE2e, IsReportedStoresNothingAndTheWindowStays) {
    const RefusedStore& c = GetParam();
    WriteRegDword(c.stored, c.before);
    SettingsKeyReadOnly readOnly;
    const auto id = programs.Start(kProgram, c.args);
    ASSERT_TRUE(id.has_value());
    HWND window = ax::WaitTopWindow(c.window, 10000);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(ax::SetValue(window, ax::FindControl(window, c.control), c.value), "");
    ASSERT_EQ(ax::Click(window, ax::FindControl(window, c.button)), "");

    const auto box = ax::WaitMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, "Fail to save settings for every user!\r\n\r\nAdministrator rights are needed.");
    // The icon is read from the screen: the box may not have painted it yet.
    EXPECT_TRUE(Eventually([] {
        const auto shown = ax::FindMessageBox();
        return shown && shown->icon == "error";
    })) << "no error icon";
    EXPECT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(Eventually([] { return !ax::FindMessageBox().has_value(); }));
    // Once the handler has returned, the window is still there and the program runs.
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(programs.ExitCode(*id).has_value());
    EXPECT_EQ(ReadRegDword(c.stored), c.before);
    if (std::string(c.args) == "/SDC") {
        EXPECT_EQ(ReadMouseValue("DoubleClickHeight"), std::to_string(c.value));
    }
}

const RefusedStore kRefusedStores[] = {
    {"DoubleClickApply", "/SDC", kTitle, "hscHH", 20, "cmdApply", "DoubleClickHeight", 32},
    {"DoubleClickOk", "/SDC", kTitle, "hscHH", 20, "cmdOK", "DoubleClickHeight", 32},
    {"AutoScanApply", "/SAM", "frmAutoScan", "cboCOM", 3, "cmdApply", "AutoScanCOM", 0},
    {"AutoScanOk", "/SAM", "frmAutoScan", "cboCOM", 3, "cmdOK", "AutoScanCOM", 0},
};

INSTANTIATE_TEST_SUITE_P(ReadOnlySettingsKey, RefusedStoreE2e, ::testing::ValuesIn(kRefusedStores),
                         [](const ::testing::TestParamInfo<RefusedStore>& row) { return std::string(row.param.name); });

TEST_F(StartupE2e, SecondCopyEndsAtOnce) {
    DWORD first = 0;
    HWND window = Open("/SDC", first);
    ASSERT_NE(window, nullptr);
    const auto second = programs.Start(kProgram);
    ASSERT_TRUE(second.has_value());
    EXPECT_TRUE(programs.WaitExit(*second));
    EXPECT_EQ(programs.ExitCode(*second), 0u);
    EXPECT_FALSE(ax::FindMessageBox().has_value());
    EXPECT_EQ(ax::FindTopWindow(kTitle), window);
    EXPECT_TRUE(driver.JournalCodes().empty());
}

}  // namespace
}  // namespace kesma::e2e
