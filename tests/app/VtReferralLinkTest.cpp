#include "app/VtReferralLink.h"

#include "system/kelAppVersion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

kelAppVersion parsed(const std::wstring& text)
{
    kelAppVersion version;
    version.parse(text);
    return version;
}

} // namespace

TEST(ReferralLink, CarriesTheEncodedReferenceAndShortVersion)
{
    const struct {
        std::wstring productVersion;
        std::wstring expectedVersionParameter;
    } cases[] = {
        {L"1.8.6", L"1%2E8%2E6"},
        {L"1, 8, 0, 0", L"1%2E8"},
        {L"2.0 beta-1", L"2%2E0beta%2D1"},
        // Beyond ASCII every UTF-8 byte is encoded: "ü" is C3 BC.
        {L"3.1 \u00fc", L"3%2E1%C3%BC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(referralLink(L"https://vantrel.example/forum/", parsed(c.productVersion)),
                  L"https://vantrel.example/forum/?ref=VTL&version=" + c.expectedVersionParameter)
            << c.productVersion;
    }
}
