#include "fake_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kesma::test {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

const char* RootName(HKey root) {
    switch (root) {
    case kHkeyLocalMachine: return "HKEY_LOCAL_MACHINE";
    case kHkeyCurrentUser: return "HKEY_CURRENT_USER";
    default: return nullptr;
    }
}

}  // namespace

void FakeRegistry::SetString(const std::string& path, const std::string& name, const std::string& text) {
    SetRaw(path, name, kRegSz, text + '\0');
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, std::int32_t value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    SetRaw(path, name, kRegDword, bytes);
}

void FakeRegistry::SetRaw(const std::string& path, const std::string& name, std::uint32_t type,
                          const std::string& bytes) {
    keys_[Lower(path)][Lower(name)] = Value{type, bytes};
}

void FakeRegistry::Remove(const std::string& path, const std::string& name) {
    auto key = keys_.find(Lower(path));
    if (key != keys_.end()) key->second.erase(Lower(name));
}

std::optional<FakeRegistry::Value> FakeRegistry::Get(const std::string& path, const std::string& name) const {
    auto key = keys_.find(Lower(path));
    if (key == keys_.end()) return std::nullopt;
    auto value = key->second.find(Lower(name));
    if (value == key->second.end()) return std::nullopt;
    return value->second;
}

std::optional<std::string> FakeRegistry::GetString(const std::string& path, const std::string& name) const {
    auto value = Get(path, name);
    if (!value || value->type != kRegSz) return std::nullopt;
    return value->bytes.substr(0, value->bytes.find('\0'));
}

std::optional<std::int32_t> FakeRegistry::GetDword(const std::string& path, const std::string& name) const {
    auto value = Get(path, name);
    if (!value || value->type != kRegDword || value->bytes.size() != 4) return std::nullopt;
    std::int32_t result = 0;
    std::memcpy(&result, value->bytes.data(), sizeof result);
    return result;
}

bool FakeRegistry::KeyExists(const std::string& path) const { return keys_.count(Lower(path)) != 0; }

void FakeRegistry::SetVendorValues(const std::string& installPath) {
    SetString(kSettingsPath, "VenderName", "Lumivane");
    SetString(kSettingsPath, "VenderStyle", "11120912");
    SetString(kSettingsPath, "InstallPath", installPath);
    SetString(kSettingsPath, "WindowsPath", "C:\\windows");
    SetString(kSettingsPath, "SystemPath", "C:\\windows\\system32");
    SetString(kSettingsPath, "HardwareID", "ACPI\\PNP0501");
}

std::optional<std::string> FakeRegistry::KeyPath(HKey key) const {
    if (const char* root = RootName(key)) return std::string(root);
    auto handle = handles_.find(key);
    if (handle == handles_.end()) return std::nullopt;
    return handle->second;
}

long FakeRegistry::RegCreateKeyA(HKey root, const std::string& path, HKey& key) {
    auto base = KeyPath(root);
    calls.push_back("RegCreateKeyA " + base.value_or("?") + "\\" + path);
    if (!base) return kErrorInvalidHandle;
    if (denyCreate) return kErrorAccessDenied;
    std::string full = *base;
    if (!path.empty()) {
        // Windows refuses a leading backslash and empty components.
        if (path.front() == '\\' || path.find("\\\\") != std::string::npos) return kErrorBadPathname;
        full += "\\" + path;
    }
    // Missing parents are created too, as RegCreateKeyA does.
    for (std::size_t at = full.find('\\'); at != std::string::npos; at = full.find('\\', at + 1))
        keys_[Lower(full.substr(0, at))];
    keys_[Lower(full)];
    key = nextHandle_++;
    handles_[key] = full;
    return kErrorSuccess;
}

long FakeRegistry::RegQueryValueExA(HKey key, const std::string& name, std::uint32_t& type, void* data,
                                    std::uint32_t& size) {
    calls.push_back("RegQueryValueExA " + name);
    if (beforeQuery) beforeQuery(name, data != nullptr);
    auto path = KeyPath(key);
    if (!path) return kErrorInvalidHandle;
    auto value = Get(*path, name);
    if (!value) return kErrorFileNotFound;
    type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->bytes.size());
    if (data != nullptr && size < needed) {
        size = needed;
        return kErrorMoreData;
    }
    if (data != nullptr) std::memcpy(data, value->bytes.data(), needed);
    size = needed;
    return kErrorSuccess;
}

long FakeRegistry::RegSetValueExA(HKey key, const std::string& name, std::uint32_t type, const void* data,
                                  std::uint32_t size) {
    calls.push_back("RegSetValueExA " + name);
    auto path = KeyPath(key);
    if (!path) return kErrorInvalidHandle;
    if (denyMachineWrites && path->rfind("HKEY_LOCAL_MACHINE", 0) == 0) return kErrorAccessDenied;
    SetRaw(*path, name, type, std::string(static_cast<const char*>(data), size));
    return kErrorSuccess;
}

long FakeRegistry::RegCloseKey(HKey key) {
    calls.push_back("RegCloseKey");
    return handles_.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace kesma::test
