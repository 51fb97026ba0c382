#pragma once

#include "automation/IconDatabase.h"

#include <memory>
#include <string>

// The file and icon calls the icon and application databases make.
class IconFiles {
public:
    virtual ~IconFiles() = default;

    // Makes the folder and every missing parent; true when it exists afterwards.
    virtual bool createFolder(const std::wstring& folder) = 0;
    // False only when the file is known not to be there: a file that cannot
    // be looked at may still be there.
    virtual bool exists(const std::wstring& path) = 0;
    // Copies a file, replacing the target.
    virtual bool copy(const std::wstring& from, const std::wstring& to) = 0;
    // Deletes a file; one that is already gone is no error.
    virtual void remove(const std::wstring& path) = 0;
    // Loads an icon of that size from an .ico file; null on failure.
    virtual IconHandle loadIcon(const std::wstring& path, int width, int height) = 0;
    virtual void destroyIcon(IconHandle icon) = 0;

    // The platform's own calls.
    static std::shared_ptr<IconFiles> real();
};
