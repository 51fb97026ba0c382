#pragma once

#include "system/kelOpenWebPage.h"
#include "system/kelWinCommandLineLookup.h"
#include "system/kelWinOsVersion.h"

// Opening web pages on Windows: the registry's browser choice, the shell,
// and the desktop shell's token for starting a browser unelevated.
class kelWinWebPagePlatform : public kelWebPagePlatform {
public:
    bool isVistaOrLater() const override { return os.isVistaOrLater(); }
    bool isElevated() const override { return os.isElevated(); }
    const kelCommandLineLookup& commandLineLookup() const override { return lookup; }
    std::wstring userChoiceProgId(const std::wstring& scheme) const override;
    std::wstring openCommand(const std::wstring& className) const override;
    bool startAsShellUser(const std::wstring& commandLine) override;
    bool shellOpen(const std::wstring& file, const std::wstring& parameters) override;

private:
    kelWinOsVersion os;
    kelWinCommandLineLookup lookup;
};

// Opens address in the user's browser; every web link of the program goes
// through here. UI thread only.
void openWebPage(const std::wstring& address);
