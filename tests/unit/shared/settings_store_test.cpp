#include "shared/settings_store.h"

#include <gtest/gtest.h>

#include "fake_registry.h"

namespace kesma {
namespace {

using test::FakeRegistry;
using test::kSettingsPath;
using Calls = std::vector<std::string>;

class RegistryTest : public ::testing::Test {
protected:
    // Opens the settings key.
    HKey Open() {
        std::string sub = kSettingsSubKey;
        HKey key = 0;
        EXPECT_TRUE(reg.CreateRegKey(kHkeyLocalMachine, kSettingsKeyName, sub, key));
        fake.calls.clear();
        return key;
    }
    // QueryRegString with "unchanged" as the previous text.
    std::pair<bool, std::string> ReadString(const std::string& name) {
        const HKey key = Open();
        std::string text = "unchanged";
        const bool ok = reg.QueryRegString(key, name, text);
        return {ok, text};
    }

    FakeRegistry fake;
    Registry reg{fake};
};

TEST_F(RegistryTest, CreateRegKeyBuildsThePathFromNameAndSubPath) {
    std::string sub = "\\Velorix";
    HKey key = 0;
    EXPECT_TRUE(reg.CreateRegKey(kHkeyLocalMachine, kSettingsKeyName, sub, key));
    EXPECT_EQ(sub, "Velorix");  // written back
    EXPECT_TRUE(fake.KeyExists(kSettingsPath));

    std::string empty;
    EXPECT_TRUE(reg.CreateRegKey(kHkeyLocalMachine, "SOFTWARE\\Other", empty, key));
    EXPECT_EQ(fake.calls.back(), "RegCreateKeyA HKEY_LOCAL_MACHINE\\SOFTWARE\\Other");

    fake.calls.clear();
    EXPECT_FALSE(reg.CreateRegKey(kHkeyLocalMachine, "", sub, key));
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(RegistryTest, RefusedKeyReportsTheStatus) {
    fake.denyCreate = true;
    std::string sub = kSettingsSubKey;
    HKey key = 0;
    EXPECT_FALSE(reg.CreateRegKey(kHkeyLocalMachine, kSettingsKeyName, sub, key));
    EXPECT_EQ(reg.RegistryStatus, kErrorAccessDenied);
}

TEST_F(RegistryTest, StringsAreReadUpToTheirFirstNul) {
    fake.SetRaw(kSettingsPath, "Embedded", kRegSz, std::string("abc\0def\0", 8));
    fake.SetRaw(kSettingsPath, "Unterminated", kRegSz, "abc");
    fake.SetRaw(kSettingsPath, "Empty", kRegSz, "");
    EXPECT_EQ(ReadString("Embedded"), std::make_pair(true, std::string("abc")));
    EXPECT_EQ(ReadString("Unterminated"), std::make_pair(true, std::string("abc")));
    EXPECT_EQ(ReadString("Empty"), std::make_pair(true, std::string()));
}

TEST_F(RegistryTest, UnreadableStringsLeaveTheTextUnchanged) {
    fake.SetDword(kSettingsPath, "Number", 5);
    fake.SetRaw(kSettingsPath, "Huge", kRegSz, std::string(70000, 'x'));
    EXPECT_EQ(ReadString("Number"), std::make_pair(false, std::string("unchanged")));
    EXPECT_EQ(ReadString("Missing"), std::make_pair(false, std::string("unchanged")));
    EXPECT_EQ(reg.RegistryStatus, kErrorFileNotFound);
    EXPECT_EQ(ReadString("Huge"), std::make_pair(false, std::string("unchanged")));
}

TEST_F(RegistryTest, StringReplacedBetweenTheTwoReads) {
    fake.SetString(kSettingsPath, "Name", "long original text");
    auto replaceWith = [&](std::uint32_t type, const std::string& bytes) {
        fake.beforeQuery = [=, this](const std::string& name, bool withData) {
            if (withData) fake.SetRaw(kSettingsPath, name, type, bytes);
        };
    };
    replaceWith(kRegSz, "short");  // and without its NUL
    EXPECT_EQ(ReadString("Name"), std::make_pair(true, std::string("short")));

    replaceWith(kRegSz, "grown well beyond the first size");  // no NUL either
    EXPECT_EQ(ReadString("Name"), std::make_pair(false, std::string("unchanged")));

    fake.SetString(kSettingsPath, "Name", "text");
    replaceWith(kRegDword, std::string(4, '\1'));
    EXPECT_EQ(ReadString("Name"), std::make_pair(false, std::string("unchanged")));
}

TEST_F(RegistryTest, DwordsNeedTheirTypeAndSize) {
    fake.SetDword(kSettingsPath, "Good", -2);
    fake.SetString(kSettingsPath, "Text", "1");
    fake.SetRaw(kSettingsPath, "Short", kRegDword, "\1\1");
    const HKey key = Open();
    std::int32_t value = 9;
    EXPECT_TRUE(reg.QueryRegDword(key, "Good", value));
    EXPECT_EQ(value, -2);
    value = 9;
    EXPECT_FALSE(reg.QueryRegDword(key, "Text", value));
    EXPECT_FALSE(reg.QueryRegDword(key, "Short", value));
    EXPECT_FALSE(reg.QueryRegDword(key, "Missing", value));
    EXPECT_EQ(value, 9);
}

TEST_F(RegistryTest, SetRegStringStoresTheTerminatingNul) {
    const HKey key = Open();
    EXPECT_TRUE(reg.SetRegString(key, "DoubleClickWidth", "4"));
    EXPECT_EQ(fake.Get(kSettingsPath, "DoubleClickWidth")->bytes, std::string("4\0", 2));
    EXPECT_EQ(fake.Get(kSettingsPath, "DoubleClickWidth")->type, kRegSz);

    fake.calls.clear();
    EXPECT_FALSE(reg.SetRegString(0, "DoubleClickWidth", "5"));
    EXPECT_TRUE(fake.calls.empty());
}

class SettingsStoreTest : public RegistryTest {
protected:
    SettingsStore store{reg};
};

TEST_F(SettingsStoreTest, VendorValuesLoad) {
    fake.SetVendorValues("C:\\Program Files\\X");
    EXPECT_TRUE(store.InitSettingsStore());
    EXPECT_EQ(store.VenderName, "Lumivane");
    EXPECT_EQ(store.InstallPath, "C:\\Program Files\\X");
    EXPECT_EQ(store.HardwareID, "ACPI\\PNP0501");
    EXPECT_EQ(fake.OpenKeys(), 0);
}

TEST_F(SettingsStoreTest, AllSixValuesAreReadEvenAfterAFailure) {
    fake.SetVendorValues();
    fake.Remove(kSettingsPath, "VenderName");
    fake.SetDword(kSettingsPath, "WindowsPath", 1);
    EXPECT_FALSE(store.InitSettingsStore());
    EXPECT_EQ(store.VenderStyle, "11120912");
    EXPECT_EQ(store.HardwareID, "ACPI\\PNP0501");
    EXPECT_EQ(fake.calls.back(), "RegCloseKey");
    EXPECT_EQ(fake.OpenKeys(), 0);
}

TEST_F(SettingsStoreTest, RefusedKeyReadsNothing) {
    fake.SetVendorValues();
    fake.denyCreate = true;
    EXPECT_FALSE(store.InitSettingsStore());
    EXPECT_EQ(fake.calls, (Calls{"RegCreateKeyA " + std::string(kSettingsPath)}));
    EXPECT_TRUE(store.VenderName.empty());
}

TEST_F(SettingsStoreTest, CalibrationModeRoundTrip) {
    store.SetSettingsKey(kHkeyLocalMachine, kSettingsKeyName, "\\Velorix");
    store.CalibrationMode = 0;
    EXPECT_FALSE(store.LoadCalibrationMode());  // absent: the copy stays
    EXPECT_EQ(store.CalibrationMode, 0);
    EXPECT_EQ(store.SettingsSubKey, "Velorix");

    EXPECT_TRUE(store.SaveCalibrationMode());
    EXPECT_EQ(fake.GetDword(kSettingsPath, "CalibrationMode"), 0);
    fake.SetDword(kSettingsPath, "CalibrationMode", 1);
    EXPECT_TRUE(store.LoadCalibrationMode());
    EXPECT_EQ(store.CalibrationMode, 1);

    fake.SetString(kSettingsPath, "CalibrationMode", "0");
    EXPECT_FALSE(store.LoadCalibrationMode());
    EXPECT_EQ(store.CalibrationMode, 1);
    EXPECT_EQ(fake.OpenKeys(), 0);
}

}  // namespace
}  // namespace kesma
