#pragma once

#include <windows.h>

// Last-error codes that a real monitor configuration call reports and that
// mingw-w64's winerror.h lacks.
inline constexpr DWORD simErrorI2cTransmittingData = 0xC0262582;
inline constexpr DWORD simErrorVcpNotSupported = 0xC0262584;
inline constexpr DWORD simErrorInvalidCapabilitiesString = 0xC0262587;

// What the simulated monitors report besides those: a bad or missing configuration file.
inline constexpr DWORD simErrorBadConfiguration = ERROR_BAD_CONFIGURATION;
