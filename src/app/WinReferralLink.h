#pragma once

#include <string>

// The program's referral link for address, carrying the product version of
// the running executable, which is read from its version resource on the
// first call.
std::wstring referralLink(const std::wstring& address);
