#pragma once

#include <string>

// The folder holding the language files that ship with the program: on the
// host where they are kept, on Windows the copy beside the test executable,
// where the program finds its own.
std::wstring shippedLocalizationsFolder();
