#include "app/VtReferralLink.h"

#include "persistence/kelUtf8.h"
#include "system/kelAppVersion.h"

namespace {

bool isAsciiLetterOrDigit(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9');
}

std::wstring percentEncoded(const std::wstring& text)
{
    static const wchar_t hexDigits[] = L"0123456789ABCDEF";
    std::wstring encoded;
    for (const char c : kelWideToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (isAsciiLetterOrDigit(byte)) {
            encoded += static_cast<wchar_t>(byte);
        } else {
            encoded += L'%';
            encoded += hexDigits[byte >> 4];
            encoded += hexDigits[byte & 0xF];
        }
    }
    return encoded;
}

} // namespace

std::wstring referralLink(const std::wstring& address, const kelAppVersion& productVersion)
{
    return address + L"?ref=" + percentEncoded(L"VTL") + L"&version=" + percentEncoded(productVersion.toString());
}
