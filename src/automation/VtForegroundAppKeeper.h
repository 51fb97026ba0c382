#pragma once

#include "automation/CurrentForegroundAppKeeper.h"

#include <cstdint>
#include <memory>

class AppInfoDb;

// The current application as an id of the application database: the lowest
// id whose program is the current application's, 0 when there is no current
// application or the database does not know its program.
//
// Locks: the keeper's mutex is taken before the application database's lock
// (the id is looked up as the current application changes).
class VtForegroundAppKeeper : public CurrentForegroundAppKeeper2 {
public:
    VtForegroundAppKeeper(std::shared_ptr<AppInfoDb> appInfoDb, std::shared_ptr<ForegroundKeeperPlatform> platform);

    // Takes over a pending change of application first.
    std::uint32_t currentAppId();

private:
    void onCurrentChanged() override;

    const std::shared_ptr<AppInfoDb> appInfoDb;
    std::uint32_t appId = 0;
};
