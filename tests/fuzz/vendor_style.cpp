// The vendor values as the registry may hold them: the style code parts and colour
// numbers, then the whole control panel dressed with VenderStyle and VenderName (the
// input split at its first NUL) and raw bytes of any type for InstallPath.
#include <cstddef>
#include <cstdint>
#include <string>

#include "harness.h"
#include "shared/vendor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string style = input.substr(0, cut);
    const std::string rest = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    ui::Color color = 0;
    kesma::StyleColor(kesma::StyleNumber(style), color);

    kesma::test::ControlPanelHarness h;
    h.registry.SetString(kesma::test::kSettingsPath, "VenderStyle", style);
    h.registry.SetString(kesma::test::kSettingsPath, "VenderName", rest);
    h.registry.SetRaw(kesma::test::kSettingsPath, "InstallPath", size > 0 ? data[0] % 12 : 1, rest);
    if (auto* main = h.Start()) main->Ctl<ui::Button>("cmdSupport").UserClick();
    return 0;
}
