// The services of a program that talks to the driver and keeps settings: the device
// link, the settings key, the vendor branding and the companions, wired from the
// program's ports in one place.
#pragma once

#include "platform/platform.h"
#include "shared/companions.h"
#include "shared/device_link.h"
#include "shared/settings_store.h"
#include "shared/vendor.h"

namespace kesma {

struct ProgramServices {
    explicit ProgramServices(Platform& platform)
        : Link(platform.Get<DevicePort>()),
          Reg(platform.Get<RegistryPort>()),
          Store(Reg),
          Branding(Store, platform.Get<FilePort>()),
          Programs(Link, Store, platform.Get<WindowPort>(), platform.Get<ProcessPort>()) {}
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;

    DeviceLink Link;
    Registry Reg;
    SettingsStore Store;
    VendorBranding Branding;
    Companions Programs;
};

}  // namespace kesma
