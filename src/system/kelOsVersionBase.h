#pragma once

#include <string>

// The operating system the program runs on, and whether it runs elevated.
class kelOsVersionBase {
public:
    virtual ~kelOsVersionBase() = default;
    virtual std::wstring familyName() const = 0;
    virtual unsigned majorVersion() const = 0;
    virtual unsigned minorVersion() const = 0;
    virtual unsigned buildNumber() const = 0;
    // Vista brought elevation and the per-user choice of browser.
    virtual bool isVistaOrLater() const = 0;
    // Whether this process runs with an elevated token, so that programs it
    // starts would run elevated too.
    virtual bool isElevated() const = 0;
};
