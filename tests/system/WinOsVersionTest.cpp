#include "system/kelWinOsVersion.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// An elevated token is the one whose Administrators group is in force; an
// unelevated token of an administrator holds that group for denying only.
bool administratorsGroupInForce()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    const BOOL asked = CheckTokenMembership(nullptr, administrators, &member);
    FreeSid(administrators);
    return asked && member;
}

} // namespace

TEST(WinOsVersion, ReportsTheKernelsVersion)
{
    const kelWinOsVersion os;
    EXPECT_EQ(os.familyName(), L"Windows NT");
    EXPECT_GE(os.majorVersion(), 6u);
    EXPECT_TRUE(os.isVistaOrLater());
    EXPECT_GT(os.buildNumber(), 0u);
}

TEST(WinOsVersion, ElevatedExactlyWhenTheAdministratorsGroupIsInForce)
{
    EXPECT_EQ(kelWinOsVersion().isElevated(), administratorsGroupInForce());
}
