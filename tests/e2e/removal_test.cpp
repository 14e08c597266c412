// Kesmawipe in the prefix: No, and a removal whose uninstaller outlives the wait. The
// removal that ends in a restart is tried in a prefix of its own by tools/restart-test.
#include <fstream>
#include <sstream>
#include <string>

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

class RemovalE2e : public E2eTest {
protected:
    void SetUp() override {
        E2eTest::SetUp();
        DeleteFileA(RanFile().c_str());
    }
    void TearDown() override {
        E2eTest::TearDown();
        DeleteFileA(RanFile().c_str());
    }
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

}  // namespace
}  // namespace kesma::e2e
