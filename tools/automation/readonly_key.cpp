#include "automation/readonly_key.h"

#include <aclapi.h>
#include <sddl.h>

namespace kesma::automation {
namespace {

std::string DaclText(PSECURITY_DESCRIPTOR descriptor) {
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                              &text, nullptr))
        return {};
    std::string result(text);
    LocalFree(text);
    return result;
}

std::vector<BYTE> KeyDacl(HKEY key) {
    DWORD size = 0;
    RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
    std::vector<BYTE> descriptor(size);
    if (size == 0 || RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor.data(), &size) != ERROR_SUCCESS)
        descriptor.clear();
    return descriptor;
}

}  // namespace

ReadOnlyKey::ReadOnlyKey(HKEY root, const char* path) {
    if (RegOpenKeyExA(root, path, 0, READ_CONTROL | WRITE_DAC | KEY_WOW64_64KEY, &key_) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    saved_ = KeyDacl(key_);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    if (!saved_.empty() &&
        ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr) &&
        GetSecurityDescriptorDacl(readOnly, &present, &dacl, &defaulted)) {
        made_ = SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                nullptr, nullptr, dacl, nullptr) == ERROR_SUCCESS;
    }
    if (readOnly != nullptr) LocalFree(readOnly);
}

bool ReadOnlyKey::Restore() {
    if (key_ == nullptr) return false;
    bool restored = true;
    if (made_) {
        // The descriptor as it was, protection flag included: no inheritance is recomputed.
        restored = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data()) == ERROR_SUCCESS;
        std::vector<BYTE> now = KeyDacl(key_);
        restored = restored && !now.empty() && DaclText(now.data()) == DaclText(saved_.data());
        made_ = false;
    }
    RegCloseKey(key_);
    key_ = nullptr;
    return restored;
}

ReadOnlyKey::~ReadOnlyKey() { Restore(); }

}  // namespace kesma::automation
