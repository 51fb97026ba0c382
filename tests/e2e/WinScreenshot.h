#pragma once

#include <windows.h>

#include <filesystem>

// Saves what the screen shows of the window, frame included, as a PNG file
// in the build tree's "screenshots" folder beside the test executable; the
// window must be visible and uncovered. Returns the file written, or an
// empty path when it could not be written.
std::filesystem::path saveWindowScreenshot(HWND window, const wchar_t* name);
