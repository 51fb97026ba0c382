#pragma once

#include <string>

// The full path of the running program's file, however long; empty only
// when the platform cannot say.
std::wstring kelRunningExecutablePath();
