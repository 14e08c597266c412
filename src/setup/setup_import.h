// The import of an installation's setup.ini (factory defaults of the touch settings)
// and setup.oem (the vendor's title and its style) into the settings key.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/ports.h"
#include "platform/setup_ports.h"
#include "shared/settings_store.h"
#include "ui/ui.h"

namespace kesma::setup {

// The text of a profile key: empty when missing; trailing blanks removed.
std::string ReadProfileText(ProfilePort& profile, const std::string& file, const std::string& section,
                            const std::string& key);

// ReadSetting's results besides a valid number.
constexpr std::int32_t kSettingMissing = -1;
constexpr std::int32_t kSettingTooSmall = -2;
constexpr std::int32_t kSettingTooLarge = -3;

// The number read leniently and rounded half to even, checked against min..max.
std::int32_t CheckSetting(const std::string& text, std::int32_t min, std::int32_t max);

struct SettingKey {
    const char* key;
    std::int32_t min;
    std::int32_t max;
};
constexpr std::size_t kSettingKeyCount = 20;
extern const std::array<SettingKey, kSettingKeyCount> kSettingKeys;

// The registry values the read settings give, in the order they are written; a packed
// value only when all four of its parts are valid.
std::vector<std::pair<std::string, std::int32_t>> SettingValues(
    const std::array<std::int32_t, kSettingKeyCount>& settings);

class SetupImport {
public:
    SetupImport(ui::App& app, SettingsStore& store, ProfilePort& profile, FilePort& files)
        : app_(app), store_(store), profile_(profile), files_(files) {}

    void ImportSetupIni();
    void ImportSetupOem();

private:
    std::int32_t ReadSetting(const SettingKey& setting);
    void SaveSetting(HKey key, const std::string& name, std::int32_t value);
    void SaveVendorText(const std::string& key, std::string& target, const char* valueName, const char* failure);

    ui::App& app_;
    SettingsStore& store_;
    ProfilePort& profile_;
    FilePort& files_;
};

}  // namespace kesma::setup
