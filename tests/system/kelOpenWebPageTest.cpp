#include "system/kelOpenWebPage.h"

#include "system/FakeCommandLineLookup.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const std::wstring firefox = L"C:\\Program Files\\Mozilla Firefox\\firefox.exe";
const std::wstring page = L"https://vantrel.example/forum/?ref=VTL&version=0%2E1";

// A machine with a chosen browser per scheme, recording every start it is asked for.
class FakeWebPagePlatform : public kelWebPagePlatform {
public:
    bool vista = true;
    bool elevated = false;
    bool shellTokenStarts = true;
    std::set<std::wstring> filesShellOpens = {firefox, page};
    std::map<std::wstring, std::wstring> userChoices = {{L"https", L"FirefoxURL"}, {L"http", L"FirefoxURL"}};
    std::map<std::wstring, std::wstring> commands = {
        {L"FirefoxURL", L"\"" + firefox + L"\" -osint -url \"%1\""}};
    std::vector<std::wstring> starts;

    bool isVistaOrLater() const override { return vista; }
    bool isElevated() const override { return elevated; }
    const kelCommandLineLookup& commandLineLookup() const override { return lookup; }
    std::wstring userChoiceProgId(const std::wstring& scheme) const override { return valueOf(userChoices, scheme); }
    std::wstring openCommand(const std::wstring& className) const override { return valueOf(commands, className); }
    bool startAsShellUser(const std::wstring& commandLine) override
    {
        starts.push_back(L"as shell user: " + commandLine);
        return shellTokenStarts;
    }
    bool shellOpen(const std::wstring& file, const std::wstring& parameters) override
    {
        starts.push_back(L"open: " + file + L" | " + parameters);
        return filesShellOpens.count(file) != 0;
    }

private:
    static std::wstring valueOf(const std::map<std::wstring, std::wstring>& map, const std::wstring& key)
    {
        const auto found = map.find(key);
        return found == map.end() ? std::wstring() : found->second;
    }

    FakeCommandLineLookup lookup;
};

std::vector<std::wstring> startsFor(const std::wstring& address, FakeWebPagePlatform platform)
{
    openWebPage(address, platform);
    return platform.starts;
}

const std::wstring browserWithPage = L"open: " + firefox + L" | -osint -url \"" + page + L"\"";
const std::wstring fallback = L"open: " + page + L" | ";

} // namespace

TEST(OpenWebPage, AnythingButAWebAddressIsNotOpened)
{
    for (const std::wstring text : {L"vantrel.example/forum/", L"mailto:support@vantrel.example", L"file:///C:/x.html",
                                    L"javascript:alert(1)", L"cmd:1045", L"HTTPS//x", L"", L"https:/x"})
        EXPECT_EQ(startsFor(text, FakeWebPagePlatform()), std::vector<std::wstring>()) << text;
}

// The address goes into the browser's command line; a quote or a line break
// in it could end the argument and add switches of its own.
TEST(OpenWebPage, AnAddressThatCouldBreakOutOfTheCommandLineIsNotOpened)
{
    const std::wstring addresses[] = {L"https://x/\" --new-switch", L"https://x/\r\n-y", std::wstring(L"https://x/\0y", 12)};
    for (const std::wstring& text : addresses)
        EXPECT_EQ(startsFor(text, FakeWebPagePlatform()), std::vector<std::wstring>()) << text;
}

TEST(OpenWebPage, TheChosenBrowserGetsTheAddressInPlaceOfItsPlaceholder)
{
    EXPECT_EQ(startsFor(page, FakeWebPagePlatform()), std::vector<std::wstring>{browserWithPage});

    FakeWebPagePlatform twice;
    twice.commands[L"FirefoxURL"] = L"\"" + firefox + L"\" %1 --also=%1  ";
    EXPECT_EQ(startsFor(page, twice),
              std::vector<std::wstring>{L"open: " + firefox + L" | " + page + L" --also=" + page});
}

TEST(OpenWebPage, WithoutAPlaceholderTheAddressFollowsQuoted)
{
    FakeWebPagePlatform platform;
    platform.commands[L"FirefoxURL"] = L"\"" + firefox + L"\"";
    EXPECT_EQ(startsFor(page, platform), std::vector<std::wstring>{L"open: " + firefox + L" | \"" + page + L"\""});
}

TEST(OpenWebPage, AnElevatedProgramStartsTheBrowserAsTheShellUser)
{
    FakeWebPagePlatform platform;
    platform.elevated = true;
    EXPECT_EQ(startsFor(page, platform),
              std::vector<std::wstring>{L"as shell user: \"" + firefox + L"\" -osint -url \"" + page + L"\""});

    platform.shellTokenStarts = false;
    EXPECT_EQ(startsFor(page, platform),
              (std::vector<std::wstring>{L"as shell user: \"" + firefox + L"\" -osint -url \"" + page + L"\"",
                                         browserWithPage}));
}

// Before Vista there is no elevation and no per-user choice: the scheme
// names the class whose command opens it.
TEST(OpenWebPage, BeforeVistaTheSchemeIsTheClass)
{
    FakeWebPagePlatform platform;
    platform.vista = false;
    platform.elevated = true;
    platform.userChoices.clear();
    platform.commands = {{L"https", L"\"" + firefox + L"\" -osint -url \"%1\""}};
    EXPECT_EQ(startsFor(page, platform), std::vector<std::wstring>{browserWithPage});
}

TEST(OpenWebPage, EveryFailureEndsInTheShellOpeningTheAddress)
{
    FakeWebPagePlatform noChoice;
    noChoice.userChoices.clear();
    FakeWebPagePlatform noCommand;
    noCommand.commands.clear();
    FakeWebPagePlatform notAProgram;
    notAProgram.commands[L"FirefoxURL"] = L"rundll32 url.dll,FileProtocolHandler %1";
    FakeWebPagePlatform unclosedQuote;
    unclosedQuote.commands[L"FirefoxURL"] = L"\"C:\\Browser\\b.exe -url %1";
    for (const auto& platform : {noChoice, noCommand, notAProgram, unclosedQuote})
        EXPECT_EQ(startsFor(page, platform), std::vector<std::wstring>{fallback});

    FakeWebPagePlatform browserFails;
    browserFails.filesShellOpens = {page};
    EXPECT_EQ(startsFor(page, browserFails), (std::vector<std::wstring>{browserWithPage, fallback}));
}
