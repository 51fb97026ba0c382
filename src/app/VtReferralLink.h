#pragma once

#include <string>

class kelAppVersion;

// address followed by "?ref=VTL&version=" and the product version's short
// form, both percent-encoded as UTF-8 (every byte but an ASCII letter or
// digit), so the web site can tell which program and version sent a visitor.
// The address is taken as it is: it must not hold a query of its own.
std::wstring referralLink(const std::wstring& address, const kelAppVersion& productVersion);
