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

// Kesmainst's exit status: the first failure of the run names it. 1 is an unexpected error
// (ui::kFailedExitCode) and 2 an installer's own abort, so a package that runs the setup
// silently can end with the setup's status unchanged.
enum SetupStatus : int {
    kSetupDone = 0,
    kSetupVendorValuesMissing = 3,  // nothing imported
    kSetupSettingNotSaved = 4,      // a value of setup.ini
    kSetupVenderNameNotSaved = 5,
    kSetupVenderStyleNotSaved = 6,
};

// A failure of the run: a message box in the normal run; in the silent run, where no one
// may be there to press OK, one line on the debug output.
class SetupReport {
public:
    SetupReport(ui::App& app, DebugPort& debug, bool silent) : app_(app), debug_(debug), silent_(silent) {}

    void Failure(const std::string& text, SetupStatus status);
    SetupStatus Status() const { return status_; }

private:
    ui::App& app_;
    DebugPort& debug_;
    const bool silent_;
    SetupStatus status_ = kSetupDone;
};

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
    SetupImport(SetupReport& report, SettingsStore& store, ProfilePort& profile, FilePort& files)
        : report_(report), store_(store), profile_(profile), files_(files) {}

    void ImportSetupIni();
    void ImportSetupOem();

private:
    std::int32_t ReadSetting(const SettingKey& setting);
    void SaveSetting(HKey key, const std::string& name, std::int32_t value);
    void SaveVendorText(const std::string& key, std::string& target, const char* valueName, const char* failure,
                        SetupStatus status);

    SetupReport& report_;
    SettingsStore& store_;
    ProfilePort& profile_;
    FilePort& files_;
};

}  // namespace kesma::setup
