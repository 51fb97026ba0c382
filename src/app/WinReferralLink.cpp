#include "app/WinReferralLink.h"

#include "app/VtReferralLink.h"
#include "system/kelRunningAppVersionInfo.h"
#include "system/kelWinVersionResource.h"

std::wstring referralLink(const std::wstring& address)
{
    static const kelRunningAppVersionInfo running{kelWinVersionResourceReader()};
    return referralLink(address, running.productVersion);
}
