#pragma once

#include "persistence/kelSerializable.h"

#include <cstdint>
#include <string>

// The platform's icon handle, named without the platform's headers.
struct HICON__;
using IconHandle = HICON__*;

// Icons kept by the program under small ids counted from 1 (0 means none),
// each in a file of its own.
class IconDatabase : public kelSerializable {
public:
    // Takes a copy of the icon file at path; the new icon's id, 0 on failure.
    virtual std::uint32_t addIconFile(const std::wstring& path) = 0;
    // Forgets the icon and deletes its copy; an unknown id is ignored.
    virtual void deleteIcon(std::uint32_t id) = 0;
    // The icon at that size, loaded on first use and kept until it is
    // deleted or the database goes; the caller must not destroy it. Null for
    // an unknown id or an icon that cannot be loaded.
    virtual IconHandle iconFor(std::uint32_t id, int width, int height) = 0;
};
