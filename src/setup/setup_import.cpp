#include "setup/setup_import.h"

#include <algorithm>
#include <cmath>

#include "shared/number_reader.h"
#include "shared/vendor.h"

namespace kesma::setup {

namespace {

const char* const kSetupIni = "\\setup.ini";
const char* const kSetupOem = "\\setup.oem";
constexpr std::uint32_t kProfileBufferSize = 255;

enum Key : std::size_t {
    kCalibrationMode, kVirtualButton, kRightButtonFunction, kRightButtonAutoMode, kRightButtonAutoSTime,
    kRightButtonAutoETime, kRightButtonAutoBeep, kFeedbackSound, kFeedbackTone, kFeedbackDuration,
    kMouseBypass, kMouseHSpeed, kMouseVSpeed, kMouseAcceleration, kDoubleClickSpeed, kDoubleClickWidth,
    kDoubleClickHeight, kPanelDirection, kAutoScanCOM, kAutoScanDevice
};

}  // namespace

const std::array<SettingKey, kSettingKeyCount> kSettingKeys = {{
    {"CalibrationMode", 0, 1},      {"VirtualButton", 1, 4},       {"RightButtonFunction", 0, 1},
    {"RightButtonAutoMode", 0, 1},  {"RightButtonAutoSTime", 0, 9}, {"RightButtonAutoETime", 0, 9},
    {"RightButtonAutoBeep", 0, 1},  {"FeedbackSound", 1, 4},       {"FeedbackTone", 200, 5000},
    {"FeedbackDuration", 10, 50},   {"MouseBypass", 0, 1},         {"MouseHSpeed", 1, 20},
    {"MouseVSpeed", 1, 20},         {"MouseAcceleration", 1, 4},   {"DoubleClickSpeed", 100, 900},
    {"DoubleClickWidth", 0, 64},    {"DoubleClickHeight", 0, 64},  {"PanelDirection", 0, 7},
    {"AutoScanCOM", 0, 9},          {"AutoScanDevice", 0, 99999},
}};

void SetupReport::Failure(const std::string& text, SetupStatus status) {
    if (status_ == kSetupDone) status_ = status;
    if (silent_) {
        debug_.OutputDebugStringA(app_.Title() + ": " + text + "\n");
    } else {
        app_.MsgBox(text, ui::kMbOk, app_.Title());
    }
}

std::string ReadProfileText(ProfilePort& profile, const std::string& file, const std::string& section,
                            const std::string& key) {
    char buffer[kProfileBufferSize] = {};
    const std::uint32_t n = profile.GetPrivateProfileStringA(section, key, "", buffer, kProfileBufferSize, file);
    if (n == 0) return {};
    std::string text(buffer, std::min<std::size_t>(n, kProfileBufferSize));
    text = StripAtNul(text);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::int32_t CheckSetting(const std::string& text, std::int32_t min, std::int32_t max) {
    if (text.empty()) return kSettingMissing;
    // The default rounding mode takes halves to the even neighbour.
    const double n = std::nearbyint(ReadNumber(text));
    if (n < min) return kSettingTooSmall;
    if (n > max) return kSettingTooLarge;
    return static_cast<std::int32_t>(n);
}

std::vector<std::pair<std::string, std::int32_t>> SettingValues(
    const std::array<std::int32_t, kSettingKeyCount>& s) {
    std::vector<std::pair<std::string, std::int32_t>> values;
    auto single = [&](const char* name, Key key) {
        if (s[key] >= 0) values.emplace_back(name, s[key]);
    };
    // Four bytes, the first part the highest.
    auto packed = [&](const char* name, Key b3, Key b2, Key b1, Key b0) {
        if (s[b3] < 0 || s[b2] < 0 || s[b1] < 0 || s[b0] < 0) return;
        values.emplace_back(name, s[b3] * 0x1000000 + s[b2] * 0x10000 + s[b1] * 0x100 + s[b0]);
    };
    single("CalibrationMode", kCalibrationMode);
    single("VirtualButton", kVirtualButton);
    single("RightButtonFunction", kRightButtonFunction);
    packed("RightButtonAutomatic", kRightButtonAutoMode, kRightButtonAutoSTime, kRightButtonAutoETime,
           kRightButtonAutoBeep);
    single("FeedbackSound", kFeedbackSound);
    single("FeedbackTone", kFeedbackTone);
    single("FeedbackDuration", kFeedbackDuration);
    packed("MouseSpeed", kMouseHSpeed, kMouseVSpeed, kMouseAcceleration, kMouseBypass);
    single("DoubleClickSpeed", kDoubleClickSpeed);
    single("DoubleClickWidth", kDoubleClickWidth);
    single("DoubleClickHeight", kDoubleClickHeight);
    single("PanelDirection", kPanelDirection);
    single("AutoScanCOM", kAutoScanCOM);
    single("AutoScanDevice", kAutoScanDevice);
    return values;
}

std::int32_t SetupImport::ReadSetting(const SettingKey& setting) {
    return CheckSetting(ReadProfileText(profile_, store_.InstallPath + kSetupIni, "Settings", setting.key),
                        setting.min, setting.max);
}

void SetupImport::SaveSetting(HKey key, const std::string& name, std::int32_t value) {
    if (!store_.registry().SetRegDword(key, name, value)) {
        report_.Failure("Fail to save settings! (" + name + ")", kSetupSettingNotSaved);
    }
}

void SetupImport::ImportSetupIni() {
    if (!FileExists(files_, store_.InstallPath + kSetupIni)) return;
    Registry& registry = store_.registry();
    std::string subKey = store_.SettingsSubKey;
    HKey key = 0;
    if (!registry.CreateRegKey(store_.SettingsRoot, store_.SettingsKeyName, subKey, key)) return;
    std::array<std::int32_t, kSettingKeyCount> settings{};
    for (std::size_t i = 0; i < kSettingKeyCount; ++i) settings[i] = ReadSetting(kSettingKeys[i]);
    for (const auto& [name, value] : SettingValues(settings)) SaveSetting(key, name, value);
    registry.CloseRegKey(key);
}

void SetupImport::SaveVendorText(const std::string& key, std::string& target, const char* valueName,
                                 const char* failure, SetupStatus status) {
    const std::string text = ReadProfileText(profile_, store_.InstallPath + kSetupOem, "SETUP", key);
    if (text.empty()) return;
    target = text;
    Registry& registry = store_.registry();
    std::string subKey = store_.SettingsSubKey;
    HKey regKey = 0;
    bool saved = registry.CreateRegKey(store_.SettingsRoot, store_.SettingsKeyName, subKey, regKey);
    if (saved) {
        saved = registry.SetRegString(regKey, valueName, target);
        registry.CloseRegKey(regKey);
    }
    if (!saved) report_.Failure(failure, status);
}

void SetupImport::ImportSetupOem() {
    if (!FileExists(files_, store_.InstallPath + kSetupOem)) return;
    SaveVendorText("TITLE", store_.VenderName, "VenderName", "Fail to Set Vender Name!", kSetupVenderNameNotSaved);
    SaveVendorText("STYLE", store_.VenderStyle, "VenderStyle", "Fail to Set Vender Style!",
                   kSetupVenderStyleNotSaved);
}

}  // namespace kesma::setup
