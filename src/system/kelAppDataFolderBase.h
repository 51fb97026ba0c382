#pragma once

#include <string>

// Where the program keeps its files: one folder per user and one shared by
// all users, each made on first use.
class kelAppDataFolderBase {
public:
#ifdef _WIN32
    static constexpr wchar_t separator = L'\\';
#else
    static constexpr wchar_t separator = L'/';
#endif

    virtual ~kelAppDataFolderBase() = default;

    // The folder without a trailing separator; empty if it cannot be found.
    virtual std::wstring folder(bool allUsers) = 0;
    // Empty when there is no folder, so that no file is ever put elsewhere.
    virtual std::wstring filePath(const std::wstring& name, bool allUsers);
};
