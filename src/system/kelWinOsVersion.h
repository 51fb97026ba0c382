#pragma once

#include "system/kelOsVersionBase.h"

// The Windows version as the kernel reports it, which unlike GetVersionEx
// does not depend on what the program's manifest declares.
class kelWinOsVersion : public kelOsVersionBase {
public:
    kelWinOsVersion();

    std::wstring familyName() const override { return L"Windows NT"; }
    unsigned majorVersion() const override { return major; }
    unsigned minorVersion() const override { return minor; }
    unsigned buildNumber() const override { return build; }
    bool isVistaOrLater() const override { return major > 5; }
    // False also when the process token cannot be asked.
    bool isElevated() const override;

private:
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
};
