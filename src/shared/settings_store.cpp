#include "shared/settings_store.h"

#include <algorithm>
#include <utility>

namespace kesma {

namespace {
// No value of the settings key comes near this; a larger size is treated as damage.
constexpr std::uint32_t kMaxStringBytes = 64 * 1024;
}  // namespace

std::string StripAtNul(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

bool Registry::CreateRegKey(HKey root, const std::string& keyName, std::string& subPath, HKey& key) {
    if (keyName.empty()) return false;
    if (!subPath.empty() && subPath.front() == '\\') subPath.erase(0, 1);
    const std::string path = subPath.empty() ? keyName : keyName + "\\" + subPath;
    RegistryStatus = port_.RegCreateKeyA(root, path, key);
    return RegistryStatus == kErrorSuccess;
}

bool Registry::CloseRegKey(HKey key) {
    RegistryStatus = port_.RegCloseKey(key);
    return RegistryStatus == kErrorSuccess;
}

bool Registry::QueryRegDword(HKey key, const std::string& name, std::int32_t& value) {
    std::int32_t data = 0;
    std::uint32_t type = 0;
    std::uint32_t size = sizeof data;
    RegistryStatus = port_.RegQueryValueExA(key, name, type, &data, size);
    // A short REG_DWORD would leave part of the number unread.
    if (RegistryStatus != kErrorSuccess || type != kRegDword || size != sizeof data) return false;
    value = data;
    return true;
}

bool Registry::SetRegDword(HKey key, const std::string& name, std::int32_t value) {
    RegistryStatus = port_.RegSetValueExA(key, name, kRegDword, &value, sizeof value);
    return RegistryStatus == kErrorSuccess;
}

bool Registry::QueryRegString(HKey key, const std::string& name, std::string& text) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    RegistryStatus = port_.RegQueryValueExA(key, name, type, nullptr, size);
    if (RegistryStatus != kErrorSuccess || type != kRegSz || size > kMaxStringBytes) return false;

    std::string buffer(size, ' ');
    std::uint32_t read = size;
    RegistryStatus = port_.RegQueryValueExA(key, name, type, buffer.data(), read);
    // The value may have been replaced between the two queries: take only what this
    // read says it wrote, and only when it is still a string.
    if (RegistryStatus != kErrorSuccess || type != kRegSz) return false;
    buffer.resize(std::min(read, size));
    text = StripAtNul(buffer);
    return true;
}

bool Registry::SetRegString(HKey key, const std::string& name, const std::string& text) {
    if (key == 0) return false;
    RegistryStatus = port_.RegSetValueExA(key, name, kRegSz, text.c_str(),
                                          static_cast<std::uint32_t>(text.size() + 1));
    return RegistryStatus == kErrorSuccess;
}

void SettingsStore::SetSettingsKey(HKey root, const std::string& keyName, const std::string& subKey) {
    SettingsRoot = root;
    SettingsKeyName = keyName;
    SettingsSubKey = subKey;
}

// The key is opened for each operation and closed right after; the close does not count.
template <class Operation>
bool SettingsStore::WithSettingsKey(Operation operation) {
    HKey key = 0;
    if (!registry_.CreateRegKey(SettingsRoot, SettingsKeyName, SettingsSubKey, key)) return false;
    const bool ok = operation(key);
    registry_.CloseRegKey(key);
    return ok;
}

bool SettingsStore::LoadVendorValues() {
    return WithSettingsKey([this](HKey key) {
        bool ok = true;
        const std::pair<const char*, std::string*> values[] = {
            {"VenderName", &VenderName}, {"VenderStyle", &VenderStyle}, {"InstallPath", &InstallPath},
            {"WindowsPath", &WindowsPath}, {"SystemPath", &SystemPath}, {"HardwareID", &HardwareID}};
        // All six are read even after a failure.
        for (const auto& [name, value] : values) ok = registry_.QueryRegString(key, name, *value) && ok;
        return ok;
    });
}

bool SettingsStore::LoadCalibrationMode() {
    return WithSettingsKey([this](HKey key) { return registry_.QueryRegDword(key, "CalibrationMode", CalibrationMode); });
}

bool SettingsStore::SaveCalibrationMode() {
    return WithSettingsKey([this](HKey key) { return registry_.SetRegDword(key, "CalibrationMode", CalibrationMode); });
}

bool SettingsStore::InitSettingsStore() {
    SetSettingsKey(kHkeyLocalMachine, kSettingsKeyName, kSettingsSubKey);
    return LoadVendorValues();
}

}  // namespace kesma
