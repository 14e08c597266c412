// A registry key made read-only for everyone through its DACL (D:P(A;;KR;;;WD)), as a key
// under HKEY_LOCAL_MACHINE is for a user who is no administrator: the programs still open it,
// but every write fails with access denied. The E2E tests and the life-cycle test share it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kesma::automation {

class ReadOnlyKey {
public:
    // Opens the 64-bit view's key and takes its writes away; Made() tells whether it did.
    ReadOnlyKey(HKEY root, const char* path);
    // Puts the exact previous DACL back, if Restore has not already.
    ~ReadOnlyKey();
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    bool Made() const { return made_; }
    // Puts the previous DACL back; true when the key's DACL then reads as before.
    bool Restore();

private:
    HKEY key_ = nullptr;       // opened with WRITE_DAC before the DACL takes it away
    std::vector<BYTE> saved_;  // the previous DACL as a self-relative security descriptor
    bool made_ = false;
};

}  // namespace kesma::automation
