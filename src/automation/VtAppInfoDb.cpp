#include "automation/VtAppInfoDb.h"

#include <utility>

VtAppInfoDb::VtAppInfoDb(std::shared_ptr<IconDatabase> iconDb, std::shared_ptr<ProgramFiles> programs,
                         std::shared_ptr<IconFiles> iconFiles)
    : AppInfoDb(std::move(iconDb), std::move(programs), std::move(iconFiles))
{
}
