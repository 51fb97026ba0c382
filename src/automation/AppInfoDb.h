#pragma once

#include "automation/AppInfo.h"
#include "persistence/SerializableObjMapByIdWithRefs.h"

#include <cstdint>
#include <memory>

class IconDatabase;
class IconFiles;
class ProgramFiles;
class RunningAppInfo;

// The applications the per-application rules name, under ids counted from 1,
// each with the number of rules that refer to it ("item-refs"). Adding an
// application whose program path names the same file as a stored one (in
// any letter case) hands out the stored one's id; the last reference going
// forgets the application and deletes its copy of the icon.
class AppInfoDb : public SerializableObjMapByIdWithRefs<AppInfo> {
public:
    AppInfoDb(std::shared_ptr<IconDatabase> iconDb, std::shared_ptr<ProgramFiles> programs,
              std::shared_ptr<IconFiles> iconFiles);

    // A new, empty application record over this database's icon database.
    std::shared_ptr<AppInfo> createValue();
    std::shared_ptr<AppInfo> createValue(kelSerializationIoStream& child) override;
    // The lowest id whose application is the running one's program; 0 when none is.
    std::uint32_t idOfRunningApp(const RunningAppInfo& app);
    // Called with the lock held, before the item is erased.
    void onRemove(const std::shared_ptr<Item>& item) override;

private:
    const std::shared_ptr<IconDatabase> iconDb;
    const std::shared_ptr<ProgramFiles> programs;
    const std::shared_ptr<IconFiles> iconFiles;
};
