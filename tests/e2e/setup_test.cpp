// Kesmainst in the prefix: the silent import into the registry, the silent run of a user
// who may not write the settings key, and the normal run up to its restart message (the restart itself is tried in a prefix of its own by
// tools/restart-test).
#include <string>
#include <vector>

#include "harness.h"

namespace kesma::e2e {
namespace {

namespace ax = automation;

constexpr const char* kTitle = "TouchScreen Driver Installation";

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

class SetupE2e : public E2eTest {
protected:
    VendorKeyGuard keyGuard;

    // Runs the silent import to its end; false when a window or a message box of it was seen.
    bool RunsSilently(DWORD& exitCode) {
        const auto id = programs.Start("Kesmainst.exe", "/xpefbasetup");
        EXPECT_TRUE(id.has_value());
        if (!id) return false;
        bool windowSeen = false;
        EXPECT_TRUE(Eventually([&] {
            windowSeen = windowSeen || ax::FindTopWindow(kTitle) != nullptr || ax::FindMessageBox().has_value();
            return programs.WaitExit(*id, 0);
        }, 15000)) << "the silent setup did not end by itself";
        exitCode = programs.ExitCode(*id).value_or(STILL_ACTIVE);
        return !windowSeen;
    }
};

// The numbers and their rules are the host tests'; here the files go through the
// platform's profile reading into the real registry.
TEST_F(SetupE2e, SilentImportWritesTheFilesIntoTheRegistryWithoutWindowOrMessage) {
    DeleteRegValue("DoubleClickWidth");
    DeleteRegValue("MouseSpeed");
    InstallFile ini("setup.ini", Bytes("[SETTINGS]\r\ndoubleclickwidth = 51.5 \r\nMouseHSpeed=10\r\n"
                                       "MouseVSpeed=12\r\nMouseAcceleration=2\r\nMouseBypass=0\r\n"));
    InstallFile oem("setup.oem", Bytes("[setup]\r\nTITLE=Acme Touch\r\n"));
    DWORD exitCode = 0;
    EXPECT_TRUE(RunsSilently(exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(ReadRegDword("DoubleClickWidth"), 52u);
    EXPECT_EQ(ReadRegDword("MouseSpeed"), 0x0A0C0200u);
    EXPECT_EQ(ReadRegString("VenderName"), "Acme Touch");
    EXPECT_EQ(ReadRegString("VenderStyle"), "21120912");
}

TEST_F(SetupE2e, SilentRunThatCannotWriteTheKeyShowsNothingAndEndsWithItsStatus) {
    InstallFile ini("setup.ini", Bytes("[Settings]\r\nVirtualButton=2\r\n"));
    InstallFile oem("setup.oem", Bytes("[SETUP]\r\nTITLE=Acme Touch\r\n"));
    const auto name = ReadRegString("VenderName");
    SettingsKeyReadOnly readOnly;
    DWORD exitCode = 0;
    EXPECT_TRUE(RunsSilently(exitCode));
    EXPECT_EQ(exitCode, 4u);  // a value of setup.ini not saved, the first failure
    EXPECT_EQ(ReadRegString("VenderName"), name);
}

TEST_F(SetupE2e, NormalRunEndsWithTheRestartMessage) {
    const auto id = programs.Start("Kesmainst.exe");
    ASSERT_TRUE(id.has_value());
    const auto box = ax::WaitMessageBox(15000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, kTitle);
    EXPECT_EQ(box->text, "Setup has finished installing TouchScreen drivers and utilities on your computer.\r\n\r\n"
                         "The Windows must be restarted.");
    EXPECT_EQ(box->icon, "information");
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    // OK would restart this prefix, the test runner with it: the program is ended instead.
}

}  // namespace
}  // namespace kesma::e2e
