#include "system/kelOpenWebPage.h"

#include "system/kelCommandLine.h"
#include "system/kelTextScan.h"

#include <algorithm>
#include <optional>

namespace {

// The scheme of an address this routine opens; empty for any other text.
std::wstring schemeOf(const std::wstring& address)
{
    for (const wchar_t* scheme : {L"http", L"https", L"ftp"}) {
        const std::wstring prefix = std::wstring(scheme) + L"://";
        if (address.compare(0, prefix.size(), prefix) == 0)
            return scheme;
    }
    return {};
}

bool isSafeInCommandLine(const std::wstring& address)
{
    return std::none_of(address.begin(), address.end(), [](wchar_t c) { return c == L'"' || c < 0x20 || c == 0x7F; });
}

std::wstring lowerAscii(std::wstring text)
{
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

std::wstring trimmedBlanks(const std::wstring& text)
{
    std::size_t start = 0;
    kelSkipBlanks(text, start);
    return kelWithoutTrailingBlanks(text.substr(start));
}

// The browser's arguments: its command's arguments with the address in
// place of every "%1", or with the address quoted after them.
std::wstring browserArguments(const std::wstring& commandArguments, const std::wstring& address)
{
    static const std::wstring placeholder = L"%1";
    if (commandArguments.find(placeholder) == std::wstring::npos)
        return trimmedBlanks(commandArguments + L" \"" + address + L"\"");
    std::wstring result;
    std::size_t position = 0;
    for (std::size_t found; (found = commandArguments.find(placeholder, position)) != std::wstring::npos;
         position = found + placeholder.size())
        result += commandArguments.substr(position, found - position) + address;
    return trimmedBlanks(result + commandArguments.substr(position));
}

// The browser the user chose for the scheme, with the arguments that open address.
std::optional<kelCommandLine> chosenBrowser(const std::wstring& scheme, const std::wstring& address,
                                            const kelWebPagePlatform& platform)
{
    const std::wstring className = platform.isVistaOrLater() ? platform.userChoiceProgId(scheme) : scheme;
    if (className.empty())
        return std::nullopt;
    const std::wstring command = platform.openCommand(className);
    if (command.empty() || lowerAscii(command).find(L".exe") == std::wstring::npos)
        return std::nullopt;
    kelCommandLine parsed;
    parsed.parse(command, platform.commandLineLookup());
    if (parsed.program().empty())
        return std::nullopt;
    return kelCommandLine(parsed.program(), browserArguments(parsed.arguments(), address));
}

bool startBrowser(const kelCommandLine& browser, kelWebPagePlatform& platform)
{
    if (platform.isVistaOrLater() && platform.isElevated()) {
        const std::wstring text = browser.toString();
        if (!text.empty() && platform.startAsShellUser(text))
            return true;
    }
    return platform.shellOpen(browser.program(), browser.arguments());
}

} // namespace

void openWebPage(const std::wstring& address, kelWebPagePlatform& platform)
{
    const std::wstring scheme = schemeOf(address);
    if (scheme.empty() || !isSafeInCommandLine(address))
        return;
    if (const auto browser = chosenBrowser(scheme, address, platform)) {
        if (startBrowser(*browser, platform))
            return;
    }
    platform.shellOpen(address, L"");
}
