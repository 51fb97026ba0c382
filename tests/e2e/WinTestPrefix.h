#pragma once

#include <string>

// The end-to-end tests delete the program's data folder and let the program
// write its settings there: on a user's machine that would wipe the user's
// settings. They run only where that folder is proven to be the tests' own:
// under Wine, in the prefix that scripts/test made for tests (it leaves the
// marker file below in it), with the user's application-data folder inside
// that prefix.
namespace WinTestPrefix {

inline constexpr char markerName[] = ".vantrel-test-prefix";

// Empty when proven; otherwise why the tests must not run here.
std::string whyNotATestPrefix();
// Where a Windows path lies in Wine's Unix file system; empty outside Wine.
std::string unixPathOf(const std::wstring& windowsPath);

} // namespace WinTestPrefix
