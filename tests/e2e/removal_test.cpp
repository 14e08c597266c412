// Kesmawipe in the prefix: No, and removals whose uninstaller outlives the wait or fails.
// The removal that ends in a restart is tried in a prefix of its own by tools/restart-test.
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kTitle = "TouchScreen Software Removal";
constexpr const char* kProgram = "C:\\windows\\Kesmawipe.exe";

std::string RanFile() { return InstallDir() + "\\unins000.ran"; }

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

constexpr const char* kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingRenames = "PendingFileRenameOperations";

// The file operations pending for the next restart, as raw REG_MULTI_SZ bytes; nullopt when
// none are.
std::optional<std::vector<BYTE>> PendingRenames() {
    DWORD size = 0;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames, RRF_RT_REG_MULTI_SZ, nullptr, nullptr,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<BYTE> data(size);
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, kPendingRenames, RRF_RT_REG_MULTI_SZ, nullptr, data.data(),
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(size);
    return data;
}

void SetPendingRenames(const std::optional<std::vector<BYTE>>& data) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        return;
    }
    if (data) RegSetValueExA(key, kPendingRenames, 0, REG_MULTI_SZ, data->data(), static_cast<DWORD>(data->size()));
    else RegDeleteValueA(key, kPendingRenames);
    RegCloseKey(key);
}

class RemovalE2e : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        DeleteFileA(RanFile().c_str());
        pendingBefore = PendingRenames();
    }
    void TearDown() override {
        E2eTest::TearDown();
        DeleteFileA(RanFile().c_str());
        // A removal that scheduled its own deletion would have Kesmawipe.exe deleted by the
        // next restart of this prefix.
        SetPendingRenames(pendingBefore);
    }

    std::optional<std::vector<BYTE>> pendingBefore;
};

TEST_F(RemovalE2e, NoEndsTheProgramAndChangesNothing) {
    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    HWND main = ax::WaitTopWindow(kTitle);
    ASSERT_NE(main, nullptr);
    Shot(main, "Kesmawipe");
    ASSERT_EQ(ax::Key(main, "Esc", 0), "");
    EXPECT_TRUE(programs.WaitExit(*id, 10000));
    EXPECT_TRUE(driver.Journal().empty());
    EXPECT_EQ(GetFileAttributesA(RanFile().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RemovalE2e, CompanionsClosedThenASlowUninstallerTimesOutWithoutRestart) {
    InstallFile config("unins000.cfg", {'m', 's', '=', '1', '5', '0', '0', '0', '\n'});
    ASSERT_TRUE(programs.Start("Kesmarbtn.exe").has_value());
    ASSERT_TRUE(programs.Start("Kesmasmi.exe").has_value());
    ASSERT_TRUE(Eventually([&] {
        const auto state = driver.State();
        return state.RightButtonSlot.Window != KESMA_NO_WINDOW && state.SmiSlot.Window != KESMA_NO_WINDOW;
    })) << "companions not registered";

    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    HWND main = ax::WaitTopWindow(kTitle);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ax::Click(main, ax::FindControl(main, "cmdYes")), "");
    HWND progress = ax::WaitTopWindow("frmMessage");
    ASSERT_NE(progress, nullptr);
    Shot(progress, "frmMessage");
    EXPECT_EQ(ReadNamedControl(progress, "lblMsg").text, "Removing files from your system...");

    // When the uninstaller starts, both companions have ended and deregistered.
    ASSERT_TRUE(Eventually([&] { return GetFileAttributesA(RanFile().c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000));
    const auto state = driver.State();
    EXPECT_EQ(state.RightButtonSlot.Window, KESMA_NO_WINDOW);
    EXPECT_EQ(state.SmiSlot.Window, KESMA_NO_WINDOW);
    EXPECT_TRUE(ax::WaitTopWindowGone(" C-RBF"));
    EXPECT_NE(ReadText(RanFile()).find("\\unins000.exe\" /SILENT"), std::string::npos);

    const auto box = ax::WaitMessageBox(20000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, "Fail to remove files! (WAIT_TIMEOUT)");
    EXPECT_EQ(box->icon, "warning");
    ASSERT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(programs.WaitExit(*id, 10000));
    // Still this session: no restart was asked for.
    EXPECT_TRUE(driver.Present());
    EXPECT_EQ(GetFileAttributesA(kProgram) != INVALID_FILE_ATTRIBUTES, true);
}

TEST_F(RemovalE2e, AnUninstallerThatFailsIsReportedWithoutRestart) {
    InstallFile config("unins000.cfg", {'e', 'x', 'i', 't', '=', '2', '\n'});
    // A restart ends every program of the session, this one included.
    const auto bystander = programs.Start("Kesmaboot.exe", "/SAM");
    ASSERT_TRUE(bystander.has_value());
    ASSERT_NE(ax::WaitTopWindow("frmAutoScan", 10000), nullptr);

    const auto id = programs.Start(kProgram);
    ASSERT_TRUE(id.has_value());
    HWND main = ax::WaitTopWindow(kTitle);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ax::Click(main, ax::FindControl(main, "cmdYes")), "");
    const auto box = ax::WaitMessageBox(20000);
    ASSERT_TRUE(box.has_value());
    // Stop here on any other box: OK on the completion message would restart this prefix.
    ASSERT_EQ(box->text, "Fail to remove files! (unins000.exe exit code 2)");
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->icon, "warning");
    EXPECT_NE(ReadText(RanFile()).find("exit=2"), std::string::npos);
    EXPECT_EQ(PendingRenames(), pendingBefore) << "the removal program scheduled its own deletion";
    ASSERT_EQ(ax::PressMessageBoxButton(*box, "OK"), "");
    EXPECT_TRUE(programs.WaitExit(*id, 10000));
    EXPECT_FALSE(ax::WaitMessageBox(1000).has_value()) << "a message after the warning";
    EXPECT_FALSE(programs.WaitExit(*bystander, 3000)) << "the session was restarted";
}

}  // namespace
}  // namespace kesma::e2e
