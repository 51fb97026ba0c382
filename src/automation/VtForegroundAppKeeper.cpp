#include "automation/VtForegroundAppKeeper.h"

#include "automation/AppInfoDb.h"

#include <mutex>
#include <utility>

VtForegroundAppKeeper::VtForegroundAppKeeper(std::shared_ptr<AppInfoDb> appInfoDb,
                                             std::shared_ptr<ForegroundKeeperPlatform> platform)
    : CurrentForegroundAppKeeper2(std::move(platform)), appInfoDb(std::move(appInfoDb))
{
}

std::uint32_t VtForegroundAppKeeper::currentAppId()
{
    currentApp();
    std::lock_guard guard(mutex);
    return appId;
}

void VtForegroundAppKeeper::onCurrentChanged()
{
    appId = current ? appInfoDb->idOfRunningApp(*current) : 0;
}
