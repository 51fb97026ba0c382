#pragma once

#include <cstddef>
#include <string>

class kelCommandLineLookup;

// What opening a web page asks of the platform.
class kelWebPagePlatform {
public:
    // Registry texts are read up to this many characters; a longer one counts as missing.
    static constexpr std::size_t maxRegistryText = 259;

    virtual ~kelWebPagePlatform() = default;
    virtual bool isVistaOrLater() const = 0;
    virtual bool isElevated() const = 0;
    virtual const kelCommandLineLookup& commandLineLookup() const = 0;
    // The class the user chose for a scheme (UserChoice's "ProgId"); empty when none.
    virtual std::wstring userChoiceProgId(const std::wstring& scheme) const = 0;
    // The command registered to open a class ("shell\open\command"); empty when none.
    virtual std::wstring openCommand(const std::wstring& className) const = 0;
    // Starts commandLine as the desktop shell's user, unelevated; true when it started.
    virtual bool startAsShellUser(const std::wstring& commandLine) = 0;
    // The shell's "open" on a file with parameters, shown normally; true when it started.
    virtual bool shellOpen(const std::wstring& file, const std::wstring& parameters) = 0;
};

// Opens address in the user's browser. Only http, https and ftp addresses are
// opened (any other text is ignored), and none with a double quote or a
// control character, which could end the address inside the browser's
// command line. An elevated program starts the browser unelevated where it
// can. Failures are not reported: the last resort is the shell's own "open".
void openWebPage(const std::wstring& address, kelWebPagePlatform& platform);
