// The registry settings store: the key HKLM\SOFTWARE\Lumivane\TouchScreen\Velorix,
// the vendor values every program but the right-button program needs, and the
// control panel's calibration mode. A key is opened, used and closed in one call.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ports.h"

namespace kesma {

// The text up to, not including, its first NUL; the whole text when it has none.
std::string StripAtNul(const std::string& text);

// basRegistry: each procedure stores the call's result in RegistryStatus and is true
// exactly when that is ERROR_SUCCESS.
class Registry {
public:
    explicit Registry(RegistryPort& port) : port_(port) {}

    // Strips one leading "\" from subPath (written back); an empty keyName fails without a call.
    bool CreateRegKey(HKey root, const std::string& keyName, std::string& subPath, HKey& key);
    bool CloseRegKey(HKey key);
    bool QueryRegDword(HKey key, const std::string& name, std::int32_t& value);
    bool SetRegDword(HKey key, const std::string& name, std::int32_t value);
    bool QueryRegString(HKey key, const std::string& name, std::string& text);
    bool SetRegString(HKey key, const std::string& name, const std::string& text);

    long RegistryStatus = kErrorSuccess;

private:
    RegistryPort& port_;
};

inline constexpr const char* kSettingsKeyName = "SOFTWARE\\Lumivane\\TouchScreen";
inline constexpr const char* kSettingsSubKey = "Velorix";
// What every program but Kesmarbtn reports when the vendor values cannot be loaded.
inline constexpr const char* kVendorValuesMissing = "Fail to load data from Register File!";

// basOEM
class SettingsStore {
public:
    explicit SettingsStore(Registry& registry) : registry_(registry) {}

    void SetSettingsKey(HKey root, const std::string& keyName, const std::string& subKey);
    bool LoadVendorValues();    // all six are read even after a failure
    bool LoadCalibrationMode();
    bool SaveCalibrationMode();
    // SetSettingsKey(HKLM, SOFTWARE\Lumivane\TouchScreen, Velorix) then LoadVendorValues.
    bool InitSettingsStore();

    Registry& registry() const { return registry_; }

    HKey SettingsRoot = kHkeyLocalMachine;
    std::string SettingsKeyName;
    std::string SettingsSubKey;

    std::string VenderName, VenderStyle, InstallPath, WindowsPath, SystemPath, HardwareID;
    std::int32_t CalibrationMode = 1;

private:
    template <class Operation>
    bool WithSettingsKey(Operation operation);

    Registry& registry_;
};

}  // namespace kesma
