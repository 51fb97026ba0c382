#include "automation/AppInfo.h"

#include "automation/ProgramPathText.h"

bool AppInfo::sameIdentity(const AppInfo& other) const
{
    return ProgramPathText::samePath(binaryPath(), other.binaryPath());
}
