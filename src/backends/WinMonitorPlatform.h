#pragma once

#include <memory>

class WinDisplayDevicesApi;
class WinMonitorConfigurationApi;
class WinGammaRampApi;
class WinWmiApi;

// The platform calls the monitor back-ends make, each behind a narrow
// interface, so their logic runs against fakes in tests and against Win32 in
// the program. A back-end uses only its own member; the others may be empty.
struct WinMonitorPlatform {
    std::shared_ptr<WinDisplayDevicesApi> displayDevices;
    std::shared_ptr<WinMonitorConfigurationApi> monitorConfiguration;
    std::shared_ptr<WinGammaRampApi> gammaRamp;
    std::shared_ptr<WinWmiApi> wmi;

    // Every member over the real platform.
    static std::shared_ptr<const WinMonitorPlatform> real();
};
