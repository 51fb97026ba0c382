#pragma once

#include <string>

// Portable mode: a file named "portable.ini" beside the program keeps every
// file the program writes in the folder "Data" beside it, instead of the
// user's application-data folder, so that a copy on a stick leaves nothing
// behind on the machines it runs on. The file's content is not read: its
// presence is the switch.
namespace kelPortableMode {

inline constexpr wchar_t markerName[] = L"portable.ini";
inline constexpr wchar_t dataFolderName[] = L"Data";

// The data folder of the program in programFolder: its "Data" folder when the
// marker file sits beside the program, else empty (the program keeps its
// files in the user's folder). A folder named like the marker is no marker.
std::wstring dataFolder(const std::wstring& programFolder);

// Whether the program can keep its files in folder: the folder is made, with
// its parents, when missing, and a file is written in it and removed again,
// as a save would. Nothing is written anywhere else.
bool canWriteIn(const std::wstring& folder);

} // namespace kelPortableMode
