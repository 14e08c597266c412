// The number readers and the setup.ini / setup.oem import on any file text: nothing may
// crash, every value written must be in its range, and the key must be closed again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fake_files.h"
#include "fake_profile.h"
#include "fake_registry.h"
#include "fake_setup_ports.h"
#include "setup/setup_import.h"
#include "shared/number_reader.h"
#include "shared/settings_store.h"
#include "ui/headless/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kesma;
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReadNumber(text);
    ReadDecimalNumber(text);
    for (const auto& key : setup::kSettingKeys) {
        const std::int32_t n = setup::CheckSetting(text, key.min, key.max);
        if (n < -3 || n > key.max) std::abort();
    }

    const std::string folder = "C:\\Program Files\\Lumivane\\TouchScreen";
    ui::HeadlessBackend backend;
    ui::App app(backend, "TouchScreen Driver Installation");
    test::FakeRegistry registry;
    registry.SetVendorValues(folder);
    test::FakeFiles files;
    files.Add(folder + "\\setup.ini");
    files.Add(folder + "\\setup.oem");
    test::FakeProfile profile;
    profile.SetFile(folder + "\\setup.ini", text);
    profile.SetFile(folder + "\\setup.oem", text);
    Registry reg(registry);
    SettingsStore store(reg);
    if (!store.InitSettingsStore()) std::abort();
    test::FakeDebug debug;
    setup::SetupReport report(app, debug, false);
    setup::SetupImport import(report, store, profile, files);
    import.ImportSetupIni();
    import.ImportSetupOem();
    if (registry.OpenKeys() != 0) std::abort();
    for (const auto& key : setup::kSettingKeys) {
        const auto value = registry.GetDword(test::kSettingsPath, key.key);
        if (value && (*value < key.min || *value > key.max)) std::abort();
    }
    return 0;
}
