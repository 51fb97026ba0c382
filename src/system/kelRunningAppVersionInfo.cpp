#include "system/kelRunningAppVersionInfo.h"

#include "system/kelVersionResource.h"

kelRunningAppVersionInfo::kelRunningAppVersionInfo(const kelVersionResourceReader& reader)
{
    read(reader.runningExecutablePath(), reader);
}
