#pragma once

#include "automation/IconCache.h"
#include "automation/IconDatabase.h"
#include "automation/IconFiles.h"
#include "support/kelOwnedMutex.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// The program's own copies of application icons, one .ico file each in the
// icons folder ("icon.ico", "icon (1).ico", ...), listed in "icons.vt" under
// their ids. Entries read from the file may also name an icon elsewhere
// ("external_file"), which the database never deletes.
//
// Every operation holds the database's own mutex throughout, except that
// the modified flag (which takes the same mutex) is set after it is let go;
// the mutex is never held while calling out of the database.
class VtIconDatabase : public IconDatabase {
public:
    class icon_entry : public kelSerializable {
    public:
        icon_entry(std::shared_ptr<IconFiles> files, std::wstring file, bool externalFile);

        // "file" and "external_file"; a file in the icons folder must be a
        // plain file name, so that no settings file can make the database
        // delete a file elsewhere.
        bool serialize(kelSerializationIoStream& io, unsigned flags) override;

        // The file name in the icons folder, or the full path of an external icon.
        std::wstring file;
        bool externalFile;
        IconCache icons;
    };

    // Makes the folder, with its missing parents, unless it exists.
    explicit VtIconDatabase(std::wstring folder, std::shared_ptr<IconFiles> files = IconFiles::real());

    void lock() override { mutex.lock(); }
    void unlock() override { mutex.unlock(); }

    // One child "icons" (required) with one "icon" per entry carrying "id",
    // "file" and "external_file". Reading stops at the first incomplete or
    // unsafe "icon" with false, keeping the entries read before it; each
    // entry read replaces the one of its id, and new ids count on past the
    // largest one read.
    bool serialize(kelSerializationIoStream& io, unsigned flags) override;

    // Copies the file into the folder under the first free name, one that
    // neither is on disk nor is another entry's.
    std::uint32_t addIconFile(const std::wstring& path) override;
    void deleteIcon(std::uint32_t id) override;
    IconHandle iconFor(std::uint32_t id, int width, int height) override;

private:
    using Entries = std::map<std::uint32_t, std::unique_ptr<icon_entry>>;

    bool readEntries(kelSerializationIoStream& icons, unsigned flags);
    bool writeEntries(kelSerializationIoStream& icons, unsigned flags);
    std::wstring fullPath(const icon_entry& entry) const;
    // Empty when every candidate name is taken.
    std::wstring freeFileName() const;
    bool isTaken(const std::wstring& fileName) const;

    const std::wstring folder;
    const std::shared_ptr<IconFiles> files;
    kelOwnedMutex mutex;
    std::uint32_t nextId = 1;
    Entries entries;
};
