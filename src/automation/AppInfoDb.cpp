#include "automation/AppInfoDb.h"

#include "automation/VtAppInfo.h"

#include <utility>

AppInfoDb::AppInfoDb(std::shared_ptr<IconDatabase> iconDb, std::shared_ptr<ProgramFiles> programs,
                     std::shared_ptr<IconFiles> iconFiles)
    : iconDb(std::move(iconDb)), programs(std::move(programs)), iconFiles(std::move(iconFiles))
{
}

std::shared_ptr<AppInfo> AppInfoDb::createValue()
{
    return std::make_shared<VtAppInfo>(iconDb, programs, iconFiles);
}

std::shared_ptr<AppInfo> AppInfoDb::createValue(kelSerializationIoStream&)
{
    return createValue();
}

std::uint32_t AppInfoDb::idOfRunningApp(const RunningAppInfo& app)
{
    auto guard = autoLock();
    for (const auto& [id, item] : items) {
        if (item->value && item->value->matchesRunningApp(app))
            return id;
    }
    return 0;
}

void AppInfoDb::onRemove(const std::shared_ptr<Item>& item)
{
    if (item->value)
        item->value->dropStoredIcon();
}
