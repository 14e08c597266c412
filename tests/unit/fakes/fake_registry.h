// An in-memory registry with RegCreateKeyA / RegQueryValueExA semantics: keys are
// case-insensitive paths under a named root ("HKEY_LOCAL_MACHINE\SOFTWARE\..."),
// values are typed byte strings, and every call is logged.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace kesma::test {

inline constexpr const char* kSettingsPath = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Lumivane\\TouchScreen\\Velorix";

class FakeRegistry : public RegistryPort {
public:
    static constexpr long kErrorInvalidHandle = 6;
    static constexpr long kErrorBadPathname = 161;

    struct Value {
        std::uint32_t type = 0;
        std::string bytes;  // raw data as stored, terminating NUL included for strings set here
    };

    // Test set-up and inspection; path is a full path starting with the root's name.
    void SetString(const std::string& path, const std::string& name, const std::string& text);  // REG_SZ, NUL added
    void SetDword(const std::string& path, const std::string& name, std::int32_t value);
    void SetRaw(const std::string& path, const std::string& name, std::uint32_t type, const std::string& bytes);
    void Remove(const std::string& path, const std::string& name);
    std::optional<Value> Get(const std::string& path, const std::string& name) const;
    std::optional<std::string> GetString(const std::string& path, const std::string& name) const;  // REG_SZ up to NUL
    std::optional<std::int32_t> GetDword(const std::string& path, const std::string& name) const;
    bool KeyExists(const std::string& path) const;
    int OpenKeys() const { return static_cast<int>(handles_.size()); }

    // The six vendor values under kSettingsPath, all present.
    void SetVendorValues(const std::string& installPath = "C:\\Program Files\\Lumivane\\TouchScreen");

    bool denyCreate = false;  // RegCreateKeyA answers ERROR_ACCESS_DENIED
    // RegSetValueExA under HKEY_LOCAL_MACHINE answers ERROR_ACCESS_DENIED, as for a user who
    // is no administrator.
    bool denyMachineWrites = false;
    // Runs before each RegQueryValueExA (withData: a data buffer was passed), so that a
    // test can change the value between the two reads of a string.
    std::function<void(const std::string& name, bool withData)> beforeQuery;
    // "RegCreateKeyA <root>\<path>", "RegQueryValueExA <name>", "RegSetValueExA <name>", "RegCloseKey".
    std::vector<std::string> calls;

    long RegCreateKeyA(HKey root, const std::string& path, HKey& key) override;
    long RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                          std::uint32_t& size) override;
    long RegSetValueExA(HKey key, const std::string& name, std::uint32_t type, const void* data,
                        std::uint32_t size) override;
    long RegCloseKey(HKey key) override;

private:
    using Values = std::map<std::string, Value>;  // by lower-case name
    std::optional<std::string> KeyPath(HKey key) const;

    std::map<std::string, Values> keys_;  // by lower-case full path
    std::map<HKey, std::string> handles_;
    HKey nextHandle_ = 0x100;
};

}  // namespace kesma::test
